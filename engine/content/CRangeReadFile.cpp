#include "CRangeReadFile.h"

CRangeReadFile::CRangeReadFile(const irr::core::stringc& name, IReadFile* file, long start, long size)
    : fileName(name), windowStart(start), windowEnd(start + (size < 0 ? 0 : size)), source(file)
{
	if (source)
		source->grab();
}

CRangeReadFile::~CRangeReadFile()
{
	if (source)
		source->drop();
}

irr::s32 CRangeReadFile::read(void* buffer, irr::u32 sizeToRead)
{
	if (!source)
		return 0;
	const long r = windowStart + pos;
	const long wantedEnd = r + static_cast<long>(sizeToRead);
	const long n = (windowEnd < wantedEnd ? windowEnd : wantedEnd) - (windowStart > r ? windowStart : r);
	if (n <= 0 || !source->seek(r))
		return 0;
	const irr::s32 got = source->read(buffer, static_cast<irr::u32>(n));
	if (got > 0)
		pos += got;
	return got < 0 ? 0 : got;
}

bool CRangeReadFile::seek(long finalPos, bool relativeMovement)
{
	const long target = relativeMovement ? pos + finalPos : finalPos;
	const long size = windowEnd - windowStart;
	if (target < 0)
	{
		pos = 0;
		return false;
	}
	if (target > size)
	{
		pos = size;
		return false;
	}
	pos = target;
	return true;
}
