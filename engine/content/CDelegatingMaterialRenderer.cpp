#include "CDelegatingMaterialRenderer.h"

#include <irrlicht/IVideoDriver.h>

CDelegatingMaterialRenderer::CDelegatingMaterialRenderer(irr::video::IVideoDriver* driver,
                                                         irr::video::E_MATERIAL_TYPE type, irr::f32 param)
    : base(driver->getMaterialRenderer(type)), baseType(type), baseParam(param)
{
	if (base)
		base->grab();
}

CDelegatingMaterialRenderer::~CDelegatingMaterialRenderer()
{
	if (base)
		base->drop();
}

void CDelegatingMaterialRenderer::OnSetMaterial(const irr::video::SMaterial& material,
                                                const irr::video::SMaterial& lastMaterial, bool resetAllRenderstates,
                                                irr::video::IMaterialRendererServices* services)
{
	if (!base)
		return;
	irr::video::SMaterial adapted = material;
	adapted.MaterialType = baseType;
	adapted.MaterialTypeParam = baseParam;
	irr::video::SMaterial last = lastMaterial;
	if (lastMaterial.MaterialType == material.MaterialType)
	{
		last.MaterialType = baseType;
		last.MaterialTypeParam = baseParam;
	}
	base->OnSetMaterial(adapted, last, resetAllRenderstates, services);
}

bool CDelegatingMaterialRenderer::OnRender(irr::video::IMaterialRendererServices* service,
                                           irr::video::E_VERTEX_TYPE vtxtype)
{
	return base ? base->OnRender(service, vtxtype) : true;
}

void CDelegatingMaterialRenderer::OnUnsetMaterial()
{
	if (base)
		base->OnUnsetMaterial();
}

irr::s32 CDelegatingMaterialRenderer::getRenderCapability() const
{
	return base ? base->getRenderCapability() : 1;
}
