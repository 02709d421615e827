#pragma once

#include "ILogSink.h"
#include "ILogger.h"
#include "ReferenceCounted.h"
#include "Singleton.h"

// The only logger: filters wide messages by level and hands narrow ones to an optional sink.
class CLogger : public ILogger, public virtual ReferenceCounted
{
public:
	CLogger();
	~CLogger() override;

	int getLogLevel() const override { return minimum; }
	void setLogLevel(int level) override;
	void log(const wchar_t* text, int level) override;
	void log(const wchar_t* text, const wchar_t* hint, int level) override;
	void log(const char* text, const char* hint, int level) override;
	void log(const char* text, int level) override;

	// Not owned; null discards every text.
	void setSink(ILogSink* sink) { this->sink = sink; }
	ILogSink* getSink() const { return sink; }

private:
	int minimum = 0;
	ILogSink* sink = nullptr;
};

template <>
struct SingletonTraits<CLogger>
{
	static CLogger* create() { return new CLogger(); }
	static void destroy(CLogger* logger) { logger->drop(); }
	static constexpr bool recreateAfterDestruction = true;
};
