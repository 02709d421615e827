#include "GDebugStatsScene.h"

#include "app/GGameApplication.h"
#include "content/CContentManager.h"
#include "content/CFont.h"
#include "content/ContentType.h"
#include "device/IDevice.h"
#include "nodes/TextNode.h"
#include "scene/NodeEvents.h"
#include "scene/NodeFactory.h"

#include <irrlicht/IVideoDriver.h>

GDebugStatsScene::GDebugStatsScene(const ContentRef& reference, BaseNode* parentNode, INodeEventQueue* manager)
    : GBaseSceneNode(reference, parentNode, manager)
{
	// In front of every screen under a scene manager that draws by depth.
	setPosition(irr::core::vector3df(0.0f, 0.0f, OverlayDepth));
}

GDebugStatsScene::~GDebugStatsScene() = default;

const irr::core::stringw& GDebugStatsScene::typeNameText()
{
	static const irr::core::stringw name(L"GDebugStatsScene");
	return name;
}

irr::core::stringw GDebugStatsScene::formatStats(int fps, unsigned frameMs, unsigned primitives)
{
	irr::core::stringw text(L"fps: ");
	text += irr::core::stringw(fps);
	text += L"\nms:";
	text += irr::core::stringw(frameMs);
	text += L"\n";
	text += irr::core::stringw(primitives / 2);
	return text;
}

bool GDebugStatsScene::onSceneChangeStarted(CEventNodeSceneChangeStarted* event)
{
	if (GBaseSceneNode::onSceneChangeStarted(event))
		return true;
	if (event->newScene != this)
		return false;
	createStatsText();
	return true;
}

void GDebugStatsScene::createStatsText()
{
	if (statsText)
		removeChild(statsText.get());
	statsText = nullptr;
	BaseNode* node = NodeFactory::instance()->createNode(L"TextNode", getContentRef());
	SmartPointer<TextNode> text(nodeCast<TextNode>(node));
	if (!text)
	{
		if (node)
			node->drop();
		return;
	}
	addChild(text.get());
	text->setPivotPoint(irr::core::vector2df(0.0f, 0.0f));
	text->setPosition(irr::core::vector3df(0.0f, 0.0f, 0.0f));
	text->setText(L"0");
	CContentManager* content = getContentRef().getContentManager();
	if (!content && gGameApplication)
		content = gGameApplication->contentManager;
	if (content)
	{
		// A missing font keeps the node's default one.
		SmartPointer<ContentObject> loaded(content->getContent(ContentTypeFont, FontName, true));
		if (CFont* font = dynamic_cast<CFont*>(loaded.get()))
			text->setFont(font);
	}
	statsText = text;
}

bool GDebugStatsScene::updateTime(unsigned elapsed)
{
	GBaseSceneNode::updateTime(elapsed);
	IDevice* device = Singleton<IDevice>::peek();
	irr::video::IVideoDriver* driver = device ? device->getVideoDriver() : nullptr;
	if (statsText && driver)
	{
		const unsigned frameMs = gGameApplication ? static_cast<unsigned>(gGameApplication->frameTime) : 0u;
		statsText->setText(formatStats(driver->getFPS(), frameMs, driver->getPrimitiveCountDrawn()));
	}
	return true;
}
