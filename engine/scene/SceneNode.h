#pragma once

#include "ControlNode.h"

#include <irrlicht/irrArray.h>
#include <irrlicht/irrString.h>

class SceneManager;
class TaskScheduler;

// One screen: the root control of a scene file, shown, stacked and closed by its scene manager.
class SceneNode : public ControlNode
{
	ENGINE_NODE_TYPE(SceneNode, NodeTypeSceneNode, ControlNode)
	ENGINE_NODE_CLONE(SceneNode)

public:
	explicit SceneNode(const ContentRef& reference = ContentRef(), BaseNode* parent = nullptr,
	                   INodeEventQueue* sceneManager = nullptr);
	~SceneNode() override;

	// ---- links set by the scene manager
	// Holds a reference to the scene below.
	void setSceneBelow(SceneNode* scene);
	SceneNode* getSceneBelow() const { return sceneBelow; }
	// The scheduler this scene's animations run on; owned by the scene manager.
	void setTaskScheduler(TaskScheduler* value) { taskScheduler = value; }
	TaskScheduler* getTaskScheduler() const { return taskScheduler; }
	// The scene manager this scene is attached to, or null.
	SceneManager* getSceneManagerNode() const;

	// ---- navigation (a state of -1 picks the navigation state of the move)
	// Loads a scene file and pushes it over the manager's top scene; the new scene or null. A file that gives
	// no usable scene is named on stderr and in the log, and the current screen stays.
	SceneNode* openScene(const irr::core::stringc& fileName, bool keepCoveredVisible = false,
	                     StringId fromState = StringId(), StringId toState = StringId());
	// Why this scene, just loaded, cannot be shown; empty when it can. Every node's place, size and scale
	// must be finite and on a sane scale; scenes that need certain nodes add what is missing.
	virtual irr::core::stringc whyUnusable() const;
	// Pushes the scene over the manager's top scene (which need not be this one).
	bool pushScene(SceneNode* scene, bool keepCoveredVisible = false, StringId fromState = StringId(),
	               StringId toState = StringId());
	// Closes back to the scene below, levels more steps down (0: the scene directly below).
	bool closeTo(int levels, StringId fromState = StringId(), StringId toState = StringId());
	// Closes back to the nearest scene below whose type id is typeId.
	bool closeToSceneOfType(int typeId, StringId fromState = StringId(), StringId toState = StringId());
	// Opens a message box from the named template over this scene; the box or null.
	SceneNode* showMessageBox(StringId templateName, const irr::core::array<irr::core::stringw>& buttonTexts,
	                          const irr::core::stringw& titleText, const irr::core::stringw& bodyText);

	// Ends a state, its actions at their end, in the template root's children and in the own children.
	void stopChildrenState(StringId state);

	// Completions the scene's controls do not use climb to the scene manager.
	bool onChildrenStateFinished(CEventNodeChildrenStateFinished* event) override;

	// ---- message boxes
	// The index of the button that closed a message box.
	virtual int getMessageBoxResult() const { return 0; }
	// A message box class, or a scene the manager opened as a message box.
	bool isMessageBox() const { return openedAsMessageBox || isKindOf(NodeTypeMessageBoxNode); }
	void setOpenedAsMessageBox(bool value) { openedAsMessageBox = value; }

	static StringId nameIdNavTo();
	static StringId nameIdNavFrom();
	static StringId nameIdNavBackFrom();
	static StringId nameIdNavBackTo();

private:
	TaskScheduler* taskScheduler = nullptr;
	SceneNode* sceneBelow = nullptr;
	bool openedAsMessageBox = false;
};
