#pragma once

#include <irrlicht/IWriteFile.h>

class IWriteFile;

// Lets the 3-D library's image writers write into an engine file; holds one reference of it.
class CIrrlichtWriteFile : public irr::io::IWriteFile
{
public:
	explicit CIrrlichtWriteFile(::IWriteFile* file);
	~CIrrlichtWriteFile() override;

	irr::s32 write(const void* buffer, irr::u32 sizeToWrite) override;
	bool seek(long finalPos, bool relativeMovement = false) override;
	long getPos() const override;
	const irr::io::path& getFileName() const override { return fileName; }

private:
	::IWriteFile* file;
	irr::io::path fileName;
};
