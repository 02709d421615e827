#include "ParticleSystemNode.h"

#include "BaseEmitter.h"
#include "DegreeTable.h"
#include "NodeServices.h"
#include "PropertyLookup.h"
#include "content/AtlasTexture.h"
#include "content/CContentManager.h"
#include "content/CQuadBatcher.h"
#include "content/EngineMaterials.h"
#include "core/CPropertyCollection.h"
#include "core/CPropertyDataAtlasTexture.h"
#include "core/TaskScheduler.h"
#include "scene/PropertyAccessors.h"
#include "scene/PropertyValue.h"

#include <irrlicht/IVideoDriver.h>

using namespace irr;

namespace
{
// A colour channel from 0..1 as a byte; out-of-range and undefined values are clamped.
u32 channelByte(float channel)
{
	const float scaled = channel * 255.0f;
	if (!(scaled > 0.0f))
		return 0;
	if (scaled >= 255.0f)
		return 255;
	return static_cast<u32>(scaled);
}

u32 modulate(u32 a, u32 b)
{
	return a * b / 255;
}
} // namespace

ParticleSystemNode::ParticleSystemNode(const ContentRef& reference, BaseNode* parentNode,
                                       INodeEventQueue* sceneManagerLink)
    : BaseNode(reference, parentNode, sceneManagerLink)
{
	period = TaskPeriod;
	particles.reallocate(Capacity);

	material.Lighting = false;
	material.GouraudShading = false;
	material.ZBuffer = video::ECFN_NEVER;
	material.ZWriteEnable = false;
	material.BackfaceCulling = false;
	material.TextureLayer[0].TrilinearFilter = true;
}

ParticleSystemNode::~ParticleSystemNode()
{
	releaseEmitter();
	setScheduler(nullptr);
}

// ---- properties

const PropertyTable& ParticleSystemNode::propertyTable() const
{
	static const PropertyTable table = appendPropertyDescriptors(
	    baseNodePropertyTable(),
	    {
	        accessorProperty<&ParticleSystemNode::setEmitterName, &ParticleSystemNode::getEmitterName>("EmitterName"),
	        accessorProperty<&ParticleSystemNode::setAtlasTexture, &ParticleSystemNode::getAtlasTexture>(
	            "AtlasTexture"),
	        accessorProperty<&ParticleSystemNode::setEnabled, &ParticleSystemNode::isEnabled>("Enabled"),
	        accessorProperty<&ParticleSystemNode::setEmitterEnabled, &ParticleSystemNode::isEmitterEnabled>(
	            "EmitterEnabled"),
	        accessorProperty<&ParticleSystemNode::setGlobal, &ParticleSystemNode::isGlobal>("Global"),
	    });
	return table;
}

void ParticleSystemNode::writeProperties(CPropertyCollection& collection) const
{
	BaseNode::writeProperties(collection);
	if (emitter)
		collection.addString("EmitterName", emitter->getName());
	if (frame)
		collection.add("ParticleTexture", makeAtlasTextureProperty(frame.get()));
	if (!Enabled)
		collection.addBool("Enabled", false);
	if (!EmitterEnabled)
		collection.addBool("EmitterEnabled", false);
	if (Global)
		collection.addBool("Global", true);
}

// Global is read before the emitter is made, so the emitter starts at the right place.
void ParticleSystemNode::readProperties(const CPropertyCollection& collection)
{
	BaseNode::readProperties(collection);
	SmartPointer<IPropertyData> value;
	if (lookUpProperty(collection, "ParticleTexture", value))
		setAtlasTexture(atlasFrameOfValue(value.get()));
	if (lookUpProperty(collection, "Enabled", value))
		setEnabled(propertyAsBool(value.get()));
	if (lookUpProperty(collection, "EmitterEnabled", value))
		setEmitterEnabled(propertyAsBool(value.get()));
	if (lookUpProperty(collection, "Global", value))
		Global = propertyAsBool(value.get());
	if (lookUpProperty(collection, "EmitterName", value))
		setEmitterName(propertyAsText(value.get()));
}

// Particles are not copied: the copy starts empty.
void ParticleSystemNode::copyFrom(const BaseNode* source, INodeEventQueue* sceneManagerLink)
{
	BaseNode::copyFrom(source, sceneManagerLink);
	const auto* other = nodeCast<ParticleSystemNode>(source);
	if (!other || other == this)
		return;
	releaseEmitter();
	if (other->emitter)
		adoptEmitter(static_cast<BaseEmitter*>(other->emitter->cloneContent()));
	material = other->material;
	setAtlasTexture(other->frame.get());
	setEnabled(other->Enabled);
	setEmitterEnabled(other->EmitterEnabled);
	Global = other->Global;
}

// ---- emitter, frame and switches

void ParticleSystemNode::releaseEmitter()
{
	if (!emitter)
		return;
	// A released emitter must not go on filling this node's array from its scheduler.
	emitter->detachFromScheduler();
	emitter->setParticles(nullptr);
	emitter = nullptr;
}

// Takes over the caller's reference.
void ParticleSystemNode::adoptEmitter(BaseEmitter* clone)
{
	emitter = SmartPointer<BaseEmitter>(clone);
	if (!emitter)
		return;
	emitter->setParticles(&particles);
	if (Global)
		followNodePosition();
}

void ParticleSystemNode::followNodePosition()
{
	const core::vector3df translation = absoluteTransformation.getTranslation();
	emitter->setPosition(core::vector2df(translation.X, translation.Y));
}

void ParticleSystemNode::setEmitterName(const core::stringc& name)
{
	releaseEmitter();
	CContentManager* manager = getContentRef().getContentManager();
	if (!manager)
		return;
	ContentObject* cached = manager->findCachedContent(ContentTypeParticleEmitter, ContentRef(manager, name.c_str()));
	auto* prototype = dynamic_cast<BaseEmitter*>(cached);
	if (!prototype)
		return;
	adoptEmitter(static_cast<BaseEmitter*>(prototype->cloneContent()));
}

core::stringc ParticleSystemNode::getEmitterName() const
{
	return emitter ? emitter->getName() : core::stringc();
}

void ParticleSystemNode::setAtlasTexture(AtlasTexture* newFrame)
{
	frame = shareRef(newFrame);
	if (!frame)
		return;
	material.setTexture(0, frame->getDeviceTexture());
	for (u32 quad = 0; quad < meshVertices.size() / 4; ++quad)
		setQuadTextureCoordinates(quad);
}

void ParticleSystemNode::setEnabled(bool value)
{
	Enabled = value;
	if (!value)
		setScheduler(nullptr);
	else if (TaskScheduler* scheduler = findSceneScheduler(this))
		setScheduler(scheduler);
}

void ParticleSystemNode::setEmitterEnabled(bool value)
{
	EmitterEnabled = value;
	if (!emitter)
		return;
	if (Global)
		followNodePosition();
	if (value)
		emitter->attachToScheduler(findSceneScheduler(this));
	else
		emitter->detachFromScheduler();
}

// ---- update and mesh

bool ParticleSystemNode::run(unsigned ms)
{
	if (particles.empty() || !frame)
		return false;
	if (Global && emitter)
		followNodePosition();
	updateParticles(ms);
	primitiveCount = 2 * particles.size();
	growMesh(particles.size());
	fillQuads();
	return true;
}

void ParticleSystemNode::updateParticles(unsigned ms)
{
	const float dt = static_cast<float>(ms) * 0.001f;
	u32 i = 0;
	while (i < particles.size())
	{
		Particle& p = particles[i];
		p.age += static_cast<int>(ms);
		if (p.age >= p.life)
		{
			// The last particle takes this place and is processed next.
			const u32 last = particles.size() - 1;
			if (i != last)
				p = particles[last];
			particles.set_used(last);
			continue;
		}
		p.velocityX += p.accelerationX * dt;
		p.velocityY += p.accelerationY * dt;
		p.x += p.velocityX * dt;
		p.y += p.velocityY * dt;
		p.angularVelocity += p.angularAcceleration * dt;
		p.angle += p.angularVelocity * dt;
		p.scale += p.scaleChange * dt;
		p.red += p.redChange * dt;
		p.green += p.greenChange * dt;
		p.blue += p.blueChange * dt;
		p.alpha += p.alphaChange * dt;
		++i;
	}
}

// The mesh only grows: quads beyond the live count stay, unused, for later particles.
void ParticleSystemNode::growMesh(u32 count)
{
	const u32 vertexCount = 4 * count;
	const u32 indexCount = 6 * count;
	if (meshVertices.size() >= vertexCount && meshIndices.size() >= indexCount)
		return;
	const u32 firstQuad = meshVertices.size() / 4;
	meshVertices.set_used(vertexCount);
	meshIndices.set_used(indexCount);
	for (u32 quad = firstQuad; quad < count; ++quad)
	{
		const u16 b = static_cast<u16>(quad * 4);
		for (u32 corner = 0; corner < 4; ++corner)
			meshVertices[4 * quad + corner].z = 0.0f;
		setQuadTextureCoordinates(quad);
		u16* index = &meshIndices[6 * quad];
		index[0] = b;
		index[1] = static_cast<u16>(b + 1);
		index[2] = static_cast<u16>(b + 2);
		index[3] = b;
		index[4] = static_cast<u16>(b + 2);
		index[5] = static_cast<u16>(b + 3);
	}
}

void ParticleSystemNode::setQuadTextureCoordinates(u32 quad)
{
	if (!frame)
		return;
	const core::rectf& uv = frame->getTextureRect();
	BatchVertex* v = &meshVertices[4 * quad];
	v[0].u = uv.UpperLeftCorner.X;
	v[0].v = uv.UpperLeftCorner.Y;
	v[1].u = uv.LowerRightCorner.X;
	v[1].v = uv.UpperLeftCorner.Y;
	v[2].u = uv.LowerRightCorner.X;
	v[2].v = uv.LowerRightCorner.Y;
	v[3].u = uv.UpperLeftCorner.X;
	v[3].v = uv.LowerRightCorner.Y;
}

void ParticleSystemNode::fillQuads()
{
	const core::dimension2df& frameSize = frame->getFrameSize();
	const video::SColor tint = absoluteColor;
	for (u32 k = 0; k < particles.size(); ++k)
	{
		const Particle& p = particles[k];
		const float hx = frameSize.Width * p.scale * 0.5f;
		const float hy = frameSize.Height * p.scale * 0.5f;

		const u32 colour = video::SColor(modulate(channelByte(p.alpha), tint.getAlpha()),
		                                 modulate(channelByte(p.red), tint.getRed()),
		                                 modulate(channelByte(p.green), tint.getGreen()),
		                                 modulate(channelByte(p.blue), tint.getBlue()))
		                       .color;

		const int degrees = wholeDegrees(p.angle);
		const float c = cosDegrees(degrees);
		const float s = sinDegrees(degrees);
		// a = (-hx, -hy) and b = (hx, -hy), turned by the particle angle.
		const float ax = -hx * c + hy * s;
		const float ay = -hx * s - hy * c;
		const float bx = hx * c + hy * s;
		const float by = hx * s - hy * c;

		BatchVertex* v = &meshVertices[4 * k];
		v[0].x = p.x + ax;
		v[0].y = p.y + ay;
		v[1].x = p.x + bx;
		v[1].y = p.y + by;
		v[2].x = p.x - ax;
		v[2].y = p.y - ay;
		v[3].x = p.x - bx;
		v[3].y = p.y - by;
		for (u32 corner = 0; corner < 4; ++corner)
			v[corner].color = colour;
	}
}

// ---- rendering

void ParticleSystemNode::addToRenderList(RenderList& list)
{
	if (!Visible)
		return;
	BaseNode::addToRenderList(list);
	// The transformation is fresh here: a global emitter starts from where the node is drawn,
	// also before the update task has run once.
	if (Global && emitter)
		followNodePosition();
	TaskScheduler* scheduler = findSceneScheduler(this);
	if (Enabled && !getScheduler() && scheduler)
		setScheduler(scheduler);
	if (EmitterEnabled && emitter && !emitter->isAttached() && scheduler)
		emitter->attachToScheduler(scheduler);
	if (frame && frame->getDeviceTexture() && !particles.empty())
		list.push_back(RenderEntry{this, absoluteTransformation.getTranslation().Z, 0});
}

void ParticleSystemNode::draw(video::IVideoDriver* driver, const core::rect<s32>*)
{
	if (!driver || !frame || primitiveCount == 0)
		return;
	CQuadBatcher* batcher = CQuadBatcher::forDriver(driver);
	// Quads queued before are drawn first, under the transformation they were made for.
	batcher->flush();

	core::matrix4 world;
	if (!Global)
	{
		world = absoluteTransformation;
		world[14] = 0.0f;
	}
	driver->setTransform(video::ETS_WORLD, world);

	material.MaterialType = EngineMaterials::vertexAlpha(driver);
	material.setTexture(0, frame->getDeviceTexture());
	const u32 quads = primitiveCount / 2;
	BatchMesh mesh{&material,          scene::EPT_TRIANGLES, primitiveCount, meshVertices.const_pointer(),
	               4 * quads,          meshIndices.const_pointer(),          6 * quads};
	batcher->addMesh(&mesh);
	batcher->flush();

	driver->setTransform(video::ETS_WORLD, core::IdentityMatrix);
}

bool ParticleSystemNode::hitTestPoint(const core::vector2df&) const
{
	return false;
}
