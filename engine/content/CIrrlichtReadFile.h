#pragma once

#include <irrlicht/IReadFile.h>

class IReadFile;

// Lets the 3-D library's loaders read an engine file; holds one reference of it.
class CIrrlichtReadFile : public irr::io::IReadFile
{
public:
	explicit CIrrlichtReadFile(::IReadFile* file);
	~CIrrlichtReadFile() override;

	irr::s32 read(void* buffer, irr::u32 sizeToRead) override;
	bool seek(long finalPos, bool relativeMovement = false) override;
	long getSize() const override;
	long getPos() const override;
	const irr::io::path& getFileName() const override { return fileName; }

private:
	::IReadFile* file;
	irr::io::path fileName;
};
