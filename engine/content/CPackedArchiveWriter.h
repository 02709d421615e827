#pragma once

#include <irrlicht/irrString.h>
#include <string>
#include <vector>

class IWriteFile;

// Builds a packed asset archive (".qca") from named byte blobs or a folder.
class CPackedArchiveWriter
{
public:
	explicit CPackedArchiveWriter(const irr::core::stringc& key);

	// False for an empty name or one longer than 65535 bytes.
	bool addEntry(const std::string& name, const void* data, size_t size);
	// Adds every file below the folder, named by its path from there with "/" separators.
	bool addFolder(const std::string& folder);

	// Header, the data of each entry, then the entry table; false when it could not all be written.
	bool write(IWriteFile* file) const;
	bool writeToFile(const std::string& fileName) const;

	size_t getEntryCount() const { return entries.size(); }

private:
	struct Entry
	{
		std::string name;
		std::vector<unsigned char> data;
	};

	std::vector<unsigned char> build() const;

	irr::core::stringc key;
	std::vector<Entry> entries;
};
