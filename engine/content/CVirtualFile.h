#pragma once

#include "content/IReadFile.h"
#include "content/IWriteFile.h"

#include <vector>

// A growable in-memory file of fixed-size blocks, read and written through one position.
class CVirtualFile : public IReadFile, public IWriteFile
{
public:
	CVirtualFile(const irr::core::stringc& fileName, irr::u32 blockSize = 65536);
	~CVirtualFile() override;

	irr::s32 read(void* buffer, irr::u32 sizeToRead) override;
	irr::s32 write(const void* buffer, irr::u32 sizeToWrite) override;
	bool seek(long finalPos, bool relativeMovement = false) override;
	long getSize() const override { return size; }
	long getPos() const override { return pos; }
	const irr::core::stringc& getFileName() const override { return fileName; }

	irr::u32 getBlockCount() const { return static_cast<irr::u32>(blocks.size()); }

private:
	bool reserveFor(long end);

	std::vector<unsigned char*> blocks;
	long blockSize;
	long size = 0;
	long pos = 0;
	irr::core::stringc fileName;
};
