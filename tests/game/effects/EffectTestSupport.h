#pragma once

#include "content/AtlasTexture.h"
#include "content/CTexture.h"
#include "content/TextureContent.h"
#include "core/Random.h"
#include "core/SmartPointer.h"
#include "core/TaskScheduler.h"
#include "scene/BaseNode.h"
#include "scene/INodeEventQueue.h"
#include "scene/ISceneServices.h"
#include "scene/TemplateCollectionNode.h"

#include <irrlicht/irrlicht.h>
#include <string>
#include <vector>

// Scene manager stand-in for self-driving nodes: one task scheduler for every scene, a template
// collection, and a queue that drops what is posted. Updates are driven by hand.
class EffectScene : public INodeEventQueue, public ISceneServices
{
public:
	EffectScene() : scheduler(new TaskScheduler()), templates(new TemplateCollectionNode()), root(new BaseNode())
	{
		root->attachToSceneManager(this, nullptr);
	}
	~EffectScene()
	{
		root->removeAllChildren();
		templates->removeAllChildren();
	}

	void queueEvent(EventReceiver*, int, CEvent*) override {}
	TemplateCollectionNode* getTemplateCollection() const override { return templates.get(); }
	TaskScheduler* getSceneScheduler(const SceneNode*) const override { return scheduler.get(); }

	// Adds node under the scene's root, which keeps the only reference.
	template <class T> T* add(T* node)
	{
		root->addChild(node);
		node->drop();
		return node;
	}
	// Registers node (one reference taken over) as a template of that name.
	BaseNode* addTemplate(BaseNode* node, const char* name)
	{
		node->setName(name);
		templates->addTemplate(node);
		node->drop();
		return node;
	}
	// One render pass over the whole scene.
	void render()
	{
		RenderList list;
		root->addToRenderList(list);
	}
	// count updates of ms each.
	void tick(int count, unsigned ms = 30)
	{
		for (int i = 0; i < count; ++i)
			scheduler->update(ms);
	}

	SmartPointer<TaskScheduler> scheduler;
	SmartPointer<TemplateCollectionNode> templates;
	SmartPointer<BaseNode> root;
};

// A render pass over a single node that belongs to no scene.
inline void renderAlone(BaseNode* node)
{
	RenderList list;
	node->addToRenderList(list);
}

// A child that writes down every state it is asked for.
class StateLog : public BaseNode
{
	ENGINE_NODE_CLONE(StateLog)

public:
	using BaseNode::BaseNode;
	void setState(StringId state, StateFallback, StringId) override { states.push_back(getStringById(state).c_str()); }
	std::string last() const { return states.empty() ? std::string() : states.back(); }
	std::vector<std::string> states;
};

// Adds a state-logging child of that name to node.
inline StateLog* addStateLog(BaseNode* node, const char* name = "Child")
{
	auto* log = new StateLog();
	log->setName(name);
	node->addChild(log);
	log->drop();
	return log;
}

// Fixes the random generator's sequence for one test.
inline void seedRandom(unsigned seed = 7)
{
	Random::instance()->seed(seed);
}

// Atlas frames of width x height pixels over pages of a null video driver (no display needed).
class EffectFrames
{
public:
	EffectFrames()
	{
		irr::SIrrlichtCreationParameters parameters;
		parameters.DriverType = irr::video::EDT_NULL;
		parameters.LoggingLevel = irr::ELL_NONE;
		device = irr::createDeviceEx(parameters);
	}
	~EffectFrames()
	{
		if (device)
			device->drop();
	}
	EffectFrames(const EffectFrames&) = delete;
	EffectFrames& operator=(const EffectFrames&) = delete;

	// One reference for the caller.
	AtlasTexture* makeFrame(irr::u32 width, irr::u32 height)
	{
		irr::video::IVideoDriver* driver = device->getVideoDriver();
		irr::video::IImage* image =
		    driver->createImage(irr::video::ECF_A8R8G8B8, irr::core::dimension2du(width, height));
		image->fill(irr::video::SColor(0xFFFFFFFF));
		irr::video::ITexture* texture = driver->addTexture("effect page", image);
		SmartPointer<CTexture> pageTexture(new CTexture(texture, image));
		image->drop();
		SmartPointer<TextureContent> page(new TextureContent(ContentRef(), "effect page", pageTexture.get()));
		return new AtlasTexture(ContentRef(), page.get(), irr::core::rectf(0.0f, 0.0f, 1.0f, 1.0f),
		                        irr::core::vector2df(0, 0), irr::core::vector2df(0, 0));
	}

private:
	irr::IrrlichtDevice* device = nullptr;
};

#include "content/CXMLReader.h"
#include "data/GLevelPaths.h"
#include "effects/ILevelPathsSource.h"

// Level paths read from a paths file given as its car and pedestrian inner XML.
inline SmartPointer<GLevelPaths> pathsOf(const std::string& cars, const std::string& pedestrians)
{
	const std::string text = "<?xml version=\"1.0\"?>\n<LevelPaths>\n<CarPaths>\n" + cars +
	                         "</CarPaths>\n<PedestrianPaths>\n" + pedestrians + "</PedestrianPaths>\n</LevelPaths>\n";
	SmartPointer<CXMLReader> reader(new CXMLReader(text.data(), text.size()));
	SmartPointer<GLevelPaths> paths(new GLevelPaths());
	paths->load(reader.get());
	return paths;
}

// A stand-in for a scene of the given kind (the level, the main menu) that offers its paths to the
// movers, with a chain of plain nodes below it down to where the movers live.
template <int KindId> class PathsScene : public BaseNode, public ILevelPathsSource
{
	ENGINE_NODE_TYPE(PathsScene, KindId, BaseNode)

public:
	explicit PathsScene(GLevelPaths* levelPaths) : paths(shareRef(levelPaths)) {}
	GLevelPaths* getLevelPaths() const override { return paths.get(); }

	// The node `depth` generations below this scene that new movers are put under.
	BaseNode* holderAtDepth(int depth)
	{
		BaseNode* holder = this;
		for (int i = 1; i < depth; ++i)
		{
			auto* next = new BaseNode();
			holder->addChild(next);
			next->drop();
			holder = next;
		}
		return holder;
	}

private:
	SmartPointer<GLevelPaths> paths;
};
