#include "GEffectParticlesNode.h"

#include "content/CContentManager.h"
#include "content/CQuadBatcher.h"
#include "content/CXMLReader.h"
#include "content/EngineMaterials.h"
#include "content/IFileSystem.h"
#include "core/CPropertyCollection.h"
#include "core/CPropertyDataAtlasTexture.h"
#include "core/NumberText.h"
#include "core/Singleton.h"
#include "device/IDevice.h"
#include "nodes/NodeServices.h"
#include "nodes/RandomRange.h"
#include "scene/NodeMath.h"
#include "scene/PropertyAccessors.h"
#include "scene/PropertyValue.h"

#include <algorithm>
#include <irrlicht/IVideoDriver.h>

using namespace irr;

namespace
{
IFileSystem* fileSystemFor(const ContentRef& reference)
{
	if (CContentManager* manager = reference.getContentManager())
		if (IFileSystem* files = manager->getFileSystem())
			return files;
	IDevice* device = Singleton<IDevice>::peek();
	return device ? device->getFileSystem() : nullptr;
}
} // namespace

GEffectParticlesNode::GEffectParticlesNode(const ContentRef& reference, BaseNode* parentNode, INodeEventQueue* manager)
    : BaseNode(reference, parentNode, manager)
{
	period = TaskPeriod;
	material.Lighting = false;
	material.GouraudShading = false;
	material.ZBuffer = video::ECFN_NEVER;
	material.ZWriteEnable = false;
	material.BackfaceCulling = false;
	material.TextureLayer[0].TrilinearFilter = true;
}

GEffectParticlesNode::~GEffectParticlesNode()
{
	setScheduler(nullptr);
}

const PropertyTable& GEffectParticlesNode::propertyTable() const
{
	static const PropertyTable table = appendPropertyDescriptors(
	    baseNodePropertyTable(),
	    {
	        accessorProperty<&GEffectParticlesNode::setConfigurationFilename,
	                         &GEffectParticlesNode::getConfigurationFilename>("ConfigurationFilename"),
	        accessorProperty<&GEffectParticlesNode::setEnabled, &GEffectParticlesNode::isEnabled>("Enabled"),
	        accessorProperty<&GEffectParticlesNode::setAtlasTexture, &GEffectParticlesNode::getAtlasTexture>(
	            "AtlasTexture"),
	    });
	return table;
}

void GEffectParticlesNode::writeProperties(CPropertyCollection& collection) const
{
	BaseNode::writeProperties(collection);
	if (!configurationFilename.empty())
		collection.addString("ConfigurationFilename", configurationFilename);
	if (!enabled)
		collection.addBool("Enabled", false);
	if (atlasTexture)
		collection.add("AtlasTexture", makeAtlasTextureProperty(atlasTexture.get()));
}

void GEffectParticlesNode::readProperties(const CPropertyCollection& collection)
{
	BaseNode::readProperties(collection);
	const PropertyTable& table = GEffectParticlesNode::propertyTable();
	for (size_t i = baseNodePropertyTable().size(); i < table.size(); ++i)
		if (collection.indexOf(table[i].name) >= 0)
			table[i].setter(this, collection.get(table[i].name));
}

void GEffectParticlesNode::copyFrom(const BaseNode* source, INodeEventQueue* manager)
{
	BaseNode::copyFrom(source, manager);
	const auto* other = dynamic_cast<const GEffectParticlesNode*>(source);
	if (!other || other->typeId() != typeId())
		return;
	configurationFilename = other->configurationFilename;
	enabled = other->enabled;
	pps = other->pps;
	material = other->material;
	setAtlasTexture(other->atlasTexture.get());
}

void GEffectParticlesNode::setConfigurationFilename(const core::stringc& name)
{
	configurationFilename = name;
	CContentManager* manager = getContentRef().getContentManager();
	const core::stringc path = manager ? manager->resolvePath(name) : name;
	IFileSystem* files = fileSystemFor(getContentRef());
	SmartPointer<CXMLReader> reader(files && !name.empty() ? files->createXMLReader(path) : nullptr);
	if (reader)
		readConfiguration(reader.get());
	clearParticles();
}

void GEffectParticlesNode::setAtlasTexture(AtlasTexture* atlas)
{
	atlasTexture.share(atlas);
	if (!atlas)
		return;
	material.setTexture(0, atlas->getDeviceTexture());
	quadMesh.setTextureRect(atlas->getTextureRect());
}

u32 GEffectParticlesNode::takeDueEmissions(unsigned ms)
{
	accumulator += static_cast<int>(ms);
	// PPS 0 or below: an endless period, nothing is due.
	if (pps <= 0)
		return 0;
	const float periodMs = 1000.0f / static_cast<float>(pps);
	const float due = static_cast<float>(accumulator) / periodMs;
	if (!(due >= 1.0f))
		return 0;
	// A rate beyond what one step can use drops the excess rather than gathering it for ever.
	if (due >= 65536.0f)
	{
		accumulator = 0;
		return 65536u;
	}
	const u32 count = static_cast<u32>(due);
	accumulator -= static_cast<int>(periodMs * static_cast<float>(count));
	if (accumulator < 0)
		accumulator = 0;
	return count;
}

video::SColor GEffectParticlesNode::particleColor(float alpha) const
{
	// Opacity beyond 0..1 is held at its end instead of wrapping round the byte; an undefined one is clear.
	const float scaled = alpha * 255.0f;
	const float byte = scaled >= 0.0f ? std::min(scaled, 255.0f) : 0.0f;
	return multiplyColors(video::SColor(static_cast<u32>(byte), 255, 255, 255), absoluteColor);
}

void GEffectParticlesNode::rebuildMesh()
{
	const u32 count = getParticleCount();
	quadMesh.ensureQuads(count, atlasTexture->getTextureRect());
	quadMesh.setQuadCount(count);
	const core::rectf& uv = atlasTexture->getTextureRect();
	const core::dimension2du page = AtlasTexture::getPageTextureSize(atlasTexture->getPage());
	writeQuads((uv.LowerRightCorner.X - uv.UpperLeftCorner.X) * page.Width,
	           (uv.LowerRightCorner.Y - uv.UpperLeftCorner.Y) * page.Height);
}

bool GEffectParticlesNode::run(unsigned ms)
{
	if (!atlasTexture)
		return false;
	updateParticles(ms);
	if (enabled)
		emit(ms);
	else if (getParticleCount() == 0)
		return false;
	rebuildMesh();
	return true;
}

void GEffectParticlesNode::addToRenderList(RenderList& list)
{
	if (!Visible)
		return;
	BaseNode::addToRenderList(list);
	if (atlasTexture && atlasTexture->getDeviceTexture() && getParticleCount() > 0)
		list.push_back(RenderEntry{this, absoluteTransformation[14], 0});
	if (!enabled || getScheduler() || !atlasTexture)
		return;
	// Without a scene to run in, the node waits rather than pre-warming again on every pass.
	TaskScheduler* scheduler = findSceneScheduler(this);
	if (!scheduler)
		return;
	clearParticles();
	accumulator = 0;
	emit(500);
	rebuildMesh();
	setScheduler(scheduler);
}

void GEffectParticlesNode::draw(video::IVideoDriver* driver, const core::rect<s32>*)
{
	if (!driver || !atlasTexture || quadMesh.getPrimitiveCount() == 0)
		return;
	CQuadBatcher* batcher = CQuadBatcher::forDriver(driver);
	batcher->flush();
	core::matrix4 world = absoluteTransformation;
	if (!drawsAtNodeDepth())
		world[14] = 0.0f;
	driver->setTransform(video::ETS_WORLD, world);
	material.MaterialType = EngineMaterials::vertexAlpha(driver);
	material.setTexture(0, atlasTexture->getDeviceTexture());
	const u32 quads = quadMesh.getPrimitiveCount() / 2;
	BatchMesh batch{&material,
	                scene::EPT_TRIANGLES,
	                quadMesh.getPrimitiveCount(),
	                quadMesh.getVertices().const_pointer(),
	                4 * quads,
	                quadMesh.getIndices().const_pointer(),
	                6 * quads};
	batcher->addMesh(&batch);
	batcher->flush();
	driver->setTransform(video::ETS_WORLD, core::IdentityMatrix);
}

bool GEffectParticlesNode::readElements(IXMLReader* reader, const wchar_t* endName,
                                        const std::function<void(const core::stringw&)>& onElement)
{
	while (reader->read())
	{
		const int type = reader->getNodeType();
		const core::stringw& name = reader->getNodeName();
		if (type == XML_NODE_ELEMENT_END && name == endName)
			return true;
		if (type == XML_NODE_ELEMENT)
			onElement(name);
	}
	return false;
}

core::vector2df GEffectParticlesNode::readPairValue(IXMLReader* reader)
{
	return parseVector2dW(reader->getAttributeValue(L"Value").c_str());
}

void GEffectParticlesNode::setParticleQuad(u32 index, const core::vector2df& centre, const core::vector2df& halfSize,
                                           float angle, float alpha)
{
	const int degrees = truncateToInt(angle);
	quadMesh.setQuad(index, centre, rotateByWholeDegrees(core::vector2df(-halfSize.X, -halfSize.Y), degrees),
	                 rotateByWholeDegrees(core::vector2df(halfSize.X, -halfSize.Y), degrees), particleColor(alpha));
}
