#pragma once

#include "content/BatchTypes.h"
#include "core/ReferenceCounted.h"

#include <irrlicht/S3DVertex.h>
#include <irrlicht/SMaterial.h>
#include <irrlicht/dimension2d.h>
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
	// The batch not drawn yet, as the driver will get it.
	const irr::video::S3DVertex* getPendingVertices() const { return vertices.data(); }
	irr::u32 getPendingVertexCount() const { return vertexCount; }

private:
	void startRun(const irr::video::SMaterial& newMaterial, bool quads, irr::scene::E_PRIMITIVE_TYPE type);
	// Whether a quad of this material joins the current run of quads.
	bool continuesQuadRun(const irr::video::SMaterial* quadMaterial);
	void appendVertex(const BatchVertex& vertex);
	void appendVertex(const irr::core::vector2df& position, const irr::core::vector2df& uv, float depth,
	                  irr::u32 color);
	void findEngineMaterials();

	irr::video::IVideoDriver* driver;
	irr::video::SMaterial material;
	irr::scene::E_PRIMITIVE_TYPE primitiveType = irr::scene::EPT_TRIANGLES;
	bool quadMode = true;
	irr::u32 primitiveCount = 0;
	std::vector<irr::video::S3DVertex> vertices;
	irr::u32 vertexCount = 0;
	std::vector<irr::u16> meshIndices;
	irr::u32 meshIndexCount = 0;
	std::vector<irr::u16> quadIndices;
	irr::core::dimension2du virtualScreenSize;
	irr::u32 drawCalls = 0;
	irr::u32 drawnPrimitives = 0;
	// The material object last found equal to the run's material. Its next quads are told apart by texture
	// and type only (what nodes set on their material as they draw); changing other fields of a material
	// between two of its quads needs a flush or begin in between.
	const irr::video::SMaterial* runSource = nullptr;
	bool substituteStock = false;
	irr::s32 vertexAlphaId = -1;
	irr::s32 vertexAlphaAddId = -1;
};
