#pragma once

// Receiver of the texts the logger is given; the program installs none, so
// nothing is written anywhere. Tests install one to check log lines.
class ILogSink
{
public:
	virtual ~ILogSink() = default;
	// hint is null for one-text messages.
	virtual void write(const char* text, const char* hint, int level) = 0;
};
