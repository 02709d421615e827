#include "GSelectPlayerInputNameScene.h"

#include "SceneLookup.h"
#include "content/CProfile.h"
#include "content/CProfileManager.h"
#include "core/InputEvents.h"
#include "nodes/EditNode.h"
#include "scene/NodeEvents.h"

namespace
{
constexpr int KeyEscape = 27;
constexpr int KeyEnter = 13;
} // namespace

GSelectPlayerInputNameScene::GSelectPlayerInputNameScene(const ContentRef& reference, BaseNode* parentNode,
                                                         INodeEventQueue* manager)
    : GBaseSceneNode(reference, parentNode, manager)
{
}

GSelectPlayerInputNameScene::~GSelectPlayerInputNameScene() = default;

const irr::core::stringw& GSelectPlayerInputNameScene::typeNameText()
{
	static const irr::core::stringw name(L"GSelectPlayerInputNameScene");
	return name;
}

bool GSelectPlayerInputNameScene::isAcceptableName(const CProfileManager& profiles, const irr::core::stringw& name)
{
	if (name.empty())
		return false;
	for (int i = 0; i < profiles.getProfileCount(); ++i)
		if (const CProfile* profile = profiles.getProfile(i); profile && profile->getName() == name)
			return false;
	return true;
}

void GSelectPlayerInputNameScene::copyFrom(const BaseNode* source, INodeEventQueue* manager)
{
	GBaseSceneNode::copyFrom(source, manager);
}

void GSelectPlayerInputNameScene::onLoaded()
{
	GBaseSceneNode::onLoaded();
	BaseNode* scene = frontend::directChild(this, "Scene");
	nameEdit = shareRef(frontend::directChildOf<EditNode>(scene, "NameEdit"));
	okButton = shareRef(frontend::directChildOf<ControlNode>(scene, "OkButton"));
}

void GSelectPlayerInputNameScene::closeBack()
{
	closeTo(0, nameIdNavBackFrom(), nameIdNavBackTo());
}

void GSelectPlayerInputNameScene::createProfile()
{
	CProfileManager* profiles = CProfileManager::instance();
	const irr::core::stringw name = nameEdit ? nameEdit->getText() : irr::core::stringw();
	// The button is disabled for such a name; a key or a late click must not add one either.
	if (!isAcceptableName(*profiles, name) || !profiles->addProfile(name))
		return;
	profiles->saveProfiles();
	closeBack();
}

bool GSelectPlayerInputNameScene::onSceneChangeStarted(CEventNodeSceneChangeStarted* event)
{
	if (GBaseSceneNode::onSceneChangeStarted(event))
		return true;
	if (event->newScene != this)
		return false;
	if (nameEdit)
		nameEdit->setText(irr::core::stringw());
	if (okButton)
		okButton->setEnabled(false);
	return true;
}

bool GSelectPlayerInputNameScene::onValueChanged(CEventNodeValueChanged* event)
{
	if (GBaseSceneNode::onValueChanged(event))
		return true;
	if (okButton && nameEdit)
		okButton->setEnabled(isAcceptableName(*CProfileManager::instance(), nameEdit->getText()));
	return false;
}

bool GSelectPlayerInputNameScene::onNodePressed(CEventNodeClicked* event)
{
	if (GBaseSceneNode::onNodePressed(event))
		return true;
	if (frontend::isNamed(event->control, "OkButton"))
	{
		createProfile();
		return true;
	}
	if (frontend::isNamed(event->control, "CancelButton"))
	{
		closeBack();
		return true;
	}
	return false;
}

bool GSelectPlayerInputNameScene::onKeyUp(CEventInputKeyUp* event)
{
	if (GBaseSceneNode::onKeyUp(event))
		return true;
	if (event->key == KeyEscape)
	{
		closeBack();
		return true;
	}
	if (event->key == KeyEnter)
	{
		if (okButton && okButton->isEnabled())
			createProfile();
		return true;
	}
	return false;
}
