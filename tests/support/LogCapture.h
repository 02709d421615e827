#pragma once

#include "core/CLogger.h"
#include "core/ILogSink.h"

#include <string>
#include <vector>

// Captures what is logged while it lives, through the logger's sink.
class LogCapture : public ILogSink
{
public:
	struct Line
	{
		std::string text;
		std::string hint;
		int level;
	};

	LogCapture();
	~LogCapture() override;

	void write(const char* text, const char* hint, int level) override;

	bool contains(const std::string& text) const;
	bool contains(const std::string& text, int level) const;
	// Lines at level 1 (warning) or above.
	size_t problemCount() const;
	std::string dump() const;

	std::vector<Line> lines;

private:
	ILogSink* previous;
};
