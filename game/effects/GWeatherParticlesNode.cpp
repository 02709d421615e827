#include "GWeatherParticlesNode.h"

#include "EffectSupport.h"
#include "content/IXMLReader.h"
#include "core/NumberText.h"
#include "nodes/DegreeTable.h"
#include "nodes/RandomRange.h"
#include "scene/NodeMath.h"

#include <cmath>

using namespace irr;

namespace
{
// The rotation (degrees) that turns straight down (0, 1) into d; none counts as towards +x.
float angleTurningDownTo(const core::vector2df& d)
{
	if (d.X == 0.0f && d.Y == 0.0f)
		return 270.0f;
	float degrees = std::atan2(-d.X, d.Y) * core::RADTODEG;
	if (degrees < 0.0f)
		degrees += 360.0f;
	return degrees;
}
} // namespace

GWeatherParticlesNode::GWeatherParticlesNode(const ContentRef& reference, BaseNode* parentNode,
                                             INodeEventQueue* manager)
    : GParticleRecordsNode(reference, parentNode, manager)
{
}

const core::stringw& GWeatherParticlesNode::typeNameText()
{
	static const core::stringw name(L"GWeatherParticlesNode");
	return name;
}

void GWeatherParticlesNode::copyFrom(const BaseNode* source, INodeEventQueue* manager)
{
	GParticleRecordsNode::copyFrom(source, manager);
	if (const GWeatherParticlesNode* other = nodeCast<GWeatherParticlesNode>(source))
	{
		emitRectangleXSize = other->emitRectangleXSize;
		emitRectangleYSize = other->emitRectangleYSize;
		centerPoint = other->centerPoint;
		particleVelRange = other->particleVelRange;
		particleAccRange = other->particleAccRange;
		particleAngularVelocityRange = other->particleAngularVelocityRange;
		particleNormalDeltaRange = other->particleNormalDeltaRange;
		particleNormalDeltaPeriodRange = other->particleNormalDeltaPeriodRange;
		particleLifetimeRange = other->particleLifetimeRange;
		scaleXTimeline = other->scaleXTimeline;
		scaleYTimeline = other->scaleYTimeline;
	}
}

bool GWeatherParticlesNode::readConfiguration(IXMLReader* reader)
{
	struct Pair
	{
		const wchar_t* name;
		core::vector2df* field;
	};
	const Pair pairs[] = {
	    {L"EmitRectangleXSize", &emitRectangleXSize},
	    {L"EmitRectangleYSize", &emitRectangleYSize},
	    {L"CenterPoint", &centerPoint},
	    {L"ParticleVelRange", &particleVelRange},
	    {L"ParticleAccRange", &particleAccRange},
	    {L"ParticleAngularVelocityRange", &particleAngularVelocityRange},
	    {L"ParticleNormalDeltaRange", &particleNormalDeltaRange},
	    {L"ParticleNormalDeltaPeriodRange", &particleNormalDeltaPeriodRange},
	    {L"ParticleLifetimeRange", &particleLifetimeRange},
	};
	const auto readElement = [&](const core::stringw& name)
	{
		if (name == L"PPS")
			pps = wideToInt(reader->getAttributeValue(L"Value").c_str());
		else if (name == L"ParticleTimeline")
			readTimelines(reader);
		else
			for (const Pair& pair : pairs)
				if (name == pair.name)
					*pair.field = readPairValue(reader);
	};
	return readElements(reader, L"WeatherParticle", readElement);
}

void GWeatherParticlesNode::readTimelines(IXMLReader* reader)
{
	if (reader->isEmptyElement())
		return;
	const auto readElement = [&](const core::stringw& name)
	{
		if (name == L"ScaleX")
			scaleXTimeline.read(reader);
		else if (name == L"ScaleY")
			scaleYTimeline.read(reader);
		else if (name == L"ColorA")
			alphaTimeline.read(reader);
	};
	readElements(reader, L"ParticleTimeline", readElement);
}

void GWeatherParticlesNode::emit(unsigned ms)
{
	u32 n = takeDueEmissions(ms);
	// Born-dead particles use up room of this emission too, so one emission is bounded by the capacity.
	if (particles.size() + n > Capacity)
		n = Capacity - particles.size();
	for (; n > 0; --n)
		addParticle();
}

void GWeatherParticlesNode::addParticle()
{
	const float lifetime = randomInEffectRange(particleLifetimeRange);
	// Born dead: gone before it could be drawn, so it never takes a place.
	if (lifetime == 0.0f)
		return;
	WeatherParticleRecord p;
	p.ageRate = 1000.0f / lifetime;
	p.x = randomInEffectRange(emitRectangleXSize);
	p.y = randomInEffectRange(core::vector2df(-20.0f, emitRectangleYSize.X));
	const float theta = angleTurningDownTo(centerPoint - core::vector2df(p.x, p.y));
	p.angle = theta;
	const float speed = randomInEffectRange(particleVelRange);
	const float radians = theta * core::DEGTORAD;
	p.vx = -speed * std::sin(radians);
	p.vy = speed * std::cos(radians);
	p.angularVelocity = randomInEffectRange(particleAngularVelocityRange);
	core::vector2df normal(-p.vy, p.vx);
	if (normal.X != 0.0f || normal.Y != 0.0f)
		normal.normalize();
	p.nx = normal.X;
	p.ny = normal.Y;
	p.swayAmplitude = randomInEffectRange(particleNormalDeltaRange);
	p.swayPeriod = truncateToInt(randomInEffectRange(particleNormalDeltaPeriodRange));
	p.swayPhase = truncateToInt(randomInEffectRange(core::vector2df(0.0f, static_cast<float>(p.swayPeriod))));
	p.scaleX = scaleXTimeline.birthValue(1.0f);
	p.scaleY = scaleYTimeline.birthValue(1.0f);
	p.alpha = alphaTimeline.birthValue(1.0f);
	particles.push_back(p);
}

void GWeatherParticlesNode::updateParticles(unsigned ms)
{
	const auto step = [this](WeatherParticleRecord& p, float dt)
	{
		p.swayPhase = truncateToInt(static_cast<float>(p.swayPhase) + dt * 1000.0f);
		if (p.swayPhase > p.swayPeriod)
			p.swayPhase = 0;
		scaleXTimeline.evaluate(p.age, p.scaleX, p.scaleXKey);
		scaleYTimeline.evaluate(p.age, p.scaleY, p.scaleYKey);
		alphaTimeline.evaluate(p.age, p.alpha, p.alphaKey);
	};
	ageParticles(particles, ms, step);
}

void GWeatherParticlesNode::writeQuads(float frameWidth, float frameHeight)
{
	for (u32 k = 0; k < particles.size(); ++k)
	{
		const WeatherParticleRecord& p = particles[k];
		core::vector2df centre(p.x, p.y);
		if (p.swayPeriod > 0)
		{
			const int q = static_cast<int>(static_cast<long long>(p.swayPhase) * 360 / p.swayPeriod);
			centre += core::vector2df(p.nx, p.ny) * (p.scaleX * p.swayAmplitude * cosDegrees(q));
		}
		const core::vector2df halfSize(frameWidth * p.scaleX * 0.5f, frameHeight * p.scaleY * 0.5f);
		setParticleQuad(k, centre, halfSize, p.angle, p.alpha);
	}
}
