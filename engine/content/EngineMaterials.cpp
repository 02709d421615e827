#include "EngineMaterials.h"

#include "content/CDelegatingMaterialRenderer.h"

#include <cstring>
#include <irrlicht/IGPUProgrammingServices.h>
#include <irrlicht/IMaterialRendererServices.h>
#include <irrlicht/IShaderConstantSetCallBack.h>
#include <irrlicht/IVideoDriver.h>
#include <irrlicht/SMaterial.h>

namespace
{

// Fragment programs run where the fixed-function combiners cannot add the vertex colour.
const char* const multiplyProgram = "!!ARBfp1.0\n"
                                    "TEMP texel;\n"
                                    "TEX texel, fragment.texcoord[0], texture[0], 2D;\n"
                                    "MUL result.color, texel, fragment.color;\n"
                                    "END\n";

const char* const addProgram = "!!ARBfp1.0\n"
                               "TEMP texel;\n"
                               "TEX texel, fragment.texcoord[0], texture[0], 2D;\n"
                               "ADD_SAT result.color.xyz, texel, fragment.color;\n"
                               "MUL result.color.w, texel.w, fragment.color.w;\n"
                               "END\n";

// The library's program renderer applies the material's basic states after its base renderer
// enabled blending, and so switches blending off again for a material without a blend
// operation; this puts it back before each draw.
class CBlendingProgramCallback : public irr::video::IShaderConstantSetCallBack
{
public:
	void OnSetMaterial(const irr::video::SMaterial& material) override { current = material; }
	void OnSetConstants(irr::video::IMaterialRendererServices* services, irr::s32) override
	{
		if (current.BlendOperation != irr::video::EBO_NONE)
			return;
		// Assigned into a kept material: a fresh copy would allocate the layers' texture matrices at
		// every change of state.
		blended = current;
		blended.BlendOperation = irr::video::EBO_ADD;
		services->setBasicRenderStates(blended, current, false);
	}

private:
	irr::video::SMaterial current;
	irr::video::SMaterial blended;
};

irr::f32 blendParameter()
{
	using namespace irr::video;
	return pack_textureBlendFunc(EBF_SRC_ALPHA, EBF_ONE_MINUS_SRC_ALPHA, EMFN_MODULATE_1X,
	                             EAS_TEXTURE | EAS_VERTEX_COLOR);
}

irr::s32 addProgramMaterial(irr::video::IVideoDriver* driver, const char* program, const char* name)
{
	using namespace irr::video;
	if (driver->getDriverType() != EDT_OPENGL || !driver->queryFeature(EVDF_ARB_FRAGMENT_PROGRAM_1))
		return -1;
	IGPUProgrammingServices* gpu = driver->getGPUProgrammingServices();
	if (!gpu)
		return -1;
	CBlendingProgramCallback* callback = new CBlendingProgramCallback;
	const irr::s32 id = gpu->addShaderMaterial(nullptr, program, callback, EMT_TRANSPARENT_VERTEX_ALPHA, 0);
	callback->drop();
	if (id >= 0)
		driver->setMaterialRendererName(id, name);
	return id;
}

irr::s32 addDelegatingMaterial(irr::video::IVideoDriver* driver, const char* name)
{
	CDelegatingMaterialRenderer* renderer =
	    new CDelegatingMaterialRenderer(driver, irr::video::EMT_ONETEXTURE_BLEND, blendParameter());
	const irr::s32 id = driver->addMaterialRenderer(renderer, name);
	renderer->drop();
	return id;
}

irr::s32 registerOne(irr::video::IVideoDriver* driver, const char* program, const char* name)
{
	irr::s32 id = EngineMaterials::find(driver, name);
	if (id < 0)
		id = addProgramMaterial(driver, program, name);
	if (id < 0)
		id = addDelegatingMaterial(driver, name);
	return id;
}

} // namespace

bool EngineMaterials::registerMaterials(irr::video::IVideoDriver* driver)
{
	if (!driver)
		return false;
	const irr::s32 multiply = registerOne(driver, multiplyProgram, VertexAlpha);
	const irr::s32 add = registerOne(driver, addProgram, VertexAlphaAdd);
	return multiply >= 0 && add >= 0;
}

irr::s32 EngineMaterials::find(irr::video::IVideoDriver* driver, const char* name)
{
	if (!driver || !name)
		return -1;
	// Nodes ask for every picture they draw: the last few answers are kept, each checked against the
	// renderer it names (renderers are only added, and one renamed no longer answers to the name).
	struct Found
	{
		irr::video::IVideoDriver* driver;
		irr::u32 count;
		irr::s32 id;
		char name[48];
	};
	static Found found[4] = {};
	static irr::u32 nextSlot = 0;
	const irr::u32 count = driver->getMaterialRendererCount();
	for (const Found& entry : found)
		if (entry.driver == driver && entry.count == count && std::strcmp(entry.name, name) == 0)
		{
			const char* rendererName = driver->getMaterialRendererName(static_cast<irr::u32>(entry.id));
			if (rendererName && std::strcmp(rendererName, name) == 0)
				return entry.id;
		}
	for (irr::u32 i = 0; i < count; ++i)
	{
		const char* rendererName = driver->getMaterialRendererName(i);
		if (rendererName && std::strcmp(rendererName, name) == 0)
		{
			if (std::strlen(name) < sizeof(Found::name))
			{
				Found& entry = found[nextSlot++ % 4];
				entry = Found{driver, count, static_cast<irr::s32>(i), {}};
				std::strcpy(entry.name, name);
			}
			return static_cast<irr::s32>(i);
		}
	}
	return -1;
}

irr::video::E_MATERIAL_TYPE EngineMaterials::vertexAlpha(irr::video::IVideoDriver* driver)
{
	const irr::s32 id = find(driver, VertexAlpha);
	return id >= 0 ? static_cast<irr::video::E_MATERIAL_TYPE>(id) : irr::video::EMT_TRANSPARENT_VERTEX_ALPHA;
}

irr::video::E_MATERIAL_TYPE EngineMaterials::vertexAlphaAdd(irr::video::IVideoDriver* driver)
{
	const irr::s32 id = find(driver, VertexAlphaAdd);
	return id >= 0 ? static_cast<irr::video::E_MATERIAL_TYPE>(id) : irr::video::EMT_TRANSPARENT_VERTEX_ALPHA;
}

bool EngineMaterials::needsStockSubstitute(irr::video::IVideoDriver* driver)
{
	return driver && driver->getDriverType() == irr::video::EDT_BURNINGSVIDEO;
}

void EngineMaterials::substituteStockType(irr::video::SMaterial& material, irr::s32 vertexAlphaId,
                                          irr::s32 vertexAlphaAddId)
{
	const irr::s32 type = static_cast<irr::s32>(material.MaterialType);
	if (type < 0 || (type != vertexAlphaId && type != vertexAlphaAddId))
		return;
	// The software renderer blends by texel alpha here; the vertex alpha is lost.
	material.MaterialType = irr::video::EMT_TRANSPARENT_ALPHA_CHANNEL;
	material.MaterialTypeParam = 0.0f;
}
