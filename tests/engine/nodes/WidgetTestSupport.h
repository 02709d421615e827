#pragma once

#include "ParticleTestSupport.h"
#include "content/CFont.h"
#include "core/SmartPointer.h"
#include "scene/INodeEventQueue.h"
#include "scene/ISceneServices.h"
#include "scene/TemplateCollectionNode.h"

#include <vector>

// A font whose printable ASCII glyphs are all 10 x 16 pixels with no margins, on one page.
class MonospaceFont : public CFont
{
public:
	static constexpr float GlyphWidth = 10.0f;
	static constexpr float GlyphHeight = 16.0f;

	explicit MonospaceFont(TestFrames& frames);
	void load(IXMLReader*) override {}
};

// Scene-manager stand-in for controls: a template store and a log of the posted events.
class RecordingServices : public INodeEventQueue, public ISceneServices
{
public:
	RecordingServices();
	~RecordingServices();

	void queueEvent(EventReceiver* receiver, int mode, CEvent* event) override;
	TemplateCollectionNode* getTemplateCollection() const override { return templates.get(); }
	TaskScheduler* getSceneScheduler(const SceneNode*) const override { return nullptr; }

	// How many events of that type id were posted.
	int posted(int typeId) const;
	void clear() { postedIds.clear(); }

	SmartPointer<TemplateCollectionNode> templates;
	std::vector<int> postedIds;
};
