#include "CLogger.h"

#include "TextUtils.h"

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
	log(narrow(text).c_str(), level);
}

void CLogger::log(const wchar_t* text, const wchar_t* hint, int level)
{
	if (level < minimum)
		return;
	log(narrow(text).c_str(), narrow(hint).c_str(), level);
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
