#pragma once

#include "content/IArchiveLoader.h"

class IFileSystem;

// Recognises packed asset archives by the extension "qca" or their magic and makes them with the current key.
class CPackedArchiveLoader : public IArchiveLoader
{
public:
	explicit CPackedArchiveLoader(IFileSystem* fileSystem) : fileSystem(fileSystem) {}

	bool isLoadableFile(IReadFile* file) const override;
	bool isLoadableFileExtension(const irr::core::stringc& name) const override;
	IArchive* createArchive(IReadFile* file, bool ignoreCase, bool ignorePaths) const override;
	IArchive* createArchive(const irr::core::stringc& name, bool ignoreCase, bool ignorePaths) const override;

	// The key that archives made from now on decipher with.
	void setKey(const irr::core::stringc& cipherKey) { key = cipherKey; }
	const irr::core::stringc& getKey() const { return key; }

private:
	IFileSystem* fileSystem;
	irr::core::stringc key;
};
