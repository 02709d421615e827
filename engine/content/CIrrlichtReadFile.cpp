#include "CIrrlichtReadFile.h"

#include "content/IReadFile.h"

CIrrlichtReadFile::CIrrlichtReadFile(::IReadFile* engineFile) : file(engineFile)
{
	if (file)
	{
		file->grab();
		fileName = file->getFileName().c_str();
	}
}

CIrrlichtReadFile::~CIrrlichtReadFile()
{
	if (file)
		file->drop();
}

irr::s32 CIrrlichtReadFile::read(void* buffer, irr::u32 sizeToRead)
{
	return file ? file->read(buffer, sizeToRead) : 0;
}

bool CIrrlichtReadFile::seek(long finalPos, bool relativeMovement)
{
	return file && file->seek(finalPos, relativeMovement);
}

long CIrrlichtReadFile::getSize() const
{
	return file ? file->getSize() : 0;
}

long CIrrlichtReadFile::getPos() const
{
	return file ? file->getPos() : 0;
}
