#pragma once

#include "content/IArchive.h"

#include <vector>

// The enciphered asset archive (".qca"): entries read and deciphered into memory files.
class CPackedArchive : public IArchive
{
public:
	CPackedArchive(IReadFile* file, bool ignoreCase, bool ignorePaths, const irr::core::stringc& key);
	~CPackedArchive() override;

	const irr::core::stringc& getArchivePath() const override { return path; }
	const irr::core::stringc& getArchiveType() const override { return type; }
	irr::u32 getFileCount() const override { return static_cast<irr::u32>(entries.size()); }
	using IArchive::openFile;
	IReadFile* openFile(irr::s32 index) override;
	irr::s32 findFile(const irr::core::stringc& name) override;
	const SArchiveEntry* getFileEntry(irr::u32 index) const override;

private:
	bool readDescription();
	irr::core::stringc makeKeyName(const irr::core::stringc& name) const;

	IReadFile* file;
	long fileSize;
	irr::core::stringc path;
	irr::core::stringc type;
	irr::core::stringc key;
	irr::u32 keyPos = 0;
	bool ignoreCase;
	bool ignorePaths;
	std::vector<SArchiveEntry> entries;
};
