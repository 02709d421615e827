#pragma once

#include <irrlicht/EMaterialTypes.h>
#include <irrlicht/irrTypes.h>

namespace irr
{
namespace video
{
class IVideoDriver;
struct SMaterial;
} // namespace video
} // namespace irr

// The material types the engine adds after the library's own, registered per driver and found by name.
class EngineMaterials
{
public:
	// Colour = texel x vertex colour, alpha = texel alpha x vertex alpha, source-alpha blending.
	static constexpr const char* VertexAlpha = "trans_alphach_vertexalpha";
	// Colour = texel + vertex colour, alpha and blending as VertexAlpha.
	static constexpr const char* VertexAlphaAdd = "trans_alphach_vertexalpha_add";

	// Adds both renderers to driver unless it has them already; call once after the driver is made.
	// True when both types exist afterwards.
	static bool registerMaterials(irr::video::IVideoDriver* driver);

	// The driver's id of the named material type, or -1 when the driver has none of that name.
	static irr::s32 find(irr::video::IVideoDriver* driver, const char* name);
	// The id of VertexAlpha / VertexAlphaAdd; the library's EMT_TRANSPARENT_VERTEX_ALPHA when missing.
	static irr::video::E_MATERIAL_TYPE vertexAlpha(irr::video::IVideoDriver* driver);
	static irr::video::E_MATERIAL_TYPE vertexAlphaAdd(irr::video::IVideoDriver* driver);

	// Drivers whose fixed shaders are chosen by the library's own material types (the software
	// renderer) are given the closest stock type in place of an engine type.
	static bool needsStockSubstitute(irr::video::IVideoDriver* driver);
	static void substituteStockType(irr::video::SMaterial& material, irr::s32 vertexAlphaId, irr::s32 vertexAlphaAddId);
};
