#include "FuzzAtlasSupport.h"

#include "content/AtlasTextureCollection.h"
#include "content/CXMLReader.h"
#include "content/CXMLWriter.h"
#include "content/IWriteFile.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace
{
// Keeps what the writer produces, so the written list can be read back.
class StringFile : public IWriteFile
{
public:
	irr::s32 write(const void* buffer, irr::u32 size) override
	{
		text.append(static_cast<const char*>(buffer), size);
		return static_cast<irr::s32>(size);
	}
	bool seek(long, bool) override { return false; }
	long getPos() const override { return static_cast<long>(text.size()); }
	const irr::core::stringc& getFileName() const override { return name; }

	std::string text;

private:
	irr::core::stringc name{"copy.xml"};
};

irr::u32 readList(CContentManager* manager, const void* data, size_t size, std::string* written)
{
	SmartPointer<CXMLReader> reader(new CXMLReader(data, size));
	SmartPointer<AtlasTextureCollection> list(new AtlasTextureCollection(ContentRef(manager, "list.xml")));
	manager->pushFolder("list.xml");
	list->load(reader.get());
	manager->popFolder();
	for (irr::u32 i = 0; i < list->getFrameCount(); ++i)
		list->getFrame(i)->getUncutSize();
	if (written)
	{
		StringFile* file = new StringFile();
		{
			SmartPointer<CXMLWriter> writer(new CXMLWriter(file));
			writer->writeXMLHeader();
			list->save(writer.get());
		}
		*written = file->text;
		file->drop();
	}
	return list->getFrameCount();
}
} // namespace

// Reads the input as an atlas list over two known pages, writes it and reads the copy.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	CContentManager* manager = FuzzAtlasPages::instance().createManager();
	std::string written;
	const irr::u32 frames = readList(manager, data, size, &written);
	// The frames stay cached; the copy's frames are listed all the same.
	const irr::u32 again = readList(manager, written.data(), written.size(), nullptr);
	if (again != frames)
		__builtin_trap();
	manager->releaseAllContent();
	manager->drop();
	return 0;
}
