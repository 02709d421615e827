#include "GLogosScene.h"

#include "app/GGameApplication.h"
#include "content/AtlasTexture.h"
#include "content/CContentManager.h"
#include "content/CDictionary.h"
#include "core/CPropertyCollection.h"
#include "core/InputEvents.h"
#include "data/GLogosList.h"
#include "device/IDevice.h"
#include "nodes/SpriteNode.h"
#include "scene/NodeEvents.h"

namespace
{
const wchar_t* const DefaultTitle = L"Verandel";

StringId nameIdSwap()
{
	static const StringId id = internStringId("Swap");
	return id;
}

StringId nameIdSwap0()
{
	static const StringId id = internStringId("Swap0");
	return id;
}

SpriteNode* findSprite(const BaseNode* parent, const char* name)
{
	return parent ? nodeCast<SpriteNode>(parent->findChild(internStringId(name), 0)) : nullptr;
}
} // namespace

GLogosScene::GLogosScene(const ContentRef& reference, BaseNode* parentNode, INodeEventQueue* manager)
    : GBaseSceneNode(reference, parentNode, manager)
{
}

const irr::core::stringw& GLogosScene::typeNameText()
{
	static const irr::core::stringw name(L"GLogosScene");
	return name;
}

void GLogosScene::copyFrom(const BaseNode* source, INodeEventQueue* manager)
{
	GBaseSceneNode::copyFrom(source, manager);
}

void GLogosScene::onLoaded()
{
	BaseNode* pictures = findChild(internStringId("Scene"), 0);
	backLogo = findSprite(pictures, "Logo1");
	frontLogo = findSprite(pictures, "Logo2");
}

bool GLogosScene::skipLogo()
{
	if (skippable)
	{
		remaining = 0;
		skippable = false;
	}
	return true;
}

bool GLogosScene::sendToChildren(int mode, CEvent* event)
{
	if (event && event->typeId() == CEventInputMouseLeftDown::TypeId)
		return skipLogo();
	return GBaseSceneNode::sendToChildren(mode, event);
}

void GLogosScene::loadTexts()
{
	IDevice* device = getDevice();
	CDictionary* dictionary = device->getDictionary();
	irr::core::stringw title;
	if (dictionary)
	{
		dictionary->loadFile("strings/Dictionary.xml");
		title = dictionary->getText("TitleName");
	}
	if (title.empty())
		title = DefaultTitle;
	device->setSetting("TitleCaption", title.c_str());
	device->setWindowCaption(title.c_str());
}

bool GLogosScene::onSceneChangeStarted(CEventNodeSceneChangeStarted* event)
{
	GBaseSceneNode::onSceneChangeStarted(event);
	if (event->newScene != this)
		return false;
	loadTexts();
	return true;
}

bool GLogosScene::onSceneChangeFinished(CEventNodeSceneChangeFinished* event)
{
	GBaseSceneNode::onSceneChangeFinished(event);
	if (event->newScene != this)
		return false;
	showNextLogo();
	return true;
}

void GLogosScene::showNextLogo()
{
	GLogosList* logos = gGameApplication ? gGameApplication->logosList.get() : nullptr;
	GLogoEntry entry;
	if (logos && logos->takeFirstLogo(entry))
	{
		SmartPointer<AtlasTexture> picture;
		if (gGameApplication->contentManager)
			picture = SmartPointer<AtlasTexture>(gGameApplication->contentManager->getAtlasTexture(entry.image, false));
		remaining = entry.time;
		skippable = entry.skippable;
		if (frontLogo)
		{
			AtlasTexture* previous = frontLogo->getAtlasTexture();
			if (backLogo)
			{
				backLogo->setState(nameIdSwap(), nullptr, StringId());
				backLogo->setAtlasTexture(previous);
			}
			frontLogo->setState(previous ? nameIdSwap() : nameIdSwap0(), nullptr, StringId());
			frontLogo->setAtlasTexture(picture.get());
		}
		return;
	}
	if (frontLogo)
	{
		if (backLogo)
		{
			backLogo->setState(nameIdSwap(), nullptr, StringId());
			backLogo->setAtlasTexture(frontLogo->getAtlasTexture());
		}
		frontLogo->setAtlasTexture(nullptr);
	}
	finished = true;
	remaining = FinalFadeTime;
}

bool GLogosScene::updateTime(unsigned elapsed)
{
	GBaseSceneNode::updateTime(elapsed);
	remaining -= static_cast<int>(elapsed);
	if (remaining >= 0)
		return true;
	GLogosList* logos = gGameApplication ? gGameApplication->logosList.get() : nullptr;
	if ((logos && logos->getLogoCount() > 0) || !finished)
	{
		showNextLogo();
		return true;
	}
	openScene(IntroSceneName, false, nameIdNavFrom(), nameIdNavTo());
	return false;
}
