#include "CQuadBatcher.h"

#include "content/EngineMaterials.h"

#include <algorithm>
#include <irrlicht/IVideoDriver.h>
#include <irrlicht/matrix4.h>
#include <limits>
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

// Pieces closer than this (in virtual screen pixels) count as overlapping: rounding in the driver's
// transformation cannot make them share a pixel.
constexpr float pieceMargin = 1.0f;
// How far back a piece looks for a run of its material, and how many pieces of a run in between it
// checks one by one; past either it starts a run of its own.
constexpr irr::u32 runLookBack = 12;
constexpr size_t piecesChecked = 48;

const float unbounded = std::numeric_limits<float>::infinity();

} // namespace

CQuadBatcher::CQuadBatcher(irr::video::IVideoDriver* videoDriver) : driver(videoDriver), quadIndices(IndexCapacity)
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

bool CQuadBatcher::Box::overlaps(const Box& other) const
{
	// Written as "not apart" so that a box of undefined corners overlaps everything.
	const bool apart = other.x1 + pieceMargin <= x0 || x1 + pieceMargin <= other.x0 || other.y1 + pieceMargin <= y0 ||
	                   y1 + pieceMargin <= other.y0;
	return !apart;
}

void CQuadBatcher::begin()
{
	runCount = 0;
	primitiveCount = 0;
	screenPixels = -1;
	if (!driver)
		return;
	findEngineMaterials();

	irr::core::dimension2du size = virtualScreenSize;
	if (size.Width == 0 || size.Height == 0)
		size = driver->getCurrentRenderTargetSize();
	const float width = size.Width ? static_cast<float>(size.Width) : 1.0f;
	const float height = size.Height ? static_cast<float>(size.Height) : 1.0f;
	screen = Box{0.0f, 0.0f, width, height};

	// Pixels of the virtual screen, y down, onto the whole viewport.
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

bool CQuadBatcher::inScreenPixels()
{
	if (screenPixels < 0)
	{
		// Whatever a node set since the last flush holds until the next: the pieces are drawn under it.
		screenPixels = driver && driver->getTransform(irr::video::ETS_WORLD).isIdentity() &&
		                       driver->getTransform(irr::video::ETS_VIEW).isIdentity() &&
		                       driver->getTransform(irr::video::ETS_PROJECTION) == projection && screen.x1 > 0.0f
		                   ? 1
		                   : 0;
	}
	return screenPixels == 1;
}

void CQuadBatcher::drawRun(const Run& run)
{
	irr::video::SMaterial drawn = run.material;
	drawn.Lighting = false;
	drawn.FogEnable = false;
	// The y-down projection mirrors the winding.
	drawn.BackfaceCulling = false;
	drawn.FrontfaceCulling = false;
	if (substituteStock)
		EngineMaterials::substituteStockType(drawn, vertexAlphaId, vertexAlphaAddId);
	driver->setMaterial(drawn);
	driver->drawVertexPrimitiveList(run.vertices.data(), run.vertexCount,
	                                run.quads ? quadIndices.data() : run.indices.data(), run.primitives,
	                                irr::video::EVT_STANDARD, run.type, irr::video::EIT_16BIT);
	++drawCalls;
	drawnPrimitives += run.primitives;
}

void CQuadBatcher::flush()
{
	screenPixels = -1;
	if (runCount == 0)
		return;
	for (irr::u32 i = 0; i < runCount; ++i)
		if (driver && runs[i].primitives > 0)
			drawRun(runs[i]);
	const Run& last = runs[runCount - 1];
	material = last.material;
	runCount = 0;
	primitiveCount = 0;
}

CQuadBatcher::Run& CQuadBatcher::newRun(const irr::video::SMaterial& newMaterial, bool quads,
                                        irr::scene::E_PRIMITIVE_TYPE type)
{
	if (runCount == runs.size())
		runs.emplace_back();
	Run& run = runs[runCount++];
	run.material = newMaterial;
	run.source = nullptr;
	run.quads = quads;
	run.type = type;
	run.closed = !quads && !isListType(type);
	run.vertexCount = 0;
	run.indexCount = 0;
	run.primitives = 0;
	run.bounds = Box{unbounded, unbounded, -unbounded, -unbounded};
	run.pieces.clear();
	material = newMaterial;
	return run;
}

bool CQuadBatcher::covers(const Run& run, const Box& box)
{
	if (run.closed)
		return true;
	if (!box.overlaps(run.bounds))
		return false;
	// A run whose pieces are too many to check one by one counts by its bounds alone.
	if (run.pieces.size() > piecesChecked)
		return true;
	for (const Box& piece : run.pieces)
		if (box.overlaps(piece))
			return true;
	return false;
}

void CQuadBatcher::addPiece(Run& run, const Box& box)
{
	run.bounds.x0 = std::min(run.bounds.x0, box.x0);
	run.bounds.y0 = std::min(run.bounds.y0, box.y0);
	run.bounds.x1 = std::max(run.bounds.x1, box.x1);
	run.bounds.y1 = std::max(run.bounds.y1, box.y1);
	if (run.pieces.size() <= piecesChecked)
		run.pieces.push_back(box);
}

bool CQuadBatcher::continuesQuadRun(Run& run, const irr::video::SMaterial* quadMaterial)
{
	if (!run.quads || quadMaterial->MaterialType != run.material.MaterialType ||
	    quadMaterial->TextureLayer[0].Texture != run.material.TextureLayer[0].Texture)
		return false;
	if (quadMaterial == run.source)
		return true;
	if (*quadMaterial != run.material)
		return false;
	run.source = quadMaterial;
	return true;
}

irr::u32 CQuadBatcher::oldestReachable()
{
	if (runCount == 0)
		return 0;
	if (!inScreenPixels())
		return runCount - 1;
	return runCount > runLookBack ? runCount - runLookBack : 0;
}

CQuadBatcher::Run& CQuadBatcher::quadRunFor(const irr::video::SMaterial* quadMaterial, const Box& box)
{
	// Walks back over the runs the quad covers nothing of; the first of its material takes it.
	const irr::u32 oldest = oldestReachable();
	for (irr::u32 i = runCount; i-- > oldest;)
	{
		Run& run = runs[i];
		if (continuesQuadRun(run, quadMaterial))
		{
			if (run.vertexCount + 4 < VertexCapacity)
				return run;
			break;
		}
		if (covers(run, box))
			break;
	}
	Run& run = newRun(*quadMaterial, true, irr::scene::EPT_TRIANGLES);
	run.source = quadMaterial;
	return run;
}

CQuadBatcher::Run& CQuadBatcher::meshRunFor(const BatchMesh* mesh, const Box& box)
{
	const irr::u32 oldest = oldestReachable();
	if (isListType(mesh->primitiveType))
		for (irr::u32 i = runCount; i-- > oldest;)
		{
			Run& run = runs[i];
			if (!run.quads && !run.closed && run.type == mesh->primitiveType && *mesh->material == run.material)
			{
				if (run.vertexCount + mesh->vertexCount < VertexCapacity &&
				    run.indexCount + mesh->indexCount < IndexCapacity)
					return run;
				break;
			}
			if (covers(run, box))
				break;
		}
	return newRun(*mesh->material, false, mesh->primitiveType);
}

bool CQuadBatcher::culled(const Box& box)
{
	// Wholly off the screen: the driver would clip all of it away.
	return inScreenPixels() && !box.overlaps(screen);
}

void CQuadBatcher::appendVertex(Run& run, const BatchVertex& v)
{
	if (run.vertices.size() <= run.vertexCount)
		run.vertices.resize(std::max<size_t>(64, run.vertices.size() * 2));
	irr::video::S3DVertex& out = run.vertices[run.vertexCount++];
	out.Pos.set(v.x, v.y, v.z);
	out.Normal.set(0.0f, 0.0f, -1.0f);
	out.Color.color = v.color;
	out.TCoords.set(v.u, v.v);
}

void CQuadBatcher::appendVertex(Run& run, const irr::core::vector2df& position, const irr::core::vector2df& uv,
                                float depth, irr::u32 color)
{
	if (run.vertices.size() <= run.vertexCount)
		run.vertices.resize(std::max<size_t>(64, run.vertices.size() * 2));
	irr::video::S3DVertex& out = run.vertices[run.vertexCount++];
	out.Pos.set(position.X, position.Y, depth);
	out.Normal.set(0.0f, 0.0f, -1.0f);
	out.Color.color = color;
	out.TCoords = uv;
}

void CQuadBatcher::addQuad(const QuadRecord* quad)
{
	if (!quad || !quad->material)
		return;
	const BatchVertex* v = quad->vertices;
	const Box box{std::min(std::min(v[0].x, v[1].x), std::min(v[2].x, v[3].x)),
	              std::min(std::min(v[0].y, v[1].y), std::min(v[2].y, v[3].y)),
	              std::max(std::max(v[0].x, v[1].x), std::max(v[2].x, v[3].x)),
	              std::max(std::max(v[0].y, v[1].y), std::max(v[2].y, v[3].y))};
	if (culled(box))
		return;
	Run& run = quadRunFor(quad->material, box);
	for (const BatchVertex& vertex : quad->vertices)
		appendVertex(run, vertex);
	run.primitives += 2;
	primitiveCount += 2;
	addPiece(run, box);
}

void CQuadBatcher::addQuad(const irr::video::SMaterial* quadMaterial, const irr::core::vector2df& position0,
                           const irr::core::vector2df& position1, const irr::core::vector2df& position2,
                           const irr::core::vector2df& position3, const irr::core::vector2df& uv0,
                           const irr::core::vector2df& uv1, const irr::core::vector2df& uv2,
                           const irr::core::vector2df& uv3, float depth, irr::u32 color)
{
	if (!quadMaterial)
		return;
	const Box box{std::min(std::min(position0.X, position1.X), std::min(position2.X, position3.X)),
	              std::min(std::min(position0.Y, position1.Y), std::min(position2.Y, position3.Y)),
	              std::max(std::max(position0.X, position1.X), std::max(position2.X, position3.X)),
	              std::max(std::max(position0.Y, position1.Y), std::max(position2.Y, position3.Y))};
	if (culled(box))
		return;
	Run& run = quadRunFor(quadMaterial, box);
	appendVertex(run, position0, uv0, depth, color);
	appendVertex(run, position1, uv1, depth, color);
	appendVertex(run, position2, uv2, depth, color);
	appendVertex(run, position3, uv3, depth, color);
	run.primitives += 2;
	primitiveCount += 2;
	addPiece(run, box);
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

	// Lines and points may reach past their vertices: they take the whole screen.
	Box box{unbounded, unbounded, -unbounded, -unbounded};
	if (mesh->primitiveType == irr::scene::EPT_TRIANGLES)
		for (irr::u32 i = 0; i < mesh->vertexCount; ++i)
		{
			box.x0 = std::min(box.x0, mesh->vertices[i].x);
			box.y0 = std::min(box.y0, mesh->vertices[i].y);
			box.x1 = std::max(box.x1, mesh->vertices[i].x);
			box.y1 = std::max(box.y1, mesh->vertices[i].y);
		}
	else
		box = Box{-unbounded, -unbounded, unbounded, unbounded};

	Run& run = meshRunFor(mesh, box);
	if (run.indices.size() < run.indexCount + mesh->indexCount)
		run.indices.resize(std::max<size_t>(run.indices.size() * 2, run.indexCount + mesh->indexCount));
	const irr::u16 base = static_cast<irr::u16>(run.vertexCount);
	for (irr::u32 i = 0; i < mesh->vertexCount; ++i)
		appendVertex(run, mesh->vertices[i]);
	for (irr::u32 i = 0; i < mesh->indexCount; ++i)
		run.indices[run.indexCount + i] = static_cast<irr::u16>(mesh->indices[i] + base);
	run.indexCount += mesh->indexCount;
	run.primitives += mesh->primitiveCount;
	primitiveCount += mesh->primitiveCount;
	addPiece(run, box);
}
