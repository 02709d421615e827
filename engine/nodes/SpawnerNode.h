#pragma once

#include "core/IScheduledTask.h"
#include "core/SmartPointer.h"
#include "core/StringId.h"
#include "scene/BaseNode.h"

#include <vector>

class CPropertyCollection;

// Fills part of a scene with copies of template nodes at a random rate, each at a random offset
// and rotation and handed a random "LifeTime"; the copies are the spawner's own children.
class SpawnerNode : public BaseNode, public IScheduledTask
{
	ENGINE_NODE_TYPE(SpawnerNode, NodeTypeSpawnerNode, BaseNode)
	ENGINE_NODE_CLONE(SpawnerNode)

public:
	static constexpr unsigned TaskPeriod = 30;
	// Copies made by one run at most, so an absurd rate cannot allocate without bound.
	static constexpr irr::u32 MaxSpawnPerRun = 256;

	explicit SpawnerNode(const ContentRef& reference = ContentRef(), BaseNode* parent = nullptr,
	                     INodeEventQueue* sceneManager = nullptr);
	~SpawnerNode() override;

	// ---- properties
	const PropertyTable& propertyTable() const override;
	void writeProperties(CPropertyCollection& collection) const override;
	void readProperties(const CPropertyCollection& collection) override;
	void copyFrom(const BaseNode* source, INodeEventQueue* sceneManager) override;

	bool onSceneAttached(CEventNodeSceneAttached* event) override;
	bool onTemplatesChanged(CEventNodeTemplatesChanged* event) override;

	// Template names separated by ";"; the templates are looked up again.
	void setObjTemplate(const char* text);
	// The template names joined with ";".
	irr::core::stringc getObjTemplate() const;
	// Resolves the template names through the scene manager's template collection.
	void reloadTemplates();
	irr::u32 getTemplateCount() const { return static_cast<irr::u32>(templates.size()); }
	BaseNode* getTemplate(irr::u32 index) const { return templates[index].get(); }

	void setEnabled(bool value);
	bool isEnabled() const { return Enabled; }
	bool isSpawnedObjectGhost() const { return IsSpawnedObjectGhost; }
	void setSpawnedObjectGhost(bool value) { IsSpawnedObjectGhost = value; }

	const irr::core::vector2df& getObjectsSpawnStartDelayRange() const { return ObjectsSpawnStartDelayRange; }
	void setObjectsSpawnStartDelayRange(const irr::core::vector2df& v) { ObjectsSpawnStartDelayRange = v; }
	const irr::core::vector2df& getObjectsPerSecRange() const { return ObjectsPerSecRange; }
	void setObjectsPerSecRange(const irr::core::vector2df& v) { ObjectsPerSecRange = v; }
	const irr::core::vector2df& getObjectsLifeTimeRange() const { return ObjectsLifeTimeRange; }
	void setObjectsLifeTimeRange(const irr::core::vector2df& v) { ObjectsLifeTimeRange = v; }
	const irr::core::vector2df& getObjectsXDeltaRange() const { return ObjectsXDeltaRange; }
	void setObjectsXDeltaRange(const irr::core::vector2df& v) { ObjectsXDeltaRange = v; }
	const irr::core::vector2df& getObjectsYDeltaRange() const { return ObjectsYDeltaRange; }
	void setObjectsYDeltaRange(const irr::core::vector2df& v) { ObjectsYDeltaRange = v; }
	const irr::core::vector2df& getObjectsRotationDeltaRange() const { return ObjectsRotationDeltaRange; }
	void setObjectsRotationDeltaRange(const irr::core::vector2df& v) { ObjectsRotationDeltaRange = v; }
	CPropertyCollection* getObjectsProperties() const { return ObjectsProperties.get(); }
	// Shared, not copied: one more reference.
	void setObjectsProperties(CPropertyCollection* collection);

	// Milliseconds gathered towards the next copy; negative while the start delay runs.
	float getAccumulator() const { return accumulator; }
	void setAccumulator(float ms) { accumulator = ms; }

	// ---- spawning
	bool run(unsigned ms) override;
	// n copies of one template chosen at random.
	void spawn(irr::u32 n);
	void addToRenderList(RenderList& list) override;

private:
	void restartDelay();
	// Takes out the copies BaseNode's copy made of source's ghost children.
	void dropCopiedGhosts(const BaseNode* source, irr::u32 firstNewChild);

	irr::core::array<StringId> ObjTemplate;
	std::vector<SmartPointer<BaseNode>> templates;
	float accumulator = 0.0f;
	bool Enabled = true;
	bool IsSpawnedObjectGhost = true;
	irr::core::vector2df ObjectsSpawnStartDelayRange{0.0f, 0.0f};
	irr::core::vector2df ObjectsPerSecRange{1.0f, 1.0f};
	irr::core::vector2df ObjectsLifeTimeRange{1000.0f, 1000.0f};
	irr::core::vector2df ObjectsXDeltaRange{0.0f, 0.0f};
	irr::core::vector2df ObjectsYDeltaRange{0.0f, 0.0f};
	irr::core::vector2df ObjectsRotationDeltaRange{0.0f, 0.0f};
	SmartPointer<CPropertyCollection> ObjectsProperties;
};
