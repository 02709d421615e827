#include "GHOHintParticlesNode.h"

#include "EffectSupport.h"
#include "content/IXMLReader.h"
#include "core/NumberText.h"
#include "nodes/RandomRange.h"
#include "scene/NodeMath.h"

#include <algorithm>
#include <cmath>

using namespace irr;

GHOHintParticlesNode::GHOHintParticlesNode(const ContentRef& reference, BaseNode* parentNode, INodeEventQueue* manager)
    : GParticleRecordsNode(reference, parentNode, manager)
{
}

const core::stringw& GHOHintParticlesNode::typeNameText()
{
	static const core::stringw name(L"GHOHintParticlesNode");
	return name;
}

void GHOHintParticlesNode::copyFrom(const BaseNode* source, INodeEventQueue* manager)
{
	GParticleRecordsNode::copyFrom(source, manager);
	if (const GHOHintParticlesNode* other = nodeCast<GHOHintParticlesNode>(source))
	{
		emitRadiusXRange = other->emitRadiusXRange;
		emitRadiusYRange = other->emitRadiusYRange;
		particlesDensity = other->particlesDensity;
		particlesVelRange = other->particlesVelRange;
		particlesLifetimeRange = other->particlesLifetimeRange;
		angularVelocityTimeline = other->angularVelocityTimeline;
		scaleTimeline = other->scaleTimeline;
	}
}

bool GHOHintParticlesNode::readConfiguration(IXMLReader* reader)
{
	const auto readElement = [&](const core::stringw& name)
	{
		if (name == L"EmitRadiusXRange")
			emitRadiusXRange = readPairValue(reader);
		else if (name == L"EmitRadiusYRange")
			emitRadiusYRange = readPairValue(reader);
		else if (name == L"ParticlesDensity")
			particlesDensity = readPairValue(reader);
		else if (name == L"ParticlesVelRange")
			particlesVelRange = readPairValue(reader);
		else if (name == L"ParticlesLifetimeRange")
			particlesLifetimeRange = readPairValue(reader);
		else if (name == L"PPS")
			pps = wideToInt(reader->getAttributeValue(L"Value").c_str());
		else if (name == L"ParticlesTimeline")
			readTimelines(reader);
	};
	return readElements(reader, L"HintParticle", readElement);
}

void GHOHintParticlesNode::readTimelines(IXMLReader* reader)
{
	if (reader->isEmptyElement())
		return;
	const auto readElement = [&](const core::stringw& name)
	{
		if (name == L"AngularVelocity")
			angularVelocityTimeline.read(reader);
		else if (name == L"Scale")
			scaleTimeline.read(reader);
		else if (name == L"ColorA")
			alphaTimeline.read(reader);
	};
	readElements(reader, L"ParticlesTimeline", readElement);
}

void GHOHintParticlesNode::emit(unsigned ms)
{
	// Particles born dead take no place in the array, but they use up the room of this emission as
	// the living do, so a run of bursts is bounded by the capacity.
	u32 room = Capacity - std::min(particles.size(), Capacity);
	for (u32 bursts = takeDueEmissions(ms); bursts > 0 && room > 0; --bursts)
		room -= burst(room);
}

u32 GHOHintParticlesNode::burst(u32 room)
{
	const float density = randomInEffectRange(particlesDensity);
	u32 n = density >= 1.0f ? static_cast<u32>(std::min(density, static_cast<float>(Capacity))) : 0u;
	if (n > room)
		n = room;
	if (n == 0)
		return 0;
	// The ring starts at a random phase (degrees drawn, used as radians).
	const float a0 = randomInEffectRange(core::vector2df(0.0f, 360.0f));
	const float angularVelocity = angularVelocityTimeline.birthValue(0.0f);
	const float scale = scaleTimeline.birthValue(1.0f);
	const float alpha = alphaTimeline.birthValue(1.0f);
	for (u32 i = 1; i <= n; ++i)
	{
		const float lifetime = randomInEffectRange(particlesLifetimeRange);
		// Born dead: gone before it could be drawn, so it never takes a place.
		if (lifetime == 0.0f)
			continue;
		HintParticleRecord p;
		p.ageRate = 1000.0f / lifetime;
		const float rx = randomInEffectRange(emitRadiusXRange);
		const float a = a0 + static_cast<float>(i) * 2.0f * core::PI / static_cast<float>(n);
		p.x = rx * std::cos(a);
		const float ry = randomInEffectRange(emitRadiusYRange);
		p.y = ry * std::sin(a);
		core::vector2df velocity(p.x, p.y);
		if (velocity.X != 0.0f || velocity.Y != 0.0f)
			velocity.normalize();
		velocity *= randomInEffectRange(particlesVelRange);
		p.vx = velocity.X;
		p.vy = velocity.Y;
		p.angularVelocity = angularVelocity;
		p.scale = scale;
		p.alpha = alpha;
		particles.push_back(p);
	}
	return n;
}

void GHOHintParticlesNode::updateParticles(unsigned ms)
{
	const auto step = [this](HintParticleRecord& p, float)
	{
		angularVelocityTimeline.evaluate(p.age, p.angularVelocity, p.angularVelocityKey);
		scaleTimeline.evaluate(p.age, p.scale, p.scaleKey);
		alphaTimeline.evaluate(p.age, p.alpha, p.alphaKey);
	};
	ageParticles(particles, ms, step);
}

void GHOHintParticlesNode::writeQuads(float frameWidth, float frameHeight)
{
	for (u32 k = 0; k < particles.size(); ++k)
	{
		const HintParticleRecord& p = particles[k];
		const core::vector2df halfSize(frameWidth * p.scale * 0.5f, frameHeight * p.scale * 0.5f);
		setParticleQuad(k, core::vector2df(p.x, p.y), halfSize, p.angle, p.alpha);
	}
}
