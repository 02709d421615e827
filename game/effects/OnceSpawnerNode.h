#pragma once

#include "data/GameNodeTypeIds.h"
#include "scene/BaseNode.h"

// Occasional decoration of a level: on its first render pass it decides by chance whether to make one
// object from a random template of its list, and may give the object's children a random state.
class OnceSpawnerNode : public BaseNode
{
	ENGINE_NODE_TYPE(OnceSpawnerNode, NodeTypeOnceSpawnerNode, BaseNode)
	ENGINE_NODE_CLONE(OnceSpawnerNode)

public:
	explicit OnceSpawnerNode(const ContentRef& reference = ContentRef(), BaseNode* parent = nullptr,
	                         INodeEventQueue* sceneManager = nullptr);

	// The name the class is registered under with the node factory.
	static const irr::core::stringw& typeNameText();

	const PropertyTable& propertyTable() const override;
	void writeProperties(CPropertyCollection& collection) const override;
	void readProperties(const CPropertyCollection& collection) override;
	void copyFrom(const BaseNode* source, INodeEventQueue* sceneManager) override;

	// Decides once, whether or not the spawner itself is Visible.
	void addToRenderList(RenderList& list) override;

	bool isPending() const { return pending; }
	// ";"-separated name lists.
	void setObjState(const char* names);
	void setObjTemplateIDs(const char* names);
	irr::core::stringc getObjState() const;
	irr::core::stringc getObjTemplateIDs() const;
	int getShowLevelPercent() const { return showLevelPercent; }
	void setShowLevelPercent(int percent) { showLevelPercent = percent; }

private:
	void decide();

	bool pending = true;
	int showLevelPercent = 50; // chance that an object is made
	irr::core::array<StringId> objState;
	irr::core::array<StringId> objTemplateIds;
};
