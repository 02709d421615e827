#pragma once

#include "GEffectParticlesNode.h"
#include "GParticleTimeline.h"

#include <irrlicht/irrArray.h>

// The hint and weather particle nodes' common part, alike but for their particle record: the live records,
// room for Capacity of them, and the opacity timeline each record follows.
template <typename Record, irr::u32 RecordCapacity> class GParticleRecordsNode : public GEffectParticlesNode
{
public:
	static constexpr irr::u32 Capacity = RecordCapacity;

	GParticleRecordsNode(const ContentRef& reference, BaseNode* parent, INodeEventQueue* sceneManager)
	    : GEffectParticlesNode(reference, parent, sceneManager)
	{
		particles.reallocate(Capacity);
	}

	void copyFrom(const BaseNode* source, INodeEventQueue* sceneManager) override
	{
		GEffectParticlesNode::copyFrom(source, sceneManager);
		if (const auto* other = dynamic_cast<const GParticleRecordsNode*>(source))
			alphaTimeline = other->alphaTimeline;
	}

	void clearParticles() override { particles.set_used(0); }
	irr::u32 getParticleCount() const override { return particles.size(); }
	const irr::core::array<Record>& getParticles() const { return particles; }

protected:
	GParticleTimeline alphaTimeline;
	irr::core::array<Record> particles;
};
