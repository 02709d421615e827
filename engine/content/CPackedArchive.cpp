#include "CPackedArchive.h"

#include "content/AssetCipher.h"
#include "content/CMemoryFile.h"
#include "content/IReadFile.h"
#include "content/PathUtils.h"
#include "core/ILogger.h"

#include <algorithm>
#include <new>

using irr::core::stringc;

namespace
{
const long headerSize = 16;

irr::u32 readU32(const unsigned char* p)
{
	return static_cast<irr::u32>(p[0]) | (static_cast<irr::u32>(p[1]) << 8) | (static_cast<irr::u32>(p[2]) << 16) |
	       (static_cast<irr::u32>(p[3]) << 24);
}
} // namespace

CPackedArchive::CPackedArchive(IReadFile* archiveFile, bool caseFlag, bool pathsFlag, const stringc& cipherKey)
    : file(archiveFile), fileSize(archiveFile ? archiveFile->getSize() : 0), type("qca"), key(cipherKey),
      ignoreCase(caseFlag), ignorePaths(pathsFlag)
{
	if (!file)
		return;
	file->grab();
	path = toForwardSlashes(file->getFileName());
	if (!readDescription())
		entries.clear();
	std::stable_sort(entries.begin(), entries.end(),
	                 [](const SArchiveEntry& a, const SArchiveEntry& b)
	                 { return compareArchiveNames(a.keyName, b.keyName) < 0; });
}

CPackedArchive::~CPackedArchive()
{
	if (file)
		file->drop();
}

stringc CPackedArchive::makeKeyName(const stringc& name) const
{
	stringc result = ignoreCase ? toLowerName(name) : name;
	return ignorePaths ? getFileNamePart(result) : result;
}

bool CPackedArchive::readDescription()
{
	unsigned char header[headerSize] = {};
	if (file->read(header, headerSize) != headerSize || header[0] != 'Q' || header[1] != 'C' || header[2] != 'A' ||
	    header[3] != 0)
		return false;
	const irr::u32 tableOffset = readU32(header + 4);
	const irr::u32 entryCount = readU32(header + 8);
	if (entryCount == 0)
		return true;

	bool complete = static_cast<long>(tableOffset) <= fileSize && file->seek(static_cast<long>(tableOffset));
	keyPos = assetCipherPosition(key, tableOffset);
	std::vector<char> record;
	// Each entry takes at least 10 bytes of the file, so a lying count ends at the end of the file.
	for (irr::u32 i = 0; complete && i < entryCount; ++i)
	{
		unsigned char lengthBytes[2];
		if (file->read(lengthBytes, 2) != 2)
		{
			complete = false;
			break;
		}
		keyPos = applyAssetCipher(key, lengthBytes, 2, keyPos);
		const irr::u32 nameLength = static_cast<irr::u32>(lengthBytes[0] | (lengthBytes[1] << 8));
		record.resize(nameLength + 8);
		if (file->read(record.data(), nameLength + 8) != static_cast<irr::s32>(nameLength + 8))
		{
			complete = false;
			break;
		}
		keyPos = applyAssetCipher(key, record.data(), nameLength + 8, keyPos);

		SArchiveEntry entry;
		entry.storedName = stringc(record.data(), nameLength);
		entry.keyName = makeKeyName(entry.storedName);
		const unsigned char* numbers = reinterpret_cast<const unsigned char*>(record.data()) + nameLength;
		entry.dataOffset = static_cast<long>(readU32(numbers));
		entry.size = static_cast<long>(readU32(numbers + 4));
		entries.push_back(entry);
	}
	if (!complete)
	{
		getLogger()->log("Unable to read file description", 0);
		return false;
	}
	return true;
}

irr::s32 CPackedArchive::findFile(const stringc& name)
{
	const stringc wanted = makeKeyName(name);
	auto found = std::lower_bound(entries.begin(), entries.end(), wanted,
	                              [](const SArchiveEntry& e, const stringc& k)
	                              { return compareArchiveNames(e.keyName, k) < 0; });
	if (found == entries.end() || compareArchiveNames(found->keyName, wanted) != 0)
		return -1;
	return static_cast<irr::s32>(found - entries.begin());
}

const SArchiveEntry* CPackedArchive::getFileEntry(irr::u32 index) const
{
	return index < entries.size() ? &entries[index] : nullptr;
}

IReadFile* CPackedArchive::openFile(irr::s32 index)
{
	if (index < 0 || static_cast<size_t>(index) >= entries.size())
		return nullptr;
	const SArchiveEntry& entry = entries[static_cast<size_t>(index)];
	// Checked against the file before allocating, so a lying size cannot ask for more memory than the file has.
	if (entry.dataOffset > fileSize || entry.size > fileSize - entry.dataOffset)
		return nullptr;

	// One spare byte so an empty entry still opens as an empty file.
	unsigned char* buffer = new (std::nothrow) unsigned char[static_cast<size_t>(entry.size) + 1];
	if (!buffer)
	{
		getLogger()->log("Not enough memory for decompressing %s", entry.storedName.c_str(), 2);
		return nullptr;
	}
	const irr::u32 size = static_cast<irr::u32>(entry.size);
	if (!file->seek(entry.dataOffset) || file->read(buffer, size) != static_cast<irr::s32>(size))
	{
		delete[] buffer;
		return nullptr;
	}
	applyAssetCipher(key, buffer, size, assetCipherPosition(key, static_cast<irr::u32>(entry.dataOffset)));
	return new CMemoryFile(buffer, entry.size, entry.storedName, true);
}
