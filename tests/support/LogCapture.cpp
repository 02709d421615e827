#include "LogCapture.h"

LogCapture::LogCapture()
{
	auto* logger = static_cast<CLogger*>(getLogger());
	previous = logger->getSink();
	logger->setSink(this);
}

LogCapture::~LogCapture() { static_cast<CLogger*>(getLogger())->setSink(previous); }

void LogCapture::write(const char* text, const char* hint, int level)
{
	lines.push_back({text ? text : "", hint ? hint : "", level});
}

bool LogCapture::contains(const std::string& text) const
{
	for (const auto& line : lines)
		if (line.text.find(text) != std::string::npos || line.hint.find(text) != std::string::npos)
			return true;
	return false;
}

bool LogCapture::contains(const std::string& text, int level) const
{
	for (const auto& line : lines)
		if (line.level == level && (line.text.find(text) != std::string::npos || line.hint.find(text) != std::string::npos))
			return true;
	return false;
}

size_t LogCapture::problemCount() const
{
	size_t n = 0;
	for (const auto& line : lines)
		if (line.level >= 1)
			++n;
	return n;
}

std::string LogCapture::dump() const
{
	std::string out;
	for (const auto& line : lines)
		out += "[" + std::to_string(line.level) + "] " + line.text + (line.hint.empty() ? "" : " | " + line.hint) + "\n";
	return out;
}
