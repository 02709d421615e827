#include "CPropertyDataAtlasTexture.h"

#include "content/AtlasTexture.h"
#include "content/CContentManager.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

CPropertyDataAtlasTexture::CPropertyDataAtlasTexture(AtlasTexture* frame) : CPropertyDataContentName(nullptr)
{
	setAtlasTexture(frame);
}

CPropertyDataAtlasTexture::~CPropertyDataAtlasTexture()
{
	releaseFrameCache();
}

SmartPointer<IPropertyData> makeAtlasTextureProperty(AtlasTexture* frame)
{
	return new CPropertyDataAtlasTexture(frame);
}

const irr::core::stringw& CPropertyDataAtlasTexture::typeName() const
{
	static const irr::core::stringw name(L"atlasTexture");
	return name;
}

const irr::core::stringw& CPropertyDataAtlasTexture::className() const
{
	static const irr::core::stringw name(L"CPropertyDataAtlasTexture");
	return name;
}

int CPropertyDataAtlasTexture::typeId() const
{
	return PROPERTY_ATLAS_TEXTURE;
}

bool CPropertyDataAtlasTexture::isKindOf(int id) const
{
	return id == PROPERTY_ATLAS_TEXTURE || id == PROPERTY_NONE;
}

SmartPointer<IPropertyData> CPropertyDataAtlasTexture::clone() const
{
	CPropertyDataAtlasTexture* copy = new CPropertyDataAtlasTexture(getContentManager());
	copyTo(*copy);
	for (irr::u32 i = 0; i < frameCache.size(); ++i)
	{
		if (frameCache[i])
			frameCache[i]->grab();
		copy->frameCache.push_back(frameCache[i]);
	}
	return copy;
}

AtlasTexture* CPropertyDataAtlasTexture::getAtlasTexture() const
{
	// Only atlas frames are ever held: setContentObject refuses other content types.
	return static_cast<AtlasTexture*>(getContentObject());
}

void CPropertyDataAtlasTexture::setAtlasTexture(AtlasTexture* frame)
{
	setContentObject(frame);
}

IContentManager* CPropertyDataAtlasTexture::nameManager() const
{
	const AtlasTexture* frame = getAtlasTexture();
	return frame ? frame->getContentRef().getContentManager() : nullptr;
}

void CPropertyDataAtlasTexture::releaseFrameCache()
{
	for (irr::u32 i = 0; i < frameCache.size(); ++i)
		if (frameCache[i])
			frameCache[i]->drop();
	frameCache.clear();
}

AtlasTexture* CPropertyDataAtlasTexture::findNumberedFrame(const AtlasTexture* source, int number)
{
	CContentManager* manager = source ? source->getContentRef().getContentManager() : nullptr;
	if (!manager)
		return nullptr;
	char digits[16];
	std::snprintf(digits, sizeof(digits), "%04d", number);
	irr::core::stringc name = source->getPrefix();
	name += digits;
	name += source->getExtension();
	ContentObject* found = manager->getContent(ContentTypeAtlasTexture, name, false);
	if (found && found->getContentType() != ContentTypeAtlasTexture)
	{
		found->drop();
		return nullptr;
	}
	return static_cast<AtlasTexture*>(found);
}

void CPropertyDataAtlasTexture::prepareInterpolation(const IPropertyData& to)
{
	if (!isSameType(to))
		return;
	const AtlasTexture* from = getAtlasTexture();
	const AtlasTexture* target = static_cast<const CPropertyDataAtlasTexture&>(to).getAtlasTexture();
	if (!from || !target)
		return;
	releaseFrameCache();
	const int a = from->getFrameNumber();
	const int b = target->getFrameNumber();
	// Frame numbers have at most nine digits, so the distance fits an int.
	if (a == -1 || b == -1 || a == b || std::abs(b - a) + 1 > MaxCachedFrames)
		return;
	const int step = b > a ? 1 : -1;
	for (int n = a;; n += step)
	{
		frameCache.push_back(findNumberedFrame(from, n));
		if (n == b)
			break;
	}
}

bool CPropertyDataAtlasTexture::interpolate(const IPropertyData& to, IPropertyData& out, float t, int) const
{
	if (!isSameType(to) || !isSameType(out))
		return false;
	AtlasTexture* from = getAtlasTexture();
	AtlasTexture* target = static_cast<const CPropertyDataAtlasTexture&>(to).getAtlasTexture();
	AtlasTexture* chosen = from;
	// Holds a frame looked up for this step only.
	SmartPointer<AtlasTexture> lookedUp;
	if (t >= 1.0f)
		chosen = target;
	else if (from && target && from->getFrameNumber() != -1 && target->getFrameNumber() != -1 && !std::isnan(t))
	{
		const int a = from->getFrameNumber();
		const int b = target->getFrameNumber();
		// Bounded so that a + k stays an int even for a large negative t.
		const double scaled = static_cast<double>(b - a) * static_cast<double>(t);
		const int k = static_cast<int>(std::trunc(std::fmin(std::fmax(scaled, -1.0e9), 1.0e9)));
		const int step = b >= a ? 1 : -1;
		const int index = k * step;
		if (index >= 0 && static_cast<irr::u32>(index) < frameCache.size() && frameCache[static_cast<irr::u32>(index)])
			chosen = frameCache[static_cast<irr::u32>(index)];
		else
		{
			lookedUp.reset(findNumberedFrame(from, a + k));
			chosen = lookedUp.get();
		}
	}
	CPropertyDataAtlasTexture& output = static_cast<CPropertyDataAtlasTexture&>(out);
	if (output.getAtlasTexture() == chosen)
		return false;
	output.setAtlasTexture(chosen);
	return true;
}
