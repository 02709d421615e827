#include "CReadFile.h"

#include <sys/stat.h>

CReadFile::CReadFile(const irr::core::stringc& name, const irr::core::stringc* shownName)
    : fileName(shownName ? *shownName : name)
{
	openFile(name);
}

CReadFile::~CReadFile()
{
	if (file)
		fclose(file);
}

void CReadFile::openFile(const irr::core::stringc& path)
{
	if (path.size() == 0)
		return;
	file = fopen(path.c_str(), "rb");
	if (!file)
		return;

	// fopen accepts folders here; they are not readable files.
	struct stat info;
	if (fstat(fileno(file), &info) != 0 || S_ISDIR(info.st_mode))
	{
		fclose(file);
		file = nullptr;
		return;
	}
	fseek(file, 0, SEEK_END);
	fileSize = ftell(file);
	fseek(file, 0, SEEK_SET);
}

irr::s32 CReadFile::read(void* buffer, irr::u32 sizeToRead)
{
	if (!file)
		return 0;
	return static_cast<irr::s32>(fread(buffer, 1, sizeToRead, file));
}

bool CReadFile::seek(long finalPos, bool relativeMovement)
{
	if (!file)
		return false;
	return fseek(file, finalPos, relativeMovement ? SEEK_CUR : SEEK_SET) == 0;
}

long CReadFile::getPos() const
{
	return file ? ftell(file) : 0;
}
