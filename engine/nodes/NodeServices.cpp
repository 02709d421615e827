#include "NodeServices.h"

#include "core/CPropertyDataAtlasTexture.h"
#include "scene/BaseNode.h"
#include "scene/INodeEventQueue.h"
#include "scene/ISceneServices.h"

TaskScheduler* findSceneScheduler(const BaseNode* node)
{
	if (!node)
		return nullptr;
	auto* services = dynamic_cast<ISceneServices*>(node->getSceneManager());
	return services ? services->getSceneScheduler(node->getScene()) : nullptr;
}

AtlasTexture* atlasFrameOfValue(const IPropertyData* value)
{
	if (!value || value->typeId() != PROPERTY_ATLAS_TEXTURE)
		return nullptr;
	return static_cast<const CPropertyDataAtlasTexture*>(value)->getAtlasTexture();
}
