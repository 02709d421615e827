#pragma once

// Process-wide logger: levels 0 information, 1 warning, 2 error.
class ILogger
{
public:
	virtual ~ILogger() = default;
	virtual int getLogLevel() const = 0;
	virtual void setLogLevel(int level) = 0;
	virtual void log(const wchar_t* text, int level) = 0;
	virtual void log(const wchar_t* text, const wchar_t* hint, int level) = 0;
	virtual void log(const char* text, const char* hint, int level) = 0;
	virtual void log(const char* text, int level) = 0;
};

// The process-wide logger; never throws, made anew after its destruction at exit.
ILogger* getLogger();
