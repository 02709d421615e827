#include "CIrrlichtWriteFile.h"

#include "content/IWriteFile.h"

CIrrlichtWriteFile::CIrrlichtWriteFile(::IWriteFile* engineFile) : file(engineFile)
{
	if (file)
	{
		file->grab();
		fileName = file->getFileName().c_str();
	}
}

CIrrlichtWriteFile::~CIrrlichtWriteFile()
{
	if (file)
		file->drop();
}

irr::s32 CIrrlichtWriteFile::write(const void* buffer, irr::u32 sizeToWrite)
{
	return file ? file->write(buffer, sizeToWrite) : 0;
}

bool CIrrlichtWriteFile::seek(long finalPos, bool relativeMovement)
{
	return file && file->seek(finalPos, relativeMovement);
}

long CIrrlichtWriteFile::getPos() const
{
	return file ? file->getPos() : 0;
}
