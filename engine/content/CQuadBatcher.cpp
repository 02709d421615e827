#include "CQuadBatcher.h"

#include "content/EngineMaterials.h"

#include <irrlicht/IVideoDriver.h>
#include <irrlicht/matrix4.h>
#include <map>

namespace
{

std::map<irr::video::IVideoDriver*, CQuadBatcher*>& batchers()
{
	// Never destroyed: the device singleton releases its driver's batcher after static objects are gone.
	static auto* registry = new std::map<irr::video::IVideoDriver*, CQuadBatcher*>();
	return *registry;
}

bool isListType(irr::scene::E_PRIMITIVE_TYPE type)
{
	return type == irr::scene::EPT_TRIANGLES || type == irr::scene::EPT_LINES || type == irr::scene::EPT_POINTS;
}

// Indices the driver reads for count primitives of type; 0 for types the batcher does not draw.
irr::u32 indicesNeeded(irr::scene::E_PRIMITIVE_TYPE type, irr::u32 count)
{
	using namespace irr::scene;
	switch (type)
	{
	case EPT_POINTS:
	case EPT_LINE_LOOP:
		return count;
	case EPT_LINE_STRIP:
		return count + 1;
	case EPT_LINES:
		return count * 2;
	case EPT_TRIANGLE_STRIP:
	case EPT_TRIANGLE_FAN:
		return count + 2;
	case EPT_TRIANGLES:
		return count * 3;
	default:
		return 0;
	}
}

// Depth values within +-65536 stay inside the clip volume.
constexpr float depthScale = 1.0f / 65536.0f;

} // namespace

CQuadBatcher::CQuadBatcher(irr::video::IVideoDriver* videoDriver)
    : driver(videoDriver), vertices(VertexCapacity), meshIndices(IndexCapacity), quadIndices(IndexCapacity)
{
	for (irr::u32 quad = 0; quad < IndexCapacity / 6; ++quad)
	{
		const irr::u16 first = static_cast<irr::u16>(quad * 4);
		irr::u16* out = &quadIndices[quad * 6];
		out[0] = first;
		out[1] = static_cast<irr::u16>(first + 1);
		out[2] = static_cast<irr::u16>(first + 2);
		out[3] = first;
		out[4] = static_cast<irr::u16>(first + 2);
		out[5] = static_cast<irr::u16>(first + 3);
	}
	findEngineMaterials();
}

CQuadBatcher::~CQuadBatcher() = default;

CQuadBatcher* CQuadBatcher::forDriver(irr::video::IVideoDriver* driver)
{
	if (!driver)
		return nullptr;
	CQuadBatcher*& batcher = batchers()[driver];
	if (!batcher)
		batcher = new CQuadBatcher(driver);
	return batcher;
}

void CQuadBatcher::releaseForDriver(irr::video::IVideoDriver* driver)
{
	auto found = batchers().find(driver);
	if (found == batchers().end())
		return;
	found->second->drop();
	batchers().erase(found);
}

void CQuadBatcher::findEngineMaterials()
{
	substituteStock = EngineMaterials::needsStockSubstitute(driver);
	vertexAlphaId = EngineMaterials::find(driver, EngineMaterials::VertexAlpha);
	vertexAlphaAddId = EngineMaterials::find(driver, EngineMaterials::VertexAlphaAdd);
}

void CQuadBatcher::begin()
{
	runSource = nullptr;
	vertexCount = 0;
	meshIndexCount = 0;
	primitiveCount = 0;
	if (!driver)
		return;
	findEngineMaterials();

	irr::core::dimension2du size = virtualScreenSize;
	if (size.Width == 0 || size.Height == 0)
		size = driver->getCurrentRenderTargetSize();
	const float width = size.Width ? static_cast<float>(size.Width) : 1.0f;
	const float height = size.Height ? static_cast<float>(size.Height) : 1.0f;

	// Pixels of the virtual screen, y down, onto the whole viewport.
	irr::core::matrix4 projection;
	projection.makeIdentity();
	projection[0] = 2.0f / width;
	projection[5] = -2.0f / height;
	projection[10] = depthScale;
	projection[12] = -1.0f;
	projection[13] = 1.0f;
	driver->setTransform(irr::video::ETS_PROJECTION, projection);
	driver->setTransform(irr::video::ETS_VIEW, irr::core::IdentityMatrix);
	driver->setTransform(irr::video::ETS_WORLD, irr::core::IdentityMatrix);
}

void CQuadBatcher::end()
{
	flush();
}

void CQuadBatcher::flush()
{
	runSource = nullptr;
	if (primitiveCount == 0)
		return;
	if (driver)
	{
		irr::video::SMaterial drawn = material;
		drawn.Lighting = false;
		drawn.FogEnable = false;
		// The y-down projection mirrors the winding.
		drawn.BackfaceCulling = false;
		drawn.FrontfaceCulling = false;
		if (substituteStock)
			EngineMaterials::substituteStockType(drawn, vertexAlphaId, vertexAlphaAddId);
		driver->setMaterial(drawn);
		driver->drawVertexPrimitiveList(vertices.data(), vertexCount,
		                                quadMode ? quadIndices.data() : meshIndices.data(), primitiveCount,
		                                irr::video::EVT_STANDARD, primitiveType, irr::video::EIT_16BIT);
		++drawCalls;
		drawnPrimitives += primitiveCount;
	}
	vertexCount = 0;
	meshIndexCount = 0;
	primitiveCount = 0;
}

void CQuadBatcher::startRun(const irr::video::SMaterial& newMaterial, bool quads, irr::scene::E_PRIMITIVE_TYPE type)
{
	flush();
	material = newMaterial;
	quadMode = quads;
	primitiveType = type;
}

bool CQuadBatcher::continuesQuadRun(const irr::video::SMaterial* quadMaterial)
{
	if (!quadMode || quadMaterial->MaterialType != material.MaterialType ||
	    quadMaterial->TextureLayer[0].Texture != material.TextureLayer[0].Texture)
		return false;
	if (quadMaterial == runSource)
		return true;
	if (*quadMaterial != material)
		return false;
	runSource = quadMaterial;
	return true;
}

void CQuadBatcher::appendVertex(const BatchVertex& v)
{
	irr::video::S3DVertex& out = vertices[vertexCount++];
	out.Pos.set(v.x, v.y, v.z);
	out.Normal.set(0.0f, 0.0f, -1.0f);
	out.Color.color = v.color;
	out.TCoords.set(v.u, v.v);
}

void CQuadBatcher::appendVertex(const irr::core::vector2df& position, const irr::core::vector2df& uv, float depth,
                                irr::u32 color)
{
	irr::video::S3DVertex& out = vertices[vertexCount++];
	out.Pos.set(position.X, position.Y, depth);
	out.Normal.set(0.0f, 0.0f, -1.0f);
	out.Color.color = color;
	out.TCoords = uv;
}

void CQuadBatcher::addQuad(const QuadRecord* quad)
{
	if (!quad || !quad->material)
		return;
	if (!continuesQuadRun(quad->material))
	{
		startRun(*quad->material, true, irr::scene::EPT_TRIANGLES);
		runSource = quad->material;
	}
	if (vertexCount + 4 >= VertexCapacity)
		flush();
	for (const BatchVertex& vertex : quad->vertices)
		appendVertex(vertex);
	meshIndexCount += 6;
	primitiveCount += 2;
}

void CQuadBatcher::addQuad(const irr::video::SMaterial* quadMaterial, const irr::core::vector2df& position0,
                           const irr::core::vector2df& position1, const irr::core::vector2df& position2,
                           const irr::core::vector2df& position3, const irr::core::vector2df& uv0,
                           const irr::core::vector2df& uv1, const irr::core::vector2df& uv2,
                           const irr::core::vector2df& uv3, float depth, irr::u32 color)
{
	if (!quadMaterial)
		return;
	if (!continuesQuadRun(quadMaterial))
	{
		startRun(*quadMaterial, true, irr::scene::EPT_TRIANGLES);
		runSource = quadMaterial;
	}
	if (vertexCount + 4 >= VertexCapacity)
		flush();
	appendVertex(position0, uv0, depth, color);
	appendVertex(position1, uv1, depth, color);
	appendVertex(position2, uv2, depth, color);
	appendVertex(position3, uv3, depth, color);
	meshIndexCount += 6;
	primitiveCount += 2;
}

void CQuadBatcher::addMesh(const BatchMesh* mesh)
{
	if (!mesh || !mesh->material || !mesh->vertices || !mesh->indices || mesh->primitiveCount == 0 || !driver)
		return;
	if (mesh->primitiveCount >= driver->getMaximalPrimitiveCount())
		return;
	// A mesh that can never fit, or whose indices leave its vertices, is not drawn.
	if (mesh->vertexCount >= VertexCapacity || mesh->indexCount >= IndexCapacity)
		return;
	const irr::u32 needed = indicesNeeded(mesh->primitiveType, mesh->primitiveCount);
	if (needed == 0 || needed > mesh->indexCount)
		return;
	for (irr::u32 i = 0; i < mesh->indexCount; ++i)
		if (mesh->indices[i] >= mesh->vertexCount)
			return;

	if (quadMode || *mesh->material != material || mesh->primitiveType != primitiveType)
		startRun(*mesh->material, false, mesh->primitiveType);
	else if (!isListType(primitiveType))
		flush(); // strips and fans cannot share one index list
	if (vertexCount + mesh->vertexCount >= VertexCapacity || meshIndexCount + mesh->indexCount >= IndexCapacity)
		flush();

	const irr::u16 base = static_cast<irr::u16>(vertexCount);
	for (irr::u32 i = 0; i < mesh->vertexCount; ++i)
		appendVertex(mesh->vertices[i]);
	for (irr::u32 i = 0; i < mesh->indexCount; ++i)
		meshIndices[meshIndexCount + i] = static_cast<irr::u16>(mesh->indices[i] + base);
	meshIndexCount += mesh->indexCount;
	primitiveCount += mesh->primitiveCount;
}
