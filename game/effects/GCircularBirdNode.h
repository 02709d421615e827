#pragma once

#include "GEffectNode.h"
#include "core/SmartPointer.h"
#include "data/GameNodeTypeIds.h"

// Keeps one bird, a copy of a template's "Body", circling for ever on the sum of two ellipses around
// the node, facing its way and flapping every 4 to 7 seconds.
class GCircularBirdNode : public GEffectNode
{
	ENGINE_NODE_TYPE(GCircularBirdNode, NodeTypeGCircularBirdNode, GEffectNode)
	ENGINE_NODE_CLONE(GCircularBirdNode)

public:
	explicit GCircularBirdNode(const ContentRef& reference = ContentRef(), BaseNode* parent = nullptr,
	                           INodeEventQueue* sceneManager = nullptr);
	~GCircularBirdNode() override;

	// The name the class is registered under with the node factory.
	static const irr::core::stringw& typeNameText();

	const PropertyTable& propertyTable() const override;
	void writeProperties(CPropertyCollection& collection) const override;
	void copyFrom(const BaseNode* source, INodeEventQueue* sceneManager) override;

	bool onSceneAttached(CEventNodeSceneAttached* event) override;
	bool onTemplatesChanged(CEventNodeTemplatesChanged* event) override;

	// Takes the "Body" of the template of that name (when the scene's collection has it); the next
	// render pass makes a fresh bird from it.
	void setBirdTemplateID(StringId id);
	StringId getBirdTemplateID() const { return birdTemplateId; }
	BaseNode* getBird() const { return bird; }
	StringId getDirection() const { return direction; }

protected:
	bool canStart() const override { return body.get() != nullptr; }
	void startEffect() override;
	bool updateEffect(unsigned ms) override;

private:
	irr::core::vector3df birdPosition() const;
	void face(StringId name);

	StringId birdTemplateId;
	SmartPointer<BaseNode> body; // the template's "Body"
	BaseNode* bird = nullptr;    // the live copy, held as an internal child
	irr::u32 flapTimer = 0;      // ms to the next flap
	StringId direction;
	irr::core::vector2df ellipse1Size; // x and y radius
	irr::core::vector2df ellipse2Size;
	float angle1 = 0.0f; // degrees
	float angle2 = 0.0f;
	float angularVelocity1 = 5.0f; // degrees per second
	float angularVelocity2 = 5.0f;
};
