#pragma once

#include "CPropertyDataContentName.h"

#include <irrlicht/irrArray.h>

class AtlasTexture;

// Property value referring to an atlas frame; empty text keeps the current frame, and
// interpolating between numbered frames (Walk0001.png .. Walk0005.png) steps through them.
class CPropertyDataAtlasTexture : public CPropertyDataContentName
{
public:
	// Longest run of frames looked up ahead by prepareInterpolation; longer runs are looked up per step.
	static constexpr int MaxCachedFrames = 1024;

	explicit CPropertyDataAtlasTexture(IContentManager* manager = nullptr) : CPropertyDataContentName(manager) {}
	// Refers to frame (grabbed) and takes its owning content manager.
	explicit CPropertyDataAtlasTexture(AtlasTexture* frame);
	~CPropertyDataAtlasTexture() override;

	const irr::core::stringw& typeName() const override;
	const irr::core::stringw& className() const override;
	int typeId() const override;
	bool isKindOf(int id) const override;
	SmartPointer<IPropertyData> clone() const override;

	// Looks up the frames between this value's and to's, when both are numbered.
	void prepareInterpolation(const IPropertyData& to) override;
	bool interpolate(const IPropertyData& to, IPropertyData& out, float t, int reserved = 0) const override;

	AtlasTexture* getAtlasTexture() const;
	void setAtlasTexture(AtlasTexture* frame);
	irr::u32 getFrameCacheCount() const { return frameCache.size(); }
	AtlasTexture* getCachedFrame(irr::u32 index) const { return index < frameCache.size() ? frameCache[index] : nullptr; }

	// The frame named source's prefix + number as "%04d" + source's extension, from source's owner; null when absent.
	static AtlasTexture* findNumberedFrame(const AtlasTexture* source, int number);

protected:
	ContentType referredType() const override { return ContentTypeAtlasTexture; }
	bool keepsContentOnEmptyText() const override { return true; }
	// The frame's own manager makes its name relative.
	IContentManager* nameManager() const override;

private:
	void releaseFrameCache();

	irr::core::array<AtlasTexture*> frameCache;
};

// A new "atlasTexture" value referring to frame (may be null).
SmartPointer<IPropertyData> makeAtlasTextureProperty(AtlasTexture* frame);
