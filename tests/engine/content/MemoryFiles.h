#pragma once

#include "content/IReadFile.h"
#include "content/IWriteFile.h"
#include "core/SmartPointer.h"

#include <algorithm>
#include <cstring>
#include <string>

// Read-only file over a copy of some bytes, for tests.
class TestReadFile : public IReadFile
{
public:
	explicit TestReadFile(std::string bytes, const char* name = "test.xml") : bytes(std::move(bytes)), name(name) {}

	irr::s32 read(void* buffer, irr::u32 sizeToRead) override
	{
		const size_t count = std::min<size_t>(sizeToRead, bytes.size() - position);
		std::memcpy(buffer, bytes.data() + position, count);
		position += count;
		return static_cast<irr::s32>(count);
	}
	bool seek(long finalPos, bool relativeMovement = false) override
	{
		const long target = relativeMovement ? static_cast<long>(position) + finalPos : finalPos;
		if (target < 0 || target > static_cast<long>(bytes.size()))
			return false;
		position = static_cast<size_t>(target);
		return true;
	}
	long getSize() const override { return static_cast<long>(bytes.size()); }
	long getPos() const override { return static_cast<long>(position); }
	const irr::core::stringc& getFileName() const override { return name; }

private:
	std::string bytes;
	size_t position = 0;
	irr::core::stringc name;
};

// Write-only file collecting its bytes in memory, for tests.
class TestWriteFile : public IWriteFile
{
public:
	irr::s32 write(const void* buffer, irr::u32 sizeToWrite) override
	{
		bytes.replace(position, std::min<size_t>(sizeToWrite, bytes.size() - position),
		              static_cast<const char*>(buffer), sizeToWrite);
		position += sizeToWrite;
		return static_cast<irr::s32>(sizeToWrite);
	}
	bool seek(long finalPos, bool relativeMovement = false) override
	{
		const long target = relativeMovement ? static_cast<long>(position) + finalPos : finalPos;
		if (target < 0 || target > static_cast<long>(bytes.size()))
			return false;
		position = static_cast<size_t>(target);
		return true;
	}
	long getPos() const override { return static_cast<long>(position); }
	const irr::core::stringc& getFileName() const override { return name; }

	std::string bytes;

private:
	size_t position = 0;
	irr::core::stringc name = "out.xml";
};

// Code units of a wide text as UTF-16 little-endian bytes (characters above U+FFFF as pairs).
inline std::string toUtf16Le(const std::wstring& text)
{
	std::string out;
	auto unit = [&out](unsigned u)
	{
		out.push_back(static_cast<char>(u & 0xFF));
		out.push_back(static_cast<char>(u >> 8));
	};
	for (wchar_t c : text)
	{
		unsigned cp = static_cast<unsigned>(c);
		if (cp >= 0x10000)
		{
			cp -= 0x10000;
			unit(0xD800 + (cp >> 10));
			unit(0xDC00 + (cp & 0x3FF));
		}
		else
		{
			unit(cp);
		}
	}
	return out;
}

// UTF-16 little-endian bytes back to wide text, one character per code unit (BOM kept).
inline std::wstring fromUtf16LeUnits(const std::string& bytes)
{
	std::wstring out;
	for (size_t i = 0; i + 1 < bytes.size(); i += 2)
		out.push_back(static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) |
		                                   (static_cast<unsigned char>(bytes[i + 1]) << 8)));
	return out;
}
