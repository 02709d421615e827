#include "NodeEvents.h"
#include "SceneManager.h"
#include "SceneNode.h"
#include "TemplateCollectionNode.h"
#include "core/InputEvents.h"
#include "core/SmartPointer.h"
#include "core/TaskScheduler.h"
#include "device/CursorControl.h"
#include "device/IDevice.h"
#include "nodes/MessageBoxNode.h"

#include <algorithm>
#include <limits>
#include <vector>

// The scene stack: show, push, close, message boxes and the completion of their transitions.

namespace
{
StringId orDefault(StringId state, StringId fallback)
{
	return state.isEmpty() ? fallback : state;
}

// The lowest and highest depth in a node's subtree, hidden nodes included (they may show later),
// measured from the node's parent.
struct DepthRange
{
	float low = std::numeric_limits<float>::max();
	float high = std::numeric_limits<float>::lowest();
};

void widenByDepths(const BaseNode* node, float base, DepthRange& range)
{
	const float depth = base + node->getPosition().Z;
	range.low = std::min(range.low, depth);
	range.high = std::max(range.high, depth);
	for (irr::u32 i = 0; i < node->getChildren().size(); ++i)
		widenByDepths(node->getChildren()[i], depth, range);
	if (const auto* control = dynamic_cast<const ControlNode*>(node))
	{
		if (const ControlNode* look = control->getTemplateRoot())
			widenByDepths(look, depth, range);
	}
}
} // namespace

// ---- navigation records

bool SceneManager::isInNavigation(const SceneNode* scene) const
{
	if (!scene)
		return false;
	for (const NavigationRecord& record : navigations)
	{
		if (record.oldScene == scene || record.newScene == scene)
			return true;
	}
	return false;
}

NavigationRecord SceneManager::findNavigation(const SceneNode* scene) const
{
	for (const NavigationRecord& record : navigations)
	{
		if (scene && (record.oldScene == scene || record.newScene == scene))
			return record;
	}
	return NavigationRecord();
}

void SceneManager::removeNavigation(const SceneNode* scene)
{
	for (size_t i = 0; i < navigations.size(); ++i)
	{
		if (scene && (navigations[i].oldScene == scene || navigations[i].newScene == scene))
		{
			navigations[i] = navigations.back();
			navigations.pop_back();
			return;
		}
	}
}

// ---- helpers shared by the moves

void SceneManager::attachScene(SceneNode* scene)
{
	scene->setFocused(false);
	scene->attachToSceneManager(this, scene);
}

void SceneManager::offerSceneAttached(SceneNode* scene)
{
	SmartPointer<CEventNodeSceneAttached> attached(new CEventNodeSceneAttached(this));
	if (!scene->onEvent(attached.get()))
		scene->sendToChildren(DeliverSelfThenChildren, attached.get());
}

void SceneManager::sendChangeStarted(SceneNode* scene, CEvent* change, CEvent* started)
{
	scene->onEvent(change);
	if (!scene->onEvent(started))
		scene->sendToParent(DeliverSelfThenParent, started);
}

void SceneManager::startChildrenState(SceneNode* scene, StringId state)
{
	scene->setChildrenState(state, nullptr);
}

void SceneManager::liftOverCovered(SceneNode* below, SceneNode* scene)
{
	// Without sorting the tree order is the draw order, and an opened scene already comes last.
	if (!sortingEnabled || !below || !scene)
		return;
	float coveredTop = std::numeric_limits<float>::lowest();
	for (const SceneNode* covered = below; covered; covered = covered->getSceneBelow())
	{
		DepthRange range;
		widenByDepths(covered, 0.0f, range);
		coveredTop = std::max(coveredTop, range.high);
	}
	DepthRange opened;
	widenByDepths(scene, 0.0f, opened);
	if (opened.low > coveredTop)
		return;
	// The scene file's depths suit the screen it was made for; over another screen it must draw
	// above everything that screen may show, or it would take the input unseen.
	irr::core::vector3df at = scene->getPosition();
	at.Z += coveredTop - opened.low + 1.0f;
	scene->setPosition(at);
}

void SceneManager::cutTransitionShort(SceneNode* scene)
{
	const NavigationRecord record = findNavigation(scene);
	if (record.oldScene == scene)
		scene->stopChildrenState(record.oldState);
	if (record.newScene == scene)
		scene->stopChildrenState(record.newState);
	for (const NavigationRecord& entering : std::vector<NavigationRecord>(navigations))
	{
		if (entering.newScene == scene && entering.oldScene)
		{
			SmartPointer<SceneNode> keep(shareRef(entering.oldScene));
			entering.oldScene->stopChildrenState(entering.oldState);
			break;
		}
	}
}

// ---- the moves

bool SceneManager::showScene(SceneNode* scene, StringId toState)
{
	if (scene && isInNavigation(scene))
		return false;
	toState = orDefault(toState, SceneNode::nameIdNavTo());
	SmartPointer<SceneNode> keep(shareRef(scene));
	SmartPointer<BaseNode> keepSelf(shareRef<BaseNode>(this));

	std::vector<SmartPointer<SceneNode>> open;
	for (irr::u32 i = 0; i < children.size(); ++i)
	{
		if (SceneNode* child = nodeCast<SceneNode>(children[i]))
			open.push_back(shareRef(child));
	}
	for (const SmartPointer<SceneNode>& closing : open)
	{
		// The scene shown again stays: queued, it would be removed right after being shown.
		if (closing.get() == scene)
			continue;
		queueSceneRemoval(closing.get());
		SmartPointer<CEventNodeSceneChange> change(new CEventNodeSceneChange(closing.get(), nullptr, 1));
		closing->onEvent(change.get());
		SmartPointer<CEventNodeSceneChangeStarted> started(new CEventNodeSceneChangeStarted(closing.get(), nullptr, 1));
		closing->onEvent(started.get());
	}
	navigations.clear();
	topScene = nullptr;
	if (!scene)
		return true;

	createSceneScheduler(scene);
	addChild(scene);
	attachScene(scene);
	offerSceneAttached(scene);
	SmartPointer<CEventNodeSceneChange> change(new CEventNodeSceneChange(nullptr, scene, 1));
	SmartPointer<CEventNodeSceneChangeStarted> started(new CEventNodeSceneChangeStarted(nullptr, scene, 1));
	sendChangeStarted(scene, change.get(), started.get());

	topScene = scene;
	navigations.push_back({nullptr, StringId(), scene, toState, true, false});
	startChildrenState(scene, toState);
	return true;
}

bool SceneManager::pushScene(SceneNode* current, SceneNode* newScene, StringId fromState, StringId toState,
                             bool keepCoveredVisible)
{
	if (!newScene || isInNavigation(newScene))
		return false;
	fromState = orDefault(fromState, SceneNode::nameIdNavFrom());
	toState = orDefault(toState, SceneNode::nameIdNavTo());
	SmartPointer<SceneNode> keepNew(shareRef(newScene));
	SmartPointer<SceneNode> keepCurrent(shareRef(current));
	SmartPointer<BaseNode> keepSelf(shareRef<BaseNode>(this));

	// A scene still entering or leaving is brought to its end state at once.
	if (current && isInNavigation(current))
		cutTransitionShort(current);

	SmartPointer<CEventNodeSceneChange> change(new CEventNodeSceneChange(current, newScene, 1));
	SmartPointer<CEventNodeSceneChangeStarted> started(new CEventNodeSceneChangeStarted(current, newScene, 1));
	BaseNode* insertionParent = this;
	BaseNode* after = children.empty() ? nullptr : children.getLast();
	if (current)
	{
		if (current->getParent())
		{
			insertionParent = current->getParent();
			after = current;
		}
		current->setFocused(false);
		sendChangeStarted(current, change.get(), started.get());
	}

	createSceneScheduler(newScene);
	newScene->setSceneBelow(current);
	liftOverCovered(current, newScene);
	if (after)
		insertionParent->insertChildAfter(newScene, after);
	else
		insertionParent->addChild(newScene);
	attachScene(newScene);
	offerSceneAttached(newScene);
	sendChangeStarted(newScene, change.get(), started.get());

	// Pushed onto an empty stack, the scene becomes the top one.
	if (current || !topScene)
		topScene = newScene;

	const NavigationRecord record{current, fromState, newScene, toState, true, keepCoveredVisible};
	navigations.push_back(record);
	if (current)
	{
		navigations.push_back(record);
		startChildrenState(current, fromState);
	}
	startChildrenState(newScene, toState);
	return true;
}

bool SceneManager::closeSceneTo(SceneNode* closing, SceneNode* target, StringId fromState, StringId toState)
{
	if (!closing || !target || isInNavigation(closing) || isInNavigation(target))
		return false;
	bool found = false;
	for (SceneNode* below = closing->getSceneBelow(); below && !found; below = below->getSceneBelow())
		found = below == target;
	if (!found)
		return false;
	fromState = orDefault(fromState, SceneNode::nameIdNavBackFrom());
	toState = orDefault(toState, SceneNode::nameIdNavBackTo());
	SmartPointer<SceneNode> keepClosing(shareRef(closing));
	SmartPointer<SceneNode> keepTarget(shareRef(target));
	SmartPointer<BaseNode> keepSelf(shareRef<BaseNode>(this));

	for (SceneNode* between = closing->getSceneBelow(); between != target; between = between->getSceneBelow())
		queueSceneRemoval(between);

	closing->setSceneBelow(target);
	closing->setFocused(false);
	target->setFocused(false);
	target->setVisible(true);
	if (TaskScheduler* own = target->getTaskScheduler())
		own->setEnabled(true);

	const bool box = closing->isMessageBox();
	if (!box)
	{
		SmartPointer<CEventNodeSceneChange> change(new CEventNodeSceneChange(closing, target, 0));
		closing->onEvent(change.get());
		target->onEvent(change.get());
		SmartPointer<CEventNodeSceneChangeStarted> started(new CEventNodeSceneChangeStarted(closing, target, 0));
		if (!closing->onEvent(started.get()))
			closing->sendToParent(DeliverSelfThenParent, started.get());
		if (!target->onEvent(started.get()))
			target->sendToParent(DeliverSelfThenParent, started.get());
	}

	topScene = target;
	const NavigationRecord record{closing, fromState, target, toState, false, false};
	navigations.push_back(record);
	if (!box)
		navigations.push_back(record);
	startChildrenState(closing, fromState);
	if (!box)
		startChildrenState(target, toState);
	return true;
}

SceneNode* SceneManager::showMessageBox(SceneNode* scene, StringId templateName,
                                        const irr::core::array<irr::core::stringw>& buttonTexts,
                                        const irr::core::stringw& titleText, const irr::core::stringw& bodyText)
{
	if (!scene || isInNavigation(scene) || !templateCollection)
		return nullptr;
	BaseNode* look = templateCollection->findTemplate(templateName);
	if (!look)
		return nullptr;
	MessageBoxCreator creator = boxCreator;
	SmartPointer<SceneNode> box(creator ? creator(buttonTexts, titleText, bodyText)
	                                          : MessageBoxNode::create(buttonTexts, titleText, bodyText));
	if (!box)
		return nullptr;
	box->setBounds(look->getBounds());
	// Applied when the box is attached.
	box->setTemplateName(templateName);
	return openMessageBox(scene, box.get()) ? box.get() : nullptr;
}

bool SceneManager::openMessageBox(SceneNode* scene, SceneNode* box)
{
	if (!scene || !box || box == scene || isInNavigation(scene) || isInNavigation(box))
		return false;
	SmartPointer<SceneNode> keepBox(shareRef(box));
	SmartPointer<SceneNode> keepScene(shareRef(scene));
	const irr::core::vector3df& at = scene->getPosition();
	box->setPosition({at.X + (scene->getBounds().X - box->getBounds().X) * 0.5f,
	                  at.Y + (scene->getBounds().Y - box->getBounds().Y) * 0.5f, at.Z});

	scene->setFocused(false);
	createSceneScheduler(box);
	box->setSceneBelow(scene);
	box->setOpenedAsMessageBox(true);
	liftOverCovered(scene, box);
	BaseNode* insertionParent = scene->getParent() ? scene->getParent() : this;
	insertionParent->insertChildAfter(box, scene);
	attachScene(box);
	offerSceneAttached(box);

	topScene = box;
	navigations.push_back({scene, StringId(), box, SceneNode::nameIdNavTo(), true, true});
	startChildrenState(box, SceneNode::nameIdNavTo());
	return true;
}

// ---- completion

bool SceneManager::onChildrenStateFinished(CEventNodeChildrenStateFinished* event)
{
	SceneNode* scene = nodeCast<SceneNode>(event ? event->node : nullptr);
	if (!scene || scene->getSceneManager() != static_cast<INodeEventQueue*>(this))
		return false;
	const NavigationRecord record = findNavigation(scene);
	if (record.oldScene == scene)
	{
		if (event->stateName == record.oldState)
			completeOldSide(scene, record);
	}
	else if (record.newScene == scene && event->stateName == record.newState)
	{
		completeNewSide(scene, record);
	}
	return false;
}

void SceneManager::completeNewSide(SceneNode* scene, const NavigationRecord& record)
{
	removeNavigation(scene);
	SmartPointer<CEventNodeSceneChangeFinished> finished(
	    new CEventNodeSceneChangeFinished(record.oldScene, record.newScene, record.keepOld ? 1 : 0));
	queueEvent(scene, DeliverSelfThenParent, finished.get());
	scene->setFocused(true);
	IDevice* owner = device ? device : Singleton<IDevice>::peek();
	if (CursorControl* cursor = owner ? owner->getCursorControl() : nullptr)
	{
		// Hover states follow the cursor into the scene.
		const irr::core::position2di at = cursor->getPosition();
		SmartPointer<CEventInputMouseMove> move(new CEventInputMouseMove(at.X, at.Y));
		queueEvent(scene, DeliverChildrenThenSelf, move.get());
	}
}

void SceneManager::completeOldSide(SceneNode* scene, const NavigationRecord& record)
{
	removeNavigation(scene);
	if (scene->isMessageBox())
	{
		SmartPointer<CEventNodeMessageBoxResult> result(new CEventNodeMessageBoxResult(scene->getMessageBoxResult()));
		if (record.newScene)
			queueEvent(record.newScene, DeliverSelf, result.get());
	}
	else
	{
		SmartPointer<CEventNodeSceneChangeFinished> finished(
		    new CEventNodeSceneChangeFinished(record.oldScene, record.newScene, record.keepOld ? 1 : 0));
		queueEvent(scene, DeliverSelfThenParent, finished.get());
	}
	if (!record.keepOld)
	{
		queueSceneRemoval(scene);
	}
	else if (record.keepOldVisible)
	{
		scene->setVisible(true);
	}
	else
	{
		// Covered scenes stand still and are not drawn.
		for (SceneNode* covered = scene; covered; covered = covered->getSceneBelow())
		{
			covered->setVisible(false);
			if (TaskScheduler* own = covered->getTaskScheduler())
				own->setEnabled(false);
		}
	}
}
