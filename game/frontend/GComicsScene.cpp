#include "GComicsScene.h"

#include "LevelLoading.h"
#include "SceneLookup.h"
#include "audio/CSoundManager.h"
#include "content/CContentManager.h"
#include "core/InputEvents.h"
#include "device/IDevice.h"
#include "scene/NodeEvents.h"

namespace
{
constexpr int KeyEscape = 27;

StringId nameId(const char* text)
{
	return internStringId(text);
}

enum ComicName
{
	OnAppear,
	OnDisappear,
	Unhide,
	PieceWaiting,
	PieceNoWait,
	PieceNoDisappear,
};

StringId comicName(ComicName name)
{
	static const frontend::InternedNames<6> names(
	    {"OnAppear", "OnDisappear", "Unhide", "TextBg", "TextBgNoWait", "TextBgNoDisappear"});
	return names[name];
}

bool isPiece(const BaseNode* node)
{
	const StringId name = node->getName();
	return name == comicName(PieceWaiting) || name == comicName(PieceNoWait) || name == comicName(PieceNoDisappear);
}

using frontend::directChild;

void addPreListener(BaseNode* node, EventReceiver* receiver)
{
	node->removePreListener(receiver);
	node->preListeners.push_back(receiver);
}
} // namespace

GComicsScene::GComicsScene(const ContentRef& reference, BaseNode* parentNode, INodeEventQueue* manager)
    : GBaseSceneNode(reference, parentNode, manager)
{
}

GComicsScene::~GComicsScene()
{
	stopListening();
	if (partsNode)
		partsNode->removePreListener(this);
}

const irr::core::stringw& GComicsScene::typeNameText()
{
	static const irr::core::stringw name(L"GComicsScene");
	return name;
}

void GComicsScene::copyFrom(const BaseNode* source, INodeEventQueue* manager)
{
	GBaseSceneNode::copyFrom(source, manager);
}

BaseNode* GComicsScene::getPart(int index) const
{
	return index >= 0 && index < getPartCount() ? parts[static_cast<size_t>(index)].get() : nullptr;
}

BaseNode* GComicsScene::getPiece(int index) const
{
	return index >= 0 && index < static_cast<int>(pieces.size()) ? pieces[static_cast<size_t>(index)].get() : nullptr;
}

bool GComicsScene::isCurrentPart(const BaseNode* node) const
{
	return node && node == getPart(currentPart);
}

bool GComicsScene::isCurrentPiece(const BaseNode* node) const
{
	return node && node == getPiece(currentPiece);
}

void GComicsScene::onLoaded()
{
	GBaseSceneNode::onLoaded();
	stopListening();
	if (partsNode)
		partsNode->removePreListener(this);
	partsNode = nullptr;
	parts.clear();
	pieces.clear();
	currentPart = -1;
	currentPiece = -1;

	BaseNode* scene = directChild(this, "Scene");
	if (!scene)
		return;
	darkBg = shareRef(directChild(scene, "DarkBg"));
	backButton = shareRef(directChild(scene, "BackButton"));
	if (backButton)
		backButton->setVisible(false);
	partsNode = shareRef(directChild(scene, "Parts"));
	if (!partsNode)
		return;
	// The parts report their children's state ends to "Parts"; the scene hears them there.
	addPreListener(partsNode.get(), this);
	const irr::core::array<BaseNode*>& children = partsNode->getChildren();
	for (irr::u32 i = 0; i < children.size(); ++i)
	{
		parts.push_back(shareRef(children[i]));
		children[i]->setVisible(false);
	}
	if (backButton)
		backButton->setVisible(parts.empty());
}

void GComicsScene::listenTo(BaseNode* node)
{
	stopListening();
	if (!node)
		return;
	listenedBg = shareRef(node);
	addPreListener(node, this);
}

void GComicsScene::stopListening()
{
	if (listenedBg)
		listenedBg->removePreListener(this);
	listenedBg = nullptr;
}

// ---- the sequence

bool GComicsScene::openMiniGame()
{
	// Over the comic, which stays in sight while the auction's level loads.
	return openLevelLoading(this, MiniGameLevelName, true, nameId("NavFromComics3"), nameId("NavToComics3")) !=
	       nullptr;
}

void GComicsScene::nextPart()
{
	if (getPart(currentPart))
		stopListening();
	++currentPart;
	if (currentPart >= getPartCount())
	{
		currentPart = getPartCount();
		if (backButton)
		{
			backButton->setVisible(true);
			backButton->setState(comicName(OnAppear), nullptr, StringId());
		}
		return;
	}
	BaseNode* part = getPart(currentPart);
	if (!miniGameOpened && directChild(part, "NavToMini3Marker"))
	{
		// Played before this panel, once; coming back replays the panel.
		miniGameOpened = true;
		if (openMiniGame())
		{
			--currentPart;
			return;
		}
	}
	pieces.clear();
	if (BaseNode* bg = directChild(part, "Bg"))
	{
		listenTo(bg);
		const irr::core::array<BaseNode*>& children = bg->getChildren();
		for (irr::u32 i = 0; i < children.size(); ++i)
			if (isPiece(children[i]))
				pieces.push_back(shareRef(children[i]));
	}
	for (const SmartPointer<BaseNode>& piece : pieces)
		piece->setVisible(false);
	currentPiece = -1;
	part->setVisible(true);
	part->setChildrenState(comicName(OnAppear), nullptr);
	playCue("ObjectivesWindow");
}

void GComicsScene::nextPiece()
{
	BaseNode* part = getPart(currentPart);
	if (!part)
		return;
	BaseNode* previous = getPiece(currentPiece);
	if (currentPiece < static_cast<int>(pieces.size()))
		++currentPiece;
	// Counted on first: a box without a disappearing look reports its end at once, and the part's end
	// is recognised by the index standing past the last box.
	if (previous && previous->getName() == comicName(PieceWaiting))
		previous->setState(comicName(OnDisappear), nullptr, StringId());
	if (BaseNode* piece = getPiece(currentPiece))
	{
		piece->setVisible(true);
		piece->setState(comicName(OnAppear), nullptr, StringId());
		playCue("ComicsText");
		return;
	}
	if (pieces.empty() && !busy)
	{
		busy = true;
		part->setChildrenState(comicName(OnDisappear), nullptr);
	}
}

void GComicsScene::endPart()
{
	for (const SmartPointer<BaseNode>& piece : pieces)
		if (piece->getName() != comicName(PieceNoDisappear))
			piece->setVisible(false);
	busy = true;
	getPart(currentPart)->setChildrenState(comicName(OnDisappear), nullptr);
	if (!darkBg)
		return;
	if (currentPart == 0)
	{
		darkBg->setState(comicName(OnAppear), nullptr, StringId());
	}
	else if (currentPart == getPartCount() - 1)
	{
		darkBg->setState(comicName(OnDisappear), nullptr, StringId());
		for (int i = 0; i < currentPart; ++i)
			getPart(i)->setChildrenState(comicName(Unhide), nullptr);
	}
}

// ---- events

bool GComicsScene::onChildrenStateFinished(CEventNodeChildrenStateFinished* event)
{
	if (isCurrentPart(event->node))
	{
		if (event->stateName == comicName(OnAppear))
		{
			nextPiece();
		}
		else if (event->stateName == comicName(OnDisappear) && busy)
		{
			busy = false;
			nextPart();
		}
	}
	return GBaseSceneNode::onChildrenStateFinished(event);
}

bool GComicsScene::onStateFinished(CEventNodeStateFinished* event)
{
	BaseNode* node = event->node;
	if (isCurrentPiece(node) && event->stateName == comicName(OnAppear) &&
	    (node->getName() == comicName(PieceNoWait) || node->getName() == comicName(PieceNoDisappear)))
	{
		nextPiece();
	}
	else if (getPart(currentPart) && !busy && !pieces.empty() && currentPiece >= static_cast<int>(pieces.size()) &&
	         node == pieces.back().get() && event->stateName == comicName(OnDisappear))
	{
		endPart();
	}
	return GBaseSceneNode::onStateFinished(event);
}

bool GComicsScene::onKeyUp(CEventInputKeyUp* event)
{
	if (GBaseSceneNode::onKeyUp(event))
		return true;
	if (event->key != KeyEscape)
		return false;
	closeTo(0, nameIdNavBackFrom(), nameIdNavBackTo());
	return true;
}

bool GComicsScene::onSceneChangeStarted(CEventNodeSceneChangeStarted* event)
{
	if (GBaseSceneNode::onSceneChangeStarted(event))
		return true;
	if (event->newScene == this)
	{
		IDevice* device = Singleton<IDevice>::peek();
		if (CSoundManager* sounds = device ? device->getSoundManager() : nullptr)
			sounds->playCue(nameId("ComicsMusic"), true, 0);
	}
	return false;
}

bool GComicsScene::onSceneChangeFinished(CEventNodeSceneChangeFinished* event)
{
	if (GBaseSceneNode::onSceneChangeFinished(event))
		return true;
	if (event->newScene != this)
		return false;
	// Opened over another scene: from the start. Uncovered again after the auction: the interrupted panel.
	if (event->flag != 0)
		currentPart = -1;
	nextPart();
	return true;
}

bool GComicsScene::onNodePressed(CEventNodeClicked* event)
{
	if (GBaseSceneNode::onNodePressed(event))
		return true;
	if (event->control && event->control == backButton.get())
		closeTo(0, nameIdNavBackFrom(), nameIdNavBackTo());
	else if (!busy)
		nextPiece();
	return true;
}
