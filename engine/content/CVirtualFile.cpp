#include "CVirtualFile.h"

#include "core/ILogger.h"

#include <cstring>
#include <new>

CVirtualFile::CVirtualFile(const irr::core::stringc& name, irr::u32 block)
    : blockSize(block == 0 ? 1 : static_cast<long>(block)), fileName(name)
{
}

CVirtualFile::~CVirtualFile()
{
	for (unsigned char* b : blocks)
		delete[] b;
}

bool CVirtualFile::reserveFor(long end)
{
	const long blockCount = static_cast<long>(blocks.size());
	if (end < blockCount * blockSize)
		return true;
	// Capacity always ends beyond the data, so one more block than strictly needed.
	const long needed = end / blockSize - blockCount + 1;
	for (long i = 0; i < needed; ++i)
	{
		unsigned char* b = new (std::nothrow) unsigned char[static_cast<size_t>(blockSize)];
		if (!b)
			return false;
		try
		{
			blocks.push_back(b);
		}
		catch (const std::bad_alloc&)
		{
			delete[] b;
			return false;
		}
	}
	return true;
}

irr::s32 CVirtualFile::write(const void* in, irr::u32 sizeToWrite)
{
	if (sizeToWrite == 0)
		return 0;
	const long end = pos + static_cast<long>(sizeToWrite);
	if (!reserveFor(end))
	{
		getLogger()->log("Not enough memory for write data in virtualFile %s", fileName.c_str(), 2);
		return 0;
	}
	const unsigned char* src = static_cast<const unsigned char*>(in);
	long left = sizeToWrite;
	while (left > 0)
	{
		const long offset = pos % blockSize;
		const long chunk = left < blockSize - offset ? left : blockSize - offset;
		memcpy(blocks[static_cast<size_t>(pos / blockSize)] + offset, src, static_cast<size_t>(chunk));
		src += chunk;
		pos += chunk;
		left -= chunk;
	}
	if (pos > size)
		size = pos;
	return static_cast<irr::s32>(sizeToWrite);
}

irr::s32 CVirtualFile::read(void* out, irr::u32 sizeToRead)
{
	long left = static_cast<long>(sizeToRead) < size - pos ? static_cast<long>(sizeToRead) : size - pos;
	if (left <= 0)
		return 0;
	const long total = left;
	unsigned char* dst = static_cast<unsigned char*>(out);
	while (left > 0)
	{
		const long offset = pos % blockSize;
		const long chunk = left < blockSize - offset ? left : blockSize - offset;
		memcpy(dst, blocks[static_cast<size_t>(pos / blockSize)] + offset, static_cast<size_t>(chunk));
		dst += chunk;
		pos += chunk;
		left -= chunk;
	}
	return static_cast<irr::s32>(total);
}

bool CVirtualFile::seek(long finalPos, bool relativeMovement)
{
	const long target = relativeMovement ? pos + finalPos : finalPos;
	if (target < 0 || target > size)
		return false;
	pos = target;
	return true;
}
