#include "content/CXMLReader.h"
#include "content/CXMLWriter.h"
#include "content/IWriteFile.h"
#include "core/CPropertyCollection.h"

#include <cstddef>
#include <cstdint>

namespace
{
// Counts what the writer produces and keeps nothing.
class DiscardFile : public IWriteFile
{
public:
	irr::s32 write(const void*, irr::u32 sizeToWrite) override
	{
		position += sizeToWrite;
		return static_cast<irr::s32>(sizeToWrite);
	}
	bool seek(long finalPos, bool relativeMovement = false) override
	{
		position = relativeMovement ? position + finalPos : finalPos;
		return true;
	}
	long getPos() const override { return position; }
	const irr::core::stringc& getFileName() const override { return name; }

private:
	long position = 0;
	irr::core::stringc name;
};
} // namespace

// Reads the input as a property collection, then copies, prints and writes it.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	SmartPointer<CXMLReader> reader(new CXMLReader(data, size));
	while (reader->read() && reader->getNodeType() != XML_NODE_ELEMENT)
	{
	}
	SmartPointer<CPropertyCollection> collection(new CPropertyCollection());
	collection->readXml(reader.get(), false);

	SmartPointer<CPropertyCollection> copy = collection->clone();
	for (int i = 0; i < copy->getCount(); ++i)
	{
		SmartPointer<IPropertyData> value = copy->getDataAt(i);
		if (!value)
			continue;
		value->toStringW();
		SmartPointer<IPropertyData> other = collection->getDataAt(i);
		value->equals(*other);
		value->interpolate(*other, *value, 0.5f);
	}
	SmartPointer<DiscardFile> file(new DiscardFile());
	SmartPointer<CXMLWriter> writer(new CXMLWriter(file.get()));
	copy->writeXml(writer.get(), true);
	return 0;
}
