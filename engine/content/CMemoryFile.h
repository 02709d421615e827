#pragma once

#include "content/IReadFile.h"
#include "content/IWriteFile.h"

// A fixed-length file over a caller's buffer, read and written through one position.
class CMemoryFile : public IReadFile, public IWriteFile
{
public:
	// With deleteBufferWhenDropped the file frees the buffer (allocated with new[]) when destroyed.
	CMemoryFile(void* buffer, long length, const irr::core::stringc& fileName, bool deleteBufferWhenDropped);
	~CMemoryFile() override;

	irr::s32 read(void* buffer, irr::u32 sizeToRead) override;
	irr::s32 write(const void* buffer, irr::u32 sizeToWrite) override;
	bool seek(long finalPos, bool relativeMovement = false) override;
	long getSize() const override { return length; }
	long getPos() const override { return pos; }
	const irr::core::stringc& getFileName() const override { return fileName; }

private:
	// Bytes that a transfer of count bytes may move from the current position.
	long available(irr::u32 count) const;

	unsigned char* buffer;
	long length;
	long pos = 0;
	irr::core::stringc fileName;
	bool deleteBuffer;
};
