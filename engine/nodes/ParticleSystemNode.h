#pragma once

#include "Particle.h"
#include "content/BatchTypes.h"
#include "core/IScheduledTask.h"
#include "core/SmartPointer.h"
#include "scene/BaseNode.h"

#include <irrlicht/SMaterial.h>

class AtlasTexture;
class BaseEmitter;

// Shows a particle effect: a clone of a cached emitter fills the node's particle array, the
// node's own task ages and moves the particles and rebuilds one textured quad per particle.
class ParticleSystemNode : public BaseNode, public IScheduledTask
{
	ENGINE_NODE_TYPE(ParticleSystemNode, NodeTypeParticleSystemNode, BaseNode)
	ENGINE_NODE_CLONE(ParticleSystemNode)

public:
	static constexpr unsigned TaskPeriod = 30;
	static constexpr int Capacity = 500;

	explicit ParticleSystemNode(const ContentRef& reference = ContentRef(), BaseNode* parent = nullptr,
	                            INodeEventQueue* sceneManager = nullptr);
	~ParticleSystemNode() override;

	// ---- properties
	const PropertyTable& propertyTable() const override;
	void writeProperties(CPropertyCollection& collection) const override;
	void readProperties(const CPropertyCollection& collection) override;
	void copyFrom(const BaseNode* source, INodeEventQueue* sceneManager) override;

	// Takes a clone of the cached "pemt" content of that name (the cache only, no file is read).
	void setEmitterName(const irr::core::stringc& name);
	// The emitter's Name; empty without emitter.
	irr::core::stringc getEmitterName() const;
	BaseEmitter* getEmitter() const { return emitter.get(); }

	void setAtlasTexture(AtlasTexture* frame);
	AtlasTexture* getAtlasTexture() const { return frame.get(); }
	void setEnabled(bool value);
	bool isEnabled() const { return Enabled; }
	void setEmitterEnabled(bool value);
	bool isEmitterEnabled() const { return EmitterEnabled; }
	void setGlobal(bool value) { Global = value; }
	bool isGlobal() const { return Global; }

	// ---- particles and mesh
	ParticleArray& getParticles() { return particles; }
	const ParticleArray& getParticles() const { return particles; }
	// The update task: ages, moves and removes particles, then rebuilds the mesh.
	bool run(unsigned ms) override;
	// Quads of the live particles: 4 vertices and 6 indices each, 2 primitives per particle.
	const irr::core::array<BatchVertex>& getMeshVertices() const { return meshVertices; }
	const irr::core::array<irr::u16>& getMeshIndices() const { return meshIndices; }
	irr::u32 getPrimitiveCount() const { return primitiveCount; }
	const irr::video::SMaterial& getMaterial() const { return material; }

	// ---- rendering
	void addToRenderList(RenderList& list) override;
	void draw(irr::video::IVideoDriver* driver, const irr::core::rect<irr::s32>* clip) override;
	bool hitTestPoint(const irr::core::vector2df& point) const override;

private:
	void releaseEmitter();
	void adoptEmitter(BaseEmitter* clone);
	void followNodePosition();
	void updateParticles(unsigned ms);
	void growMesh(irr::u32 count);
	void fillQuads();
	void setQuadTextureCoordinates(irr::u32 quad);

	SmartPointer<AtlasTexture> frame;
	irr::video::SMaterial material;
	SmartPointer<BaseEmitter> emitter;
	bool Enabled = true;
	bool EmitterEnabled = true;
	bool Global = false;
	ParticleArray particles;
	irr::core::array<BatchVertex> meshVertices;
	irr::core::array<irr::u16> meshIndices;
	irr::u32 primitiveCount = 0;
};
