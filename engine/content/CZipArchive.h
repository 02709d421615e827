#pragma once

#include "content/IArchive.h"

#include <map>
#include <vector>

// The stored and deflated entries of a zip file, found by name.
class CZipArchive : public IArchive
{
public:
	// Reads the local headers from the file's current position.
	CZipArchive(IReadFile* file, bool ignoreCase, bool ignorePaths);
	~CZipArchive() override;

	const irr::core::stringc& getArchivePath() const override { return path; }
	const irr::core::stringc& getArchiveType() const override { return type; }
	irr::u32 getFileCount() const override { return static_cast<irr::u32>(entries.size()); }
	using IArchive::openFile;
	IReadFile* openFile(irr::s32 index) override;
	irr::s32 findFile(const irr::core::stringc& name) override;
	const SArchiveEntry* getFileEntry(irr::u32 index) const override;

private:
	struct ZipEntry
	{
		SArchiveEntry info;
		irr::core::stringc folderPart;
		irr::u16 flags = 0;
		irr::u16 method = 0;
		irr::u32 crc = 0;
		irr::u32 compressedSize = 0;
		irr::u32 uncompressedSize = 0;
	};
	// Sizes as the central directory gives them, by local header offset.
	struct CentralSizes
	{
		irr::u32 crc;
		irr::u32 compressedSize;
		irr::u32 uncompressedSize;
	};

	// Reads the local header at pos; appends its entry and returns the next header's offset, or -1.
	long scanLocalHeader(long pos);
	void readCentralDirectory();
	bool readAt(long pos, void* buffer, long count);
	irr::core::stringc makeKeyName(const irr::core::stringc& name) const;
	IReadFile* inflateEntry(const ZipEntry& entry);

	IReadFile* file;
	long fileSize;
	irr::core::stringc path;
	irr::core::stringc type;
	bool ignoreCase;
	bool ignorePaths;
	std::vector<ZipEntry> entries;
	std::map<long, CentralSizes> centralSizes;
	bool centralRead = false;
};
