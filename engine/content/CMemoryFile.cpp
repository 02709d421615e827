#include "CMemoryFile.h"

#include <cstring>

CMemoryFile::CMemoryFile(void* data, long len, const irr::core::stringc& name, bool deleteBufferWhenDropped)
    : buffer(static_cast<unsigned char*>(data)), length(len < 0 ? 0 : len), fileName(name),
      deleteBuffer(deleteBufferWhenDropped)
{
}

CMemoryFile::~CMemoryFile()
{
	if (deleteBuffer)
		delete[] buffer;
}

long CMemoryFile::available(irr::u32 count) const
{
	const long left = length - pos;
	const long wanted = static_cast<long>(count);
	return wanted < left ? wanted : left;
}

irr::s32 CMemoryFile::read(void* out, irr::u32 sizeToRead)
{
	const long n = available(sizeToRead);
	if (n <= 0 || !buffer)
		return 0;
	memcpy(out, buffer + pos, static_cast<size_t>(n));
	pos += n;
	return static_cast<irr::s32>(n);
}

irr::s32 CMemoryFile::write(const void* in, irr::u32 sizeToWrite)
{
	const long n = available(sizeToWrite);
	if (n <= 0 || !buffer)
		return 0;
	memcpy(buffer + pos, in, static_cast<size_t>(n));
	pos += n;
	return static_cast<irr::s32>(n);
}

bool CMemoryFile::seek(long finalPos, bool relativeMovement)
{
	const long target = relativeMovement ? pos + finalPos : finalPos;
	if (target < 0 || target > length)
		return false;
	pos = target;
	return true;
}
