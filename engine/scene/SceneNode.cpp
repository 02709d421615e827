#include "SceneNode.h"

#include "AnimatorSet.h"
#include "NodeEvents.h"
#include "SceneManager.h"
#include "content/CContentManager.h"
#include "content/ContentType.h"
#include "core/ILogger.h"
#include "core/SmartPointer.h"

#include <cstdio>
#include <set>
#include <string>

#include <vector>

namespace
{
// Taken first and held: a stopped state's report may change the children.
void stopStateIn(BaseNode* parent, StringId state)
{
	std::vector<SmartPointer<BaseNode>> participants;
	for (irr::u32 i = 0; i < parent->getChildren().size(); ++i)
		participants.push_back(shareRef(parent->getChildren()[i]));
	for (const SmartPointer<BaseNode>& child : participants)
	{
		if (child->getParent() == parent)
			child->stopState(state, true);
	}
}
} // namespace

SceneNode::SceneNode(const ContentRef& reference, BaseNode* parentNode, INodeEventQueue* manager)
    : ControlNode(reference, parentNode, manager)
{
}

SceneNode::~SceneNode()
{
	setSceneBelow(nullptr);
}

StringId SceneNode::nameIdNavTo()
{
	static const StringId id = internStringId("NavTo");
	return id;
}

StringId SceneNode::nameIdNavFrom()
{
	static const StringId id = internStringId("NavFrom");
	return id;
}

StringId SceneNode::nameIdNavBackFrom()
{
	static const StringId id = internStringId("NavBackFrom");
	return id;
}

StringId SceneNode::nameIdNavBackTo()
{
	static const StringId id = internStringId("NavBackTo");
	return id;
}

void SceneNode::setSceneBelow(SceneNode* scene)
{
	if (scene == sceneBelow)
		return;
	if (scene)
		scene->grab();
	SceneNode* old = sceneBelow;
	sceneBelow = scene;
	if (old)
		old->drop();
}

SceneManager* SceneNode::getSceneManagerNode() const
{
	return dynamic_cast<SceneManager*>(getSceneManager());
}

namespace
{
constexpr float LargestCoordinate = 1.0e6f;

bool isSane(const irr::core::vector3df& v)
{
	for (float c : {v.X, v.Y, v.Z})
		if (!(c >= -LargestCoordinate && c <= LargestCoordinate))
			return false;
	return true;
}

// The first node of the tree whose place, size or scale is not a sane number; null when none.
const BaseNode* firstInsaneNode(const BaseNode* node)
{
	if (!isSane(node->getPosition()) || !isSane(node->getBounds()) || !isSane(node->getScale()))
		return node;
	const irr::core::array<BaseNode*>& children = node->getChildren();
	for (irr::u32 i = 0; i < children.size(); ++i)
		if (const BaseNode* found = firstInsaneNode(children[i]))
			return found;
	return nullptr;
}

SceneNode* reportUnusableScene(const irr::core::stringc& fileName, const irr::core::stringc& why)
{
	getLogger()->log("Unable to build scene", fileName.c_str(), 2);
	// A screen may ask again every frame: the player's terminal hears of each file once.
	static std::set<std::string> told;
	if (!told.insert(fileName.c_str()).second)
		return nullptr;
	std::fprintf(stderr, "the scene \"%s\" could not be built: %s; the screen before it stays\n", fileName.c_str(),
	             why.c_str());
	return nullptr;
}
} // namespace

irr::core::stringc SceneNode::whyUnusable() const
{
	const BaseNode* insane = firstInsaneNode(this);
	if (!insane)
		return irr::core::stringc();
	return irr::core::stringc("the node \"") + getStringById(insane->getName()).c_str() +
	       "\" has a place, size or scale out of range";
}

SceneNode* SceneNode::openScene(const irr::core::stringc& fileName, bool keepCoveredVisible, StringId fromState,
                                StringId toState)
{
	CContentManager* contentManager = getContentRef().getContentManager();
	if (fileName.empty() || !contentManager)
		return nullptr;
	ContentObject* content = contentManager->getContent(ContentTypeSceneNode, fileName, true);
	if (!content)
		return reportUnusableScene(fileName, "it is missing or damaged");
	SceneNode* scene = nodeCast<SceneNode>(dynamic_cast<BaseNode*>(content));
	const irr::core::stringc why = scene ? scene->whyUnusable() : irr::core::stringc("it holds no scene");
	if (!why.empty())
	{
		content->drop();
		return reportUnusableScene(fileName, why);
	}
	const bool pushed = pushScene(scene, keepCoveredVisible, fromState, toState);
	// On success the manager's tree holds the scene.
	scene->drop();
	return pushed ? scene : nullptr;
}

bool SceneNode::pushScene(SceneNode* scene, bool keepCoveredVisible, StringId fromState, StringId toState)
{
	SceneManager* manager = getSceneManagerNode();
	if (!scene || !manager)
		return false;
	return manager->pushScene(manager->getTopScene(), scene, fromState, toState, keepCoveredVisible);
}

bool SceneNode::closeTo(int levels, StringId fromState, StringId toState)
{
	SceneNode* target = sceneBelow;
	for (int i = 0; i < levels && target; ++i)
		target = target->sceneBelow;
	SceneManager* manager = getSceneManagerNode();
	if (!target || !manager)
		return false;
	return manager->closeSceneTo(this, target, fromState, toState);
}

bool SceneNode::closeToSceneOfType(int typeId, StringId fromState, StringId toState)
{
	SceneManager* manager = getSceneManagerNode();
	if (!manager)
		return false;
	for (SceneNode* target = sceneBelow; target; target = target->sceneBelow)
	{
		if (target->typeId() == typeId)
			return manager->closeSceneTo(this, target, fromState, toState);
	}
	return false;
}

SceneNode* SceneNode::showMessageBox(StringId templateName, const irr::core::array<irr::core::stringw>& buttonTexts,
                                     const irr::core::stringw& titleText, const irr::core::stringw& bodyText)
{
	SceneManager* manager = getSceneManagerNode();
	if (!manager)
		return nullptr;
	return manager->showMessageBox(this, templateName, buttonTexts, titleText, bodyText);
}

void SceneNode::stopChildrenState(StringId state)
{
	SmartPointer<BaseNode> keep(shareRef<BaseNode>(this));
	if (ControlNode* root = getTemplateRoot())
	{
		SmartPointer<ControlNode> keepRoot(shareRef(root));
		stopStateIn(root, state);
	}
	stopStateIn(this, state);
}

bool SceneNode::onChildrenStateFinished(CEventNodeChildrenStateFinished* event)
{
	if (ControlNode::onChildrenStateFinished(event))
		return true;
	return sendToParent(DeliverSelfThenParent, event);
}
