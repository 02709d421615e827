#pragma once

class SceneNode;
class TaskScheduler;
class TemplateCollectionNode;

// What nodes ask of their scene manager beyond the event queue: the template store and the
// task scheduler of a scene. The scene manager implements it beside INodeEventQueue.
class ISceneServices
{
public:
	virtual TemplateCollectionNode* getTemplateCollection() const = 0;
	// The scene's own scheduler, or null.
	virtual TaskScheduler* getSceneScheduler(const SceneNode* scene) const = 0;

protected:
	~ISceneServices() = default;
};
