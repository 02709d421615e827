#pragma once

#include "content/AtlasTexture.h"
#include "content/CContentManager.h"
#include "core/SmartPointer.h"
#include "core/TaskScheduler.h"
#include "nodes/Particle.h"
#include "scene/INodeEventQueue.h"
#include "scene/ISceneServices.h"
#include "scene/TemplateCollectionNode.h"

#include <string>

namespace irr
{
class IrrlichtDevice;
}
class CFileSystem;
class CContentProcessorsManager;

// Scene manager stand-in for particle systems and spawners: one task scheduler for every
// scene, a template collection, and a queue that drops what is posted.
class TestSceneServices : public INodeEventQueue, public ISceneServices
{
public:
	TestSceneServices();
	~TestSceneServices();

	void queueEvent(EventReceiver*, int, CEvent*) override {}
	TemplateCollectionNode* getTemplateCollection() const override { return templates.get(); }
	TaskScheduler* getSceneScheduler(const SceneNode*) const override { return scheduler.get(); }

	// Advances the scheduler by count updates of ms each.
	void tick(int count, unsigned ms = 30);

	SmartPointer<TaskScheduler> scheduler;
	SmartPointer<TemplateCollectionNode> templates;
};

// A content manager over the real file system and processors, without a video driver.
class TestContent
{
public:
	TestContent();
	~TestContent();

	// Loads a particle collection file written from xml into a temporary folder.
	ContentObject* loadCollection(const std::string& xml, const char* fileName = "particles.xml");

	CFileSystem* fileSystem;
	CContentProcessorsManager* processors;
	CContentManager* manager;
	std::string folder;
};

// An atlas frame of width x height pixels over a page of a null video driver (no display needed).
class TestFrames
{
public:
	TestFrames();
	~TestFrames();

	// One reference for the caller.
	AtlasTexture* makeFrame(irr::u32 width, irr::u32 height, const irr::core::rectf& uv = {0.0f, 0.0f, 1.0f, 1.0f});

private:
	irr::IrrlichtDevice* device;
};

// A particle at (x, y) living life ms, with no motion and opaque white colour at scale 1.
Particle restingParticle(float x, float y, int life);
