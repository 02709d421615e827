#include "CZipArchive.h"

#include "content/CMemoryFile.h"
#include "content/CRangeReadFile.h"
#include "content/IReadFile.h"
#include "content/PathUtils.h"
#include "core/ILogger.h"

#include <algorithm>
#include <new>
#include <zlib.h>

using irr::core::stringc;

namespace
{
const irr::u32 localHeaderSignature = 0x04034B50;
const irr::u32 centralHeaderSignature = 0x02014B50;
const irr::u32 endOfCentralSignature = 0x06054B50;
const irr::u32 descriptorSignature = 0x08074B50;
const long localHeaderSize = 30;
const long centralHeaderSize = 46;
const long endOfCentralSize = 22;
// Deflate cannot expand data by more than this; a larger claimed size is damage.
const irr::u64 maxDeflateRatio = 1032;

irr::u16 readU16(const unsigned char* p)
{
	return static_cast<irr::u16>(p[0] | (p[1] << 8));
}

irr::u32 readU32(const unsigned char* p)
{
	return static_cast<irr::u32>(p[0]) | (static_cast<irr::u32>(p[1]) << 8) | (static_cast<irr::u32>(p[2]) << 16) |
	       (static_cast<irr::u32>(p[3]) << 24);
}
} // namespace

CZipArchive::CZipArchive(IReadFile* zipFile, bool caseFlag, bool pathsFlag)
    : file(zipFile), fileSize(zipFile ? zipFile->getSize() : 0), type("zip"), ignoreCase(caseFlag),
      ignorePaths(pathsFlag)
{
	if (!file)
		return;
	file->grab();
	path = toForwardSlashes(file->getFileName());

	long pos = file->getPos();
	while (pos >= 0)
		pos = scanLocalHeader(pos);

	std::stable_sort(entries.begin(), entries.end(),
	                 [](const ZipEntry& a, const ZipEntry& b)
	                 { return compareArchiveNames(a.info.keyName, b.info.keyName) < 0; });
}

CZipArchive::~CZipArchive()
{
	if (file)
		file->drop();
}

bool CZipArchive::readAt(long pos, void* buffer, long count)
{
	if (pos < 0 || count < 0 || count > fileSize - pos)
		return false;
	if (!file->seek(pos))
		return false;
	return file->read(buffer, static_cast<irr::u32>(count)) == count;
}

stringc CZipArchive::makeKeyName(const stringc& name) const
{
	stringc key = ignoreCase ? toLowerName(name) : name;
	return ignorePaths ? getFileNamePart(key) : key;
}

long CZipArchive::scanLocalHeader(long pos)
{
	unsigned char header[localHeaderSize] = {};
	if (!readAt(pos, header, localHeaderSize) || readU32(header) != localHeaderSignature)
		return -1;

	ZipEntry entry;
	entry.flags = readU16(header + 6);
	entry.method = readU16(header + 8);
	entry.crc = readU32(header + 14);
	entry.compressedSize = readU32(header + 18);
	entry.uncompressedSize = readU32(header + 22);
	const long nameLength = readU16(header + 26);
	const long extraLength = readU16(header + 28);

	std::vector<char> nameBuffer(static_cast<size_t>(nameLength) + 2, 0);
	if (!readAt(pos + localHeaderSize, nameBuffer.data(), nameLength))
		return -1;
	stringc zipName(nameBuffer.data(), static_cast<irr::u32>(nameLength));
	if (ignoreCase)
		zipName = toLowerName(zipName);

	const long dataPos = pos + localHeaderSize + nameLength + extraLength;
	if (dataPos > fileSize)
		return -1;

	// With flag bit 3 the local sizes may be zero; the central directory has the real ones.
	const bool sizesFollowData = (entry.flags & 8) != 0;
	if (sizesFollowData)
	{
		readCentralDirectory();
		auto found = centralSizes.find(pos);
		if (found == centralSizes.end())
			return -1;
		entry.crc = found->second.crc;
		entry.compressedSize = found->second.compressedSize;
		entry.uncompressedSize = found->second.uncompressedSize;
	}
	if (static_cast<irr::u64>(entry.compressedSize) > static_cast<irr::u64>(fileSize - dataPos))
		return -1;

	const int slash = zipName.findLast('/');
	entry.folderPart = slash < 0 ? stringc() : zipName.subString(0, slash + 1);
	entry.info.storedName = zipName;
	entry.info.keyName = ignorePaths ? zipName.subString(slash + 1, zipName.size() - slash - 1) : zipName;
	entry.info.dataOffset = dataPos;
	entry.info.size = static_cast<long>(entry.uncompressedSize);
	entries.push_back(entry);

	long next = dataPos + static_cast<long>(entry.compressedSize);
	if (sizesFollowData)
	{
		// The data descriptor: CRC and both sizes, optionally after its own signature.
		unsigned char signature[4] = {};
		next += readAt(next, signature, 4) && readU32(signature) == descriptorSignature ? 16 : 12;
	}
	return next;
}

void CZipArchive::readCentralDirectory()
{
	if (centralRead)
		return;
	centralRead = true;

	// The end record sits in the last 22 bytes plus at most a 65535-byte comment.
	const long tailSize = std::min<long>(fileSize, endOfCentralSize + 0xFFFF);
	if (tailSize < endOfCentralSize)
		return;
	std::vector<unsigned char> tail(static_cast<size_t>(tailSize));
	const long tailStart = fileSize - tailSize;
	if (!readAt(tailStart, tail.data(), tailSize))
		return;
	long end = -1;
	for (long i = tailSize - endOfCentralSize; i >= 0; --i)
	{
		if (readU32(&tail[static_cast<size_t>(i)]) == endOfCentralSignature)
		{
			end = i;
			break;
		}
	}
	if (end < 0)
		return;

	const long directorySize = readU32(&tail[static_cast<size_t>(end) + 12]);
	const long directoryOffset = readU32(&tail[static_cast<size_t>(end) + 16]);
	if (directoryOffset > fileSize || directorySize > fileSize - directoryOffset)
		return;
	std::vector<unsigned char> directory(static_cast<size_t>(directorySize));
	if (!readAt(directoryOffset, directory.data(), directorySize))
		return;

	long p = 0;
	while (p + centralHeaderSize <= directorySize)
	{
		const unsigned char* record = &directory[static_cast<size_t>(p)];
		if (readU32(record) != centralHeaderSignature)
			break;
		CentralSizes sizes{readU32(record + 16), readU32(record + 20), readU32(record + 24)};
		centralSizes[static_cast<long>(readU32(record + 42))] = sizes;
		p += centralHeaderSize + readU16(record + 28) + readU16(record + 30) + readU16(record + 32);
	}
}

irr::s32 CZipArchive::findFile(const stringc& name)
{
	const stringc key = makeKeyName(name);
	auto found = std::lower_bound(entries.begin(), entries.end(), key,
	                              [](const ZipEntry& e, const stringc& k)
	                              { return compareArchiveNames(e.info.keyName, k) < 0; });
	if (found == entries.end() || compareArchiveNames(found->info.keyName, key) != 0)
		return -1;
	return static_cast<irr::s32>(found - entries.begin());
}

const SArchiveEntry* CZipArchive::getFileEntry(irr::u32 index) const
{
	return index < entries.size() ? &entries[index].info : nullptr;
}

IReadFile* CZipArchive::openFile(irr::s32 index)
{
	if (index < 0 || static_cast<size_t>(index) >= entries.size())
		return nullptr;
	const ZipEntry& entry = entries[static_cast<size_t>(index)];
	switch (entry.method)
	{
	case 0:
		return new CRangeReadFile(entry.info.keyName, file, entry.info.dataOffset,
		                          static_cast<long>(entry.compressedSize));
	case 8:
		return inflateEntry(entry);
	default:
		getLogger()->log("File has unsupported compression method. %s", entry.info.keyName.c_str(), 2);
		return nullptr;
	}
}

IReadFile* CZipArchive::inflateEntry(const ZipEntry& entry)
{
	const char* name = entry.info.keyName.c_str();
	if (entry.uncompressedSize > entry.compressedSize * maxDeflateRatio + 64)
	{
		getLogger()->log("Error decompressing %s", name, 2);
		return nullptr;
	}
	// One spare byte so an empty entry still has a buffer.
	unsigned char* output = new (std::nothrow) unsigned char[static_cast<size_t>(entry.uncompressedSize) + 1];
	unsigned char* input = new (std::nothrow) unsigned char[static_cast<size_t>(entry.compressedSize) + 1];
	if (!output || !input)
	{
		delete[] output;
		delete[] input;
		getLogger()->log("Not enough memory for decompressing %s", name, 2);
		return nullptr;
	}
	const bool readAll = readAt(entry.info.dataOffset, input, static_cast<long>(entry.compressedSize));

	z_stream stream = {};
	stream.next_in = input;
	stream.avail_in = entry.compressedSize;
	stream.next_out = output;
	stream.avail_out = entry.uncompressedSize;
	int result = Z_DATA_ERROR;
	if (readAll && inflateInit2(&stream, -MAX_WBITS) == Z_OK)
	{
		result = inflate(&stream, Z_FINISH);
		inflateEnd(&stream);
	}
	delete[] input;

	if (result != Z_STREAM_END || stream.total_out != entry.uncompressedSize)
	{
		getLogger()->log("Error decompressing %s", name, 2);
		delete[] output;
		return nullptr;
	}
	return new CMemoryFile(output, static_cast<long>(entry.uncompressedSize), entry.info.keyName, true);
}
