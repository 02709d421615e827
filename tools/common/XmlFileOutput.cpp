#include "XmlFileOutput.h"

#include "content/CWriteFile.h"
#include "content/CXMLWriter.h"
#include "core/SmartPointer.h"

bool writeXmlFile(const std::string& path, const std::function<void(IXMLWriter&)>& body)
{
	SmartPointer<CWriteFile> file(new CWriteFile(path.c_str(), false));
	if (!file->isOpen())
		return false;
	CXMLWriter writer(file.get());
	writer.writeXMLHeader();
	body(writer);
	return true;
}
