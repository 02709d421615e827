#pragma once

#include "content/IArchive.h"

class IFileSystem;

// A folder whose files are opened as if they were archive entries.
class CMountArchive : public IArchive
{
public:
	CMountArchive(IFileSystem* fileSystem, const irr::core::stringc& folder, bool ignoreCase, bool ignorePaths);

	const irr::core::stringc& getArchivePath() const override { return path; }
	const irr::core::stringc& getArchiveType() const override { return type; }
	irr::u32 getFileCount() const override { return 0; }
	IReadFile* openFile(irr::s32 index) override;
	// Opens folder + name as a disk file that reports the name as asked.
	IReadFile* openFile(const irr::core::stringc& name) override;
	// 1 when the name opens (no entry index), else -1.
	irr::s32 findFile(const irr::core::stringc& name) override;
	const SArchiveEntry* getFileEntry(irr::u32 index) const override;

	// Kept as given; a folder opens names the same way whatever they say.
	bool getIgnoreCase() const { return ignoreCase; }
	bool getIgnorePaths() const { return ignorePaths; }

private:
	irr::core::stringc path;
	irr::core::stringc type;
	bool ignoreCase;
	bool ignorePaths;
};
