#include "CWriteFile.h"

CWriteFile::CWriteFile(const irr::core::stringc& name, bool append) : fileName(name)
{
	if (name.size() == 0)
		return;
	file = fopen(name.c_str(), append ? "ab" : "wb");
	if (!file)
		return;
	fseek(file, 0, SEEK_END);
	fileSize = ftell(file);
	fseek(file, 0, SEEK_SET);
}

CWriteFile::~CWriteFile()
{
	if (file)
		fclose(file);
}

irr::s32 CWriteFile::write(const void* buffer, irr::u32 sizeToWrite)
{
	if (!file)
		return 0;
	return static_cast<irr::s32>(fwrite(buffer, 1, sizeToWrite, file));
}

bool CWriteFile::seek(long finalPos, bool relativeMovement)
{
	if (!file)
		return false;
	return fseek(file, finalPos, relativeMovement ? SEEK_CUR : SEEK_SET) == 0;
}

long CWriteFile::getPos() const
{
	return file ? ftell(file) : 0;
}
