#include "GLevelPath.h"
#include "CheckedNumber.h"

#include "LevelDataText.h"
#include "content/IXMLReader.h"
#include "core/NumberText.h"
#include "core/TextUtils.h"

void GLevelPath::read(IXMLReader* reader)
{
	points.clear();
	const irr::core::stringw& idText = reader->getAttributeValue(L"ID");
	id = idText.size() > 0 ? internStringId(narrow(idText)) : StringId();
	time = parseIntRange(reader->getAttributeValue(L"Time").c_str());
	cars = parseIdListW(reader->getAttributeValue(L"Cars"));
	b = reader->getAttributeValue(L"b").size() > 0;
	if (reader->isEmptyElement())
		return;
	while (reader->read())
	{
		const int type = reader->getNodeType();
		if (type == XML_NODE_ELEMENT_END && reader->getNodeName() == L"Path")
			return;
		if (type != XML_NODE_ELEMENT || reader->getNodeName() != L"p")
			continue;
		const irr::core::vector2df at = parseVector2dW(reader->getAttributeValue(L"p").c_str());
		GLevelPathPoint point;
		point.x = at.X;
		point.y = at.Y;
		point.d1 = readFloatAttribute(reader, L"d1", 0.0f);
		point.d2 = readFloatAttribute(reader, L"d2", 0.0f);
		points.push_back(point);
	}
}
