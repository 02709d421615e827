#pragma once

#include "content/IFileList.h"

#include <irrlicht/irrString.h>
#include <vector>

// The entries of the working folder as they were when the list was made.
class CFileList : public IFileList
{
public:
	CFileList();
	// Lists the given folder instead of reading the working folder.
	explicit CFileList(const irr::core::stringc& folder);

	irr::u32 getFileCount() const override { return static_cast<irr::u32>(files.size()); }
	const char* getFileName(irr::u32 index) const override;
	const char* getFullFileName(irr::u32 index) override;
	bool isDirectory(irr::u32 index) const override;

	const irr::core::stringc& getPath() const { return path; }

private:
	struct Entry
	{
		irr::core::stringc name;
		irr::core::stringc fullName;
		long size = 0;
		bool isDirectory = false;
	};

	void readFolder();
	static bool entryBefore(const Entry& a, const Entry& b);

	irr::core::stringc path;
	std::vector<Entry> files;
};
