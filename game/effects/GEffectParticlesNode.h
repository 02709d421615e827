#pragma once

#include "GParticleQuadMesh.h"
#include "content/AtlasTexture.h"
#include "core/IScheduledTask.h"
#include "core/SmartPointer.h"
#include "scene/BaseNode.h"

#include <functional>
#include <irrlicht/SMaterial.h>

class IXMLReader;

// What every particle of the hint and weather nodes carries: its age, place, motion, turn and opacity.
struct EffectParticleRecord
{
	float age = 0.0f;     // life fraction, dies at 1
	float ageRate = 0.0f; // life fraction per second
	float x = 0.0f;
	float y = 0.0f;
	float vx = 0.0f; // units per second
	float vy = 0.0f;
	float angle = 0.0f;           // degrees
	float angularVelocity = 0.0f; // degrees per second
	float alpha = 1.0f;
	int alphaKey = 1; // next key of the alpha timeline
};

// Base of the hint and weather particle nodes: their own particle file, an update task that ages,
// emits and rebuilds one quad mesh of one atlas frame, and a restart with a half-second pre-warm when
// a render pass finds them enabled and idle.
class GEffectParticlesNode : public BaseNode, public IScheduledTask
{
public:
	static constexpr unsigned TaskPeriod = 30; // ms

	GEffectParticlesNode(const ContentRef& reference, BaseNode* parent, INodeEventQueue* sceneManager);
	~GEffectParticlesNode() override;

	const PropertyTable& propertyTable() const override;
	void writeProperties(CPropertyCollection& collection) const override;
	void readProperties(const CPropertyCollection& collection) override;
	void copyFrom(const BaseNode* source, INodeEventQueue* sceneManager) override;

	void addToRenderList(RenderList& list) override;
	void draw(irr::video::IVideoDriver* driver, const irr::core::rect<irr::s32>* clip) override;
	bool run(unsigned ms) override;

	// Reads the named particle file (resolved by the content manager); an unreadable file changes no
	// value. The live particles are dropped either way.
	void setConfigurationFilename(const irr::core::stringc& name);
	const irr::core::stringc& getConfigurationFilename() const { return configurationFilename; }
	// The reader stands before or on the file's root element; reads up to the root's end. False when
	// the text ends before the root is closed (what was read is kept).
	virtual bool readConfiguration(IXMLReader* reader) = 0;

	void setAtlasTexture(AtlasTexture* atlas);
	AtlasTexture* getAtlasTexture() const { return atlasTexture.get(); }
	bool isEnabled() const { return enabled; }
	void setEnabled(bool value) { enabled = value; }
	int getPPS() const { return pps; }
	void setPPS(int value) { pps = value; }

	virtual void clearParticles() = 0;
	virtual irr::u32 getParticleCount() const = 0;
	// Turns the time gathered into new particles.
	virtual void emit(unsigned ms) = 0;

	const GParticleQuadMesh& getMesh() const { return quadMesh; }

protected:
	// Ages and moves the particles, dropping the dead ones.
	virtual void updateParticles(unsigned ms) = 0;
	// Writes one quad per live particle for a frame of that size in pixels.
	virtual void writeQuads(float frameWidth, float frameHeight) = 0;
	// Whether the mesh is drawn at the node's depth (else at depth 0).
	virtual bool drawsAtNodeDepth() const { return true; }

	// Bursts due after adding ms to the gathered time at PPS a second; the time they use is taken off.
	irr::u32 takeDueEmissions(unsigned ms);
	// Hands each element's name to onElement until the end tag of endName; false when the text ends first.
	static bool readElements(IXMLReader* reader, const wchar_t* endName,
	                         const std::function<void(const irr::core::stringw&)>& onElement);
	// The element's "Value" attribute as a pair of numbers.
	static irr::core::vector2df readPairValue(IXMLReader* reader);
	// Ages each record by ms (a life fraction at its ageRate a second); a dead one gives its place to the
	// last record, a living one moves and turns and is then handed to step with the seconds passed.
	template <typename Record, typename Step>
	static void ageParticles(irr::core::array<Record>& particles, unsigned ms, Step step);
	// Quad index of the mesh: a frame of halfSize about centre, turned by the whole degrees of angle.
	void setParticleQuad(irr::u32 index, const irr::core::vector2df& centre, const irr::core::vector2df& halfSize,
	                     float angle, float alpha);
	// The colour of a particle of that opacity under the node's effective colour.
	irr::video::SColor particleColor(float alpha) const;

	int pps = 0; // emissions per second; none until a file or a caller sets it

private:
	void rebuildMesh();

	irr::core::stringc configurationFilename;
	SmartPointer<AtlasTexture> atlasTexture;
	irr::video::SMaterial material;
	GParticleQuadMesh quadMesh;
	bool enabled = true;
	int accumulator = 0; // ms not yet turned into emissions
};

template <typename Record, typename Step>
void GEffectParticlesNode::ageParticles(irr::core::array<Record>& particles, unsigned ms, Step step)
{
	const float dt = ms * 0.001f;
	for (irr::u32 i = 0; i < particles.size();)
	{
		Record& p = particles[i];
		p.age += p.ageRate * dt;
		if (p.age >= 1.0f)
		{
			p = particles.getLast();
			particles.set_used(particles.size() - 1);
			continue;
		}
		p.x += p.vx * dt;
		p.y += p.vy * dt;
		p.angle += p.angularVelocity * dt;
		step(p, dt);
		++i;
	}
}
