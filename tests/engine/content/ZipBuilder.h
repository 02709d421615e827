#pragma once

#include <cstdint>
#include <string>
#include <vector>
#include <zlib.h>

// Writes small zip files for tests: stored, deflated or any method number, with or without data descriptors.
struct ZipItem
{
	std::string name;
	std::string data;
	// 0 stored, 8 deflated; other numbers store the data under that method.
	int method = 0;
	// Flag bit 3: zero sizes in the local header, a data descriptor after the data.
	bool descriptor = false;
};

inline std::string rawDeflate(const std::string& data)
{
	z_stream s = {};
	deflateInit2(&s, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
	std::string out(deflateBound(&s, static_cast<uLong>(data.size())) + 16, '\0');
	s.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
	s.avail_in = static_cast<uInt>(data.size());
	s.next_out = reinterpret_cast<Bytef*>(out.data());
	s.avail_out = static_cast<uInt>(out.size());
	deflate(&s, Z_FINISH);
	out.resize(s.total_out);
	deflateEnd(&s);
	return out;
}

inline void putU16(std::string& out, uint32_t v)
{
	out += static_cast<char>(v & 0xFF);
	out += static_cast<char>((v >> 8) & 0xFF);
}

inline void putU32(std::string& out, uint32_t v)
{
	putU16(out, v & 0xFFFF);
	putU16(out, v >> 16);
}

inline std::string buildZip(const std::vector<ZipItem>& items)
{
	std::string zip;
	std::string central;
	for (const ZipItem& item : items)
	{
		const std::string payload = item.method == 8 ? rawDeflate(item.data) : item.data;
		const uint32_t crc = static_cast<uint32_t>(
		    crc32(0, reinterpret_cast<const Bytef*>(item.data.data()), static_cast<uInt>(item.data.size())));
		const uint32_t flags = item.descriptor ? 8 : 0;
		const uint32_t offset = static_cast<uint32_t>(zip.size());

		putU32(zip, 0x04034B50);
		putU16(zip, 20);
		putU16(zip, flags);
		putU16(zip, static_cast<uint32_t>(item.method));
		putU32(zip, 0); // time and date
		putU32(zip, item.descriptor ? 0 : crc);
		putU32(zip, item.descriptor ? 0 : static_cast<uint32_t>(payload.size()));
		putU32(zip, item.descriptor ? 0 : static_cast<uint32_t>(item.data.size()));
		putU16(zip, static_cast<uint32_t>(item.name.size()));
		putU16(zip, 0);
		zip += item.name;
		zip += payload;
		if (item.descriptor)
		{
			putU32(zip, 0x08074B50);
			putU32(zip, crc);
			putU32(zip, static_cast<uint32_t>(payload.size()));
			putU32(zip, static_cast<uint32_t>(item.data.size()));
		}

		putU32(central, 0x02014B50);
		putU16(central, 20);
		putU16(central, 20);
		putU16(central, flags);
		putU16(central, static_cast<uint32_t>(item.method));
		putU32(central, 0);
		putU32(central, crc);
		putU32(central, static_cast<uint32_t>(payload.size()));
		putU32(central, static_cast<uint32_t>(item.data.size()));
		putU16(central, static_cast<uint32_t>(item.name.size()));
		putU16(central, 0); // extra
		putU16(central, 0); // comment
		putU16(central, 0); // disk
		putU16(central, 0); // internal attributes
		putU32(central, 0); // external attributes
		putU32(central, offset);
		central += item.name;
	}
	const uint32_t centralOffset = static_cast<uint32_t>(zip.size());
	zip += central;
	putU32(zip, 0x06054B50);
	putU16(zip, 0);
	putU16(zip, 0);
	putU16(zip, static_cast<uint32_t>(items.size()));
	putU16(zip, static_cast<uint32_t>(items.size()));
	putU32(zip, static_cast<uint32_t>(central.size()));
	putU32(zip, centralOffset);
	putU16(zip, 0);
	return zip;
}
