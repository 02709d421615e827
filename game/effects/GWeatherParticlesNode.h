#pragma once

#include "GParticleRecordsNode.h"
#include "data/GameNodeTypeIds.h"

// One raindrop or snowflake.
struct WeatherParticleRecord : EffectParticleRecord
{
	float nx = 0.0f; // unit normal of the velocity
	float ny = 0.0f;
	float swayAmplitude = 0.0f;
	int swayPhase = 0;  // ms into the sway period
	int swayPeriod = 0; // ms
	float scaleX = 1.0f;
	float scaleY = 1.0f;
	int scaleXKey = 1; // next key of each timeline
	int scaleYKey = 1;
};

// Rain or snow over a level: particles born one by one in a band above the screen, flying towards a
// centre point and swaying sideways, from its own "WeatherParticle" file.
class GWeatherParticlesNode : public GParticleRecordsNode<WeatherParticleRecord, 2048>
{
	ENGINE_NODE_TYPE(GWeatherParticlesNode, NodeTypeGWeatherParticlesNode, BaseNode)
	ENGINE_NODE_CLONE(GWeatherParticlesNode)

public:
	explicit GWeatherParticlesNode(const ContentRef& reference = ContentRef(), BaseNode* parent = nullptr,
	                               INodeEventQueue* sceneManager = nullptr);

	// The name the class is registered under with the node factory.
	static const irr::core::stringw& typeNameText();

	void copyFrom(const BaseNode* source, INodeEventQueue* sceneManager) override;
	bool readConfiguration(IXMLReader* reader) override;

	void emit(unsigned ms) override;
	const irr::core::vector2df& getCenterPoint() const { return centerPoint; }

protected:
	void updateParticles(unsigned ms) override;
	void writeQuads(float frameWidth, float frameHeight) override;
	// The node's depth only orders the render list.
	bool drawsAtNodeDepth() const override { return false; }

private:
	void readTimelines(IXMLReader* reader);
	void addParticle();

	irr::core::vector2df emitRectangleXSize{-20.0f, 1044.0f};
	irr::core::vector2df emitRectangleYSize{-20.0f, 600.0f}; // the first value bounds the start y
	irr::core::vector2df centerPoint{512.0f, 2000.0f};
	irr::core::vector2df particleVelRange{200.0f, 250.0f};
	irr::core::vector2df particleAccRange; // kept and copied; nothing accelerates
	irr::core::vector2df particleAngularVelocityRange;
	irr::core::vector2df particleNormalDeltaRange;       // sway amplitude
	irr::core::vector2df particleNormalDeltaPeriodRange; // ms
	irr::core::vector2df particleLifetimeRange;          // ms
	GParticleTimeline scaleXTimeline;
	GParticleTimeline scaleYTimeline;
};
