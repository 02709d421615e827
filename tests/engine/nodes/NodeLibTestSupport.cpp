#include "NodeLibTestSupport.h"

#include "content/CFont.h"
#include "content/CXMLReader.h"
#include "scene/NodeFactory.h"
#include "scene/SceneFileReader.h"

namespace
{
const char* const glyphCharacters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr irr::u32 cellsPerRow = 16;
constexpr irr::u32 cellWidth = 8;
constexpr irr::u32 cellHeight = 10;
// The space's cell, after the 62 glyph cells.
constexpr irr::u32 spaceIndex = 62;

// Records what reaches the root of the test scene.
class RecordingRoot : public BaseNode
{
public:
	RecordingRoot(std::vector<int>& log) : log(log) {}
	bool onEvent(CEvent* event) override
	{
		if (event)
			log.push_back(event->typeId());
		return BaseNode::onEvent(event);
	}
	std::vector<int>& log;
};

std::string fontXml(const char* globalKerning)
{
	std::string xml = "<Font Type=\"Bitmap\">";
	if (globalKerning)
		xml +=
		    std::string("<Properties><vector2d Name=\"GlobalKerning\" Value=\"") + globalKerning + "\"/></Properties>";
	xml += "<Texture Filename=\"page.png\"/>";
	for (irr::u32 i = 0; glyphCharacters[i]; ++i)
	{
		const irr::u32 x = i % cellsPerRow * cellWidth;
		const irr::u32 y = i / cellsPerRow * cellHeight;
		xml += std::string("<c c=\"") + glyphCharacters[i] + "\" r=\"" + std::to_string(x) + "," + std::to_string(y) +
		       "," + std::to_string(x + cellWidth) + "," + std::to_string(y + cellHeight) + "\"/>";
	}
	const irr::u32 sx = spaceIndex % cellsPerRow * cellWidth;
	const irr::u32 sy = spaceIndex / cellsPerRow * cellHeight;
	xml += "<c c=\" \" r=\"" + std::to_string(sx) + "," + std::to_string(sy) + "," + std::to_string(sx + 4) + "," +
	       std::to_string(sy + cellHeight) + "\"/>";
	xml += "<k c=\"AV\" k=\"-2\"/></Font>";
	return xml;
}
} // namespace

ControlTestServices::ControlTestServices()
{
	root = SmartPointer<BaseNode>(new RecordingRoot(rootEvents));
}

ControlTestServices::~ControlTestServices()
{
	queue.clear();
	root->removeAllChildren();
}

void ControlTestServices::loadTemplates(const std::string& children)
{
	const std::string xml = "<SceneNode Type=\"TemplateCollectionNode\">" + children + "</SceneNode>";
	SmartPointer<CXMLReader> reader(new CXMLReader(xml.data(), xml.size()));
	BaseNode* node = SceneFileReader::loadDocument(reader.get(), NodeFactory::instance(), nullptr, ContentRef(), "t");
	templates = SmartPointer<TemplateCollectionNode>(nodeCast<TemplateCollectionNode>(node));
}

void ControlTestServices::attach(BaseNode* node)
{
	// Nothing looks through the scene link but these services, which ignore it.
	static char marker;
	root->addChild(node);
	root->attachToSceneManager(this, reinterpret_cast<SceneNode*>(&marker));
}

void ControlTestServices::tick(int times)
{
	for (int i = 0; i < times; ++i)
	{
		scheduler->update(20);
		queue.drain();
	}
}

int ControlTestServices::count(int typeId) const
{
	int n = 0;
	for (int id : rootEvents)
		n += id == typeId ? 1 : 0;
	return n;
}

std::string templateXml(const char* name, const std::string& children)
{
	return std::string("<SceneNode Type=\"BaseNode\"><Properties><string Name=\"Name\" Value=\"") + name +
	       "\"/></Properties>" + children + "</SceneNode>";
}

std::string partXml(const char* type, const char* name, const std::string& properties, const std::string& states)
{
	std::string xml = std::string("<SceneNode Type=\"") + type + "\"><Properties><string Name=\"Name\" Value=\"" +
	                  name + "\"/>" + properties + "</Properties>";
	if (!states.empty())
		xml += "<States>" + states + "</States>";
	return xml + "</SceneNode>";
}

std::string tintState(const char* state, const char* argb)
{
	return std::string("<State Name=\"") + state +
	       "\"><StartAnimator Type=\"SetProps\"><color Name=\"TintColor\" Value=\"" + argb +
	       "\"/></StartAnimator></State>";
}

irr::u32 fontPagePixel(irr::u32 x, irr::u32 y)
{
	const irr::u32 index = y / cellHeight * cellsPerRow + x / cellWidth;
	return index < spaceIndex ? 0xFFFFFFFF : 0x00000000;
}

TextFontFixture::TextFontFixture(irr::video::IVideoDriver* driver) : content(driver)
{
	content.writePng("fonts/page.png", 128, 128, fontPagePixel);
	content.write("fonts/plain.qfnt", fontXml(nullptr));
	content.write("fonts/spaced.qfnt", fontXml("0;1"));
	plain = content.get<CFont>(ContentTypeFont, "fonts/plain.qfnt");
	spaced = content.get<CFont>(ContentTypeFont, "fonts/spaced.qfnt");
}
