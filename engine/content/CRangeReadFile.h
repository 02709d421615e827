#pragma once

#include "content/IReadFile.h"

// A read-only window over part of another read file.
class CRangeReadFile : public IReadFile
{
public:
	CRangeReadFile(const irr::core::stringc& fileName, IReadFile* source, long start, long size);
	~CRangeReadFile() override;

	irr::s32 read(void* buffer, irr::u32 sizeToRead) override;
	// Clamps to the window; returns false when it had to.
	bool seek(long finalPos, bool relativeMovement = false) override;
	long getSize() const override { return windowEnd - windowStart; }
	long getPos() const override { return pos; }
	const irr::core::stringc& getFileName() const override { return fileName; }

private:
	irr::core::stringc fileName;
	long windowStart;
	long windowEnd;
	long pos = 0;
	IReadFile* source;
};
