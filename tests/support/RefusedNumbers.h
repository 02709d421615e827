#pragma once

#include "support/LogCapture.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

// One damaged number read by the real reader: the value the reader ends with, as text, and the hint of the
// log line that refuses it.
struct RefusedNumberCase
{
	const char* name;
	std::string file;
	std::function<std::string(const std::string& file)> read;
	const char* expected;
	const char* refusedName; // null: nothing refused
};

// Reads each case; a refused number leaves the one log line with its hint, an accepted one none.
inline void expectRefusedNumbers(const std::vector<RefusedNumberCase>& cases)
{
	const char* const refused = "Number out of range; the default is kept";
	for (const RefusedNumberCase& c : cases)
	{
		SCOPED_TRACE(c.name);
		LogCapture log;
		EXPECT_EQ(c.read(c.file), c.expected);
		bool named = false;
		for (const LogCapture::Line& line : log.lines)
			named = named || (line.text == refused && c.refusedName && line.hint == c.refusedName && line.level == 1);
		if (c.refusedName)
			EXPECT_TRUE(named) << log.dump();
		else
			EXPECT_FALSE(log.contains(refused)) << log.dump();
	}
}
