#pragma once

#include "GParticleRecordsNode.h"
#include "data/GameNodeTypeIds.h"

// One sparkle particle of a hint ring.
struct HintParticleRecord : EffectParticleRecord
{
	int angularVelocityKey = 1; // next key of each timeline
	float scale = 1.0f;
	int scaleKey = 1;
};

// Sparkles over what a hint points at: bursts of particles, each a ring spread evenly around an
// ellipse about the node and flying outwards, from its own "HintParticle" file.
class GHOHintParticlesNode : public GParticleRecordsNode<HintParticleRecord, 4096>
{
	ENGINE_NODE_TYPE(GHOHintParticlesNode, NodeTypeGHOHintParticlesNode, BaseNode)
	ENGINE_NODE_CLONE(GHOHintParticlesNode)

public:
	explicit GHOHintParticlesNode(const ContentRef& reference = ContentRef(), BaseNode* parent = nullptr,
	                              INodeEventQueue* sceneManager = nullptr);

	// The name the class is registered under with the node factory.
	static const irr::core::stringw& typeNameText();

	void copyFrom(const BaseNode* source, INodeEventQueue* sceneManager) override;
	bool readConfiguration(IXMLReader* reader) override;

	void emit(unsigned ms) override;

	void setEmitRadiusXRange(const irr::core::vector2df& range) { emitRadiusXRange = range; }
	void setEmitRadiusYRange(const irr::core::vector2df& range) { emitRadiusYRange = range; }
	const irr::core::vector2df& getParticlesDensity() const { return particlesDensity; }
	const irr::core::vector2df& getParticlesLifetimeRange() const { return particlesLifetimeRange; }

protected:
	void updateParticles(unsigned ms) override;
	void writeQuads(float frameWidth, float frameHeight) override;

private:
	void readTimelines(IXMLReader* reader);
	// One ring of at most room particles; returns the room it used.
	irr::u32 burst(irr::u32 room);

	irr::core::vector2df emitRadiusXRange;
	irr::core::vector2df emitRadiusYRange;
	irr::core::vector2df particlesDensity{20.0f, 20.0f}; // particles a burst
	irr::core::vector2df particlesVelRange;              // units per second
	irr::core::vector2df particlesLifetimeRange;         // ms
	GParticleTimeline angularVelocityTimeline;
	GParticleTimeline scaleTimeline;
};
