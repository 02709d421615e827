#include "CPackedArchiveWriter.h"

#include "content/AssetCipher.h"
#include "content/IWriteFile.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace
{
void appendU32(std::vector<unsigned char>& out, irr::u32 value)
{
	for (int i = 0; i < 4; ++i)
		out.push_back(static_cast<unsigned char>(value >> (8 * i)));
}
} // namespace

CPackedArchiveWriter::CPackedArchiveWriter(const irr::core::stringc& cipherKey) : key(cipherKey) {}

bool CPackedArchiveWriter::addEntry(const std::string& name, const void* data, size_t size)
{
	if (name.empty() || name.size() > 0xFFFF)
		return false;
	const unsigned char* bytes = static_cast<const unsigned char*>(data);
	entries.push_back(Entry{name, std::vector<unsigned char>(bytes, bytes + size)});
	return true;
}

bool CPackedArchiveWriter::addFolder(const std::string& folder)
{
	namespace fs = std::filesystem;
	std::error_code error;
	if (!fs::is_directory(folder, error))
		return false;
	std::vector<fs::path> files;
	for (fs::recursive_directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
		if (it->is_regular_file(error))
			files.push_back(it->path());
	if (error)
		return false;
	// A fixed order makes the same folder give the same archive.
	std::sort(files.begin(), files.end());
	for (const fs::path& file : files)
	{
		std::ifstream in(file, std::ios::binary);
		if (!in)
			return false;
		std::vector<unsigned char> data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
		const std::string name = file.lexically_relative(folder).generic_string();
		if (!addEntry(name, data.data(), data.size()))
			return false;
	}
	return true;
}

std::vector<unsigned char> CPackedArchiveWriter::build() const
{
	std::vector<unsigned char> out = {'Q', 'C', 'A', 0};
	out.resize(16, 0);

	std::vector<irr::u32> offsets;
	for (const Entry& entry : entries)
	{
		const irr::u32 offset = static_cast<irr::u32>(out.size());
		offsets.push_back(offset);
		out.insert(out.end(), entry.data.begin(), entry.data.end());
		applyAssetCipher(key, out.data() + offset, static_cast<irr::u32>(entry.data.size()),
		                 assetCipherPosition(key, offset));
	}

	const irr::u32 tableOffset = static_cast<irr::u32>(out.size());
	for (size_t i = 0; i < entries.size(); ++i)
	{
		const Entry& entry = entries[i];
		out.push_back(static_cast<unsigned char>(entry.name.size() & 0xFF));
		out.push_back(static_cast<unsigned char>(entry.name.size() >> 8));
		out.insert(out.end(), entry.name.begin(), entry.name.end());
		appendU32(out, offsets[i]);
		appendU32(out, static_cast<irr::u32>(entry.data.size()));
	}
	applyAssetCipher(key, out.data() + tableOffset, static_cast<irr::u32>(out.size() - tableOffset),
	                 assetCipherPosition(key, tableOffset));

	std::vector<unsigned char> header;
	appendU32(header, tableOffset);
	appendU32(header, static_cast<irr::u32>(entries.size()));
	std::copy(header.begin(), header.end(), out.begin() + 4);
	return out;
}

bool CPackedArchiveWriter::write(IWriteFile* file) const
{
	if (!file)
		return false;
	const std::vector<unsigned char> bytes = build();
	size_t done = 0;
	while (done < bytes.size())
	{
		const irr::u32 chunk = static_cast<irr::u32>(std::min<size_t>(bytes.size() - done, 1u << 20));
		const irr::s32 written = file->write(bytes.data() + done, chunk);
		if (written <= 0)
			return false;
		done += static_cast<size_t>(written);
	}
	return true;
}

bool CPackedArchiveWriter::writeToFile(const std::string& fileName) const
{
	const std::vector<unsigned char> bytes = build();
	FILE* out = fopen(fileName.c_str(), "wb");
	if (!out)
		return false;
	const bool written = fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
	return fclose(out) == 0 && written;
}
