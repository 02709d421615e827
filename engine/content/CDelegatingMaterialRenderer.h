#pragma once

#include <irrlicht/IMaterialRenderer.h>
#include <irrlicht/SMaterial.h>

namespace irr
{
namespace video
{
class IVideoDriver;
}
} // namespace irr

// Renders an engine material type with one of the library's own renderers and a fixed
// material parameter, for drivers that offer no programmable pipeline.
class CDelegatingMaterialRenderer : public irr::video::IMaterialRenderer
{
public:
	CDelegatingMaterialRenderer(irr::video::IVideoDriver* driver, irr::video::E_MATERIAL_TYPE baseType,
	                            irr::f32 baseParam);
	~CDelegatingMaterialRenderer() override;

	void OnSetMaterial(const irr::video::SMaterial& material, const irr::video::SMaterial& lastMaterial,
	                   bool resetAllRenderstates, irr::video::IMaterialRendererServices* services) override;
	bool OnRender(irr::video::IMaterialRendererServices* service, irr::video::E_VERTEX_TYPE vtxtype) override;
	void OnUnsetMaterial() override;
	bool isTransparent() const override { return true; }
	irr::s32 getRenderCapability() const override;

private:
	irr::video::IMaterialRenderer* base;
	irr::video::E_MATERIAL_TYPE baseType;
	irr::f32 baseParam;
};
