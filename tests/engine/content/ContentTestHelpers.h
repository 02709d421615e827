#pragma once

#include "content/IFileSystem.h"
#include "content/IReadFile.h"
#include "core/SmartPointer.h"

#include <string>
#include <unistd.h>

// Reads a whole engine file into a string from its start.
inline std::string readAll(IReadFile* file)
{
	std::string out;
	if (!file)
		return out;
	file->seek(0);
	char buffer[4096];
	for (;;)
	{
		const int n = file->read(buffer, sizeof(buffer));
		if (n <= 0)
			break;
		out.append(buffer, static_cast<size_t>(n));
	}
	return out;
}

// The whole content of a name opened through the file system, or "<none>".
inline std::string openAndRead(IFileSystem* fs, const char* name)
{
	SmartPointer<IReadFile> file(fs->createAndOpenFile(name));
	return file ? readAll(file.get()) : std::string("<none>");
}

// A memory file over a copy of the bytes, freed by the file.
inline IReadFile* memoryFileOf(IFileSystem* fs, const std::string& bytes, const char* name)
{
	char* copy = new char[bytes.size() + 1];
	std::copy(bytes.begin(), bytes.end(), copy);
	return fs->createMemoryReadFile(copy, static_cast<long>(bytes.size()), name, true);
}

// Enters a folder for the lifetime of the object and returns to the previous one.
class WorkingFolderGuard
{
public:
	explicit WorkingFolderGuard(const std::string& folder)
	{
		char buffer[4096];
		previous = getcwd(buffer, sizeof(buffer)) ? buffer : ".";
		entered = chdir(folder.c_str()) == 0;
	}
	~WorkingFolderGuard()
	{
		if (chdir(previous.c_str()) != 0)
			previous.clear();
	}
	bool ok() const { return entered; }

private:
	std::string previous;
	bool entered = false;
};
