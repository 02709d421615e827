#pragma once

#include "content/BatchTypes.h"
#include "core/ReferenceCounted.h"

#include <irrlicht/S3DVertex.h>
#include <irrlicht/SMaterial.h>
#include <irrlicht/dimension2d.h>
#include <irrlicht/matrix4.h>
#include <irrlicht/vector2d.h>
#include <vector>

namespace irr
{
namespace video
{
class IVideoDriver;
}
} // namespace irr

// Collects 2-D quads and meshes and draws each run of one material with a single driver call.
class CQuadBatcher : public virtual ReferenceCounted
{
public:
	static constexpr irr::u32 VertexCapacity = 4096;
	static constexpr irr::u32 IndexCapacity = 6144;

	// The driver is not grabbed: a batcher lives as long as its driver.
	explicit CQuadBatcher(irr::video::IVideoDriver* driver);
	~CQuadBatcher() override;
	CQuadBatcher(const CQuadBatcher&) = delete;
	CQuadBatcher& operator=(const CQuadBatcher&) = delete;

	// The batcher of driver, made on first request; released by releaseForDriver.
	static CQuadBatcher* forDriver(irr::video::IVideoDriver* driver);
	// Call before the driver is dropped.
	static void releaseForDriver(irr::video::IVideoDriver* driver);

	// Sets up the screen-pixel projection and empties the batch without drawing it.
	virtual void begin();
	virtual void end();
	virtual void flush();
	virtual void addQuad(const QuadRecord* quad);
	virtual void addQuad(const irr::video::SMaterial* material, const irr::core::vector2df& position0,
	                     const irr::core::vector2df& position1, const irr::core::vector2df& position2,
	                     const irr::core::vector2df& position3, const irr::core::vector2df& uv0,
	                     const irr::core::vector2df& uv1, const irr::core::vector2df& uv2,
	                     const irr::core::vector2df& uv3, float depth, irr::u32 color);
	virtual void addMesh(const BatchMesh* mesh);

	// Size of the virtual screen in pixels; (0, 0), the default, follows the render target.
	void setVirtualScreenSize(const irr::core::dimension2du& size) { virtualScreenSize = size; }
	irr::video::IVideoDriver* getVideoDriver() const { return driver; }
	const irr::video::SMaterial& getCurrentMaterial() const { return material; }
	// Driver calls made by flush since construction (for statistics and tests).
	irr::u32 getDrawCallCount() const { return drawCalls; }
	// Primitives those calls drew.
	irr::u32 getDrawnPrimitiveCount() const { return drawnPrimitives; }
	irr::u32 getPendingPrimitiveCount() const { return primitiveCount; }
	// The last run not drawn yet, as the driver will get it.
	const irr::video::S3DVertex* getPendingVertices() const
	{
		return runCount ? runs[runCount - 1].vertices.data() : nullptr;
	}
	irr::u32 getPendingVertexCount() const { return runCount ? runs[runCount - 1].vertexCount : 0; }

private:
	// Screen area a piece covers, in the units of the batch's vertices.
	struct Box
	{
		float x0, y0, x1, y1;
		bool overlaps(const Box& other) const;
	};
	// One draw call to be: a run of one material, kept until the next flush. A piece drawn later may join
	// an earlier run of its material when it covers nothing drawn by the runs in between: the picture is
	// the same, with fewer calls.
	struct Run
	{
		irr::video::SMaterial material;
		// The material object last found equal to the run's material. Its next quads are told apart by
		// texture and type only (what nodes set on their material as they draw); changing other fields of a
		// material between two of its quads needs a flush or begin in between.
		const irr::video::SMaterial* source = nullptr;
		bool quads = true;
		irr::scene::E_PRIMITIVE_TYPE type = irr::scene::EPT_TRIANGLES;
		// Strips, fans, lines and points: nothing joins such a run, and nothing moves past it.
		bool closed = false;
		std::vector<irr::video::S3DVertex> vertices;
		irr::u32 vertexCount = 0;
		std::vector<irr::u16> indices;
		irr::u32 indexCount = 0;
		irr::u32 primitives = 0;
		Box bounds{};
		std::vector<Box> pieces;
	};

	// Whether a quad of this material joins the run.
	static bool continuesQuadRun(Run& run, const irr::video::SMaterial* quadMaterial);
	// The run a piece covering box goes into: the latest of its material it may be drawn in, a new one at
	// the end when none takes it.
	Run& quadRunFor(const irr::video::SMaterial* quadMaterial, const Box& box);
	Run& meshRunFor(const BatchMesh* mesh, const Box& box);
	Run& newRun(const irr::video::SMaterial& newMaterial, bool quads, irr::scene::E_PRIMITIVE_TYPE type);
	// The earliest run a new piece may join.
	irr::u32 oldestReachable();
	// Whether a piece covering box would cover anything of the run (and so must be drawn after it).
	static bool covers(const Run& run, const Box& box);
	bool culled(const Box& box);
	// Whether the pieces are in the batcher's own screen pixels (no other transformation set since begin);
	// only then are they culled at the screen's edge and reordered.
	bool inScreenPixels();
	static void addPiece(Run& run, const Box& box);
	static void appendVertex(Run& run, const BatchVertex& vertex);
	static void appendVertex(Run& run, const irr::core::vector2df& position, const irr::core::vector2df& uv,
	                         float depth, irr::u32 color);
	void drawRun(const Run& run);
	void findEngineMaterials();

	irr::video::IVideoDriver* driver;
	irr::video::SMaterial material;
	irr::u32 primitiveCount = 0;
	std::vector<Run> runs;
	irr::u32 runCount = 0;
	std::vector<irr::u16> quadIndices;
	irr::core::dimension2du virtualScreenSize;
	irr::u32 drawCalls = 0;
	irr::u32 drawnPrimitives = 0;
	// The projection begin set and the virtual screen it shows.
	irr::core::matrix4 projection;
	Box screen{};
	// Whether the pieces since the last flush are in screen pixels: unknown (-1) until the first one.
	int screenPixels = -1;
	bool substituteStock = false;
	irr::s32 vertexAlphaId = -1;
	irr::s32 vertexAlphaAddId = -1;
};
