#include "CLogger.h"

#include <string>

namespace
{
std::string narrowLow8(const wchar_t* text)
{
	std::string out;
	if (!text)
		return out;
	for (; *text; ++text)
		out.push_back(static_cast<char>(static_cast<unsigned>(*text) & 0xFF));
	return out;
}
} // namespace

CLogger::CLogger() { Singleton<CLogger>::record(this); }

CLogger::~CLogger() { Singleton<CLogger>::forget(this); }

void CLogger::setLogLevel(int level)
{
	if (level < 3)
		minimum = level;
}

void CLogger::log(const wchar_t* text, int level)
{
	if (level < minimum)
		return;
	log(narrowLow8(text).c_str(), level);
}

void CLogger::log(const wchar_t* text, const wchar_t* hint, int level)
{
	if (level < minimum)
		return;
	log(narrowLow8(text).c_str(), narrowLow8(hint).c_str(), level);
}

void CLogger::log(const char* text, const char* hint, int level)
{
	if (sink)
		sink->write(text ? text : "", hint ? hint : "", level);
}

void CLogger::log(const char* text, int level)
{
	if (sink)
		sink->write(text ? text : "", nullptr, level);
}

ILogger* getLogger() { return Singleton<CLogger>::instance(); }
