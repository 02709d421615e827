#pragma once

#include "content/IWriteFile.h"

#include <cstdio>

// A disk file opened for writing, emptied first unless appending.
class CWriteFile : public IWriteFile
{
public:
	CWriteFile(const irr::core::stringc& fileName, bool append);
	~CWriteFile() override;

	irr::s32 write(const void* buffer, irr::u32 sizeToWrite) override;
	bool seek(long finalPos, bool relativeMovement = false) override;
	long getPos() const override;
	const irr::core::stringc& getFileName() const override { return fileName; }

	bool isOpen() const { return file != nullptr; }
	long getSize() const { return fileSize; }

private:
	irr::core::stringc fileName;
	FILE* file = nullptr;
	long fileSize = 0;
};
