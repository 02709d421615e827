#pragma once

#include "content/IReadFile.h"

#include <cstdio>

// A disk file opened for reading.
class CReadFile : public IReadFile
{
public:
	// shownName, when given, is what getFileName reports instead of the path opened.
	explicit CReadFile(const irr::core::stringc& fileName, const irr::core::stringc* shownName = nullptr);
	~CReadFile() override;

	irr::s32 read(void* buffer, irr::u32 sizeToRead) override;
	bool seek(long finalPos, bool relativeMovement = false) override;
	long getSize() const override { return fileSize; }
	long getPos() const override;
	const irr::core::stringc& getFileName() const override { return fileName; }

	bool isOpen() const { return file != nullptr; }

private:
	void openFile(const irr::core::stringc& path);

	irr::core::stringc fileName;
	FILE* file = nullptr;
	long fileSize = 0;
};
