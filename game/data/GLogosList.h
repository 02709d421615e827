#pragma once

#include "core/ReferenceCounted.h"

#include <irrlicht/irrArray.h>
#include <irrlicht/irrString.h>
#include <irrlicht/vector2d.h>

class IXMLReader;

// One start-up logo: the atlas texture shown, for how long, and whether a click ends it early.
struct GLogoEntry
{
	irr::core::stringc image;
	int time = 0; // ms
	bool skippable = false;
};

// A publisher logo with the address of the publisher's site; kept, though no screen shows it.
struct GPublisherLogoEntry
{
	irr::core::stringc image;
	irr::core::vector2df pos;
	irr::core::stringc url;
};

// The start-up logos in file order, consumed by the logos scene one by one.
class GLogosList : public virtual ReferenceCounted
{
public:
	// The file the application reads before its first scene.
	static constexpr const char* FileName = "logos/Logos.xml";

	// Replaces both lists with the file's Logo and QuillLogo elements; true when the end of Logos was
	// met, false when the input ended first.
	bool load(IXMLReader* reader);

	irr::u32 getLogoCount() const { return logos.size(); }
	const GLogoEntry& getLogo(irr::u32 index) const { return logos[index]; }
	// Moves the first logo into out and removes it; false when none is left.
	bool takeFirstLogo(GLogoEntry& out);

	irr::u32 getPublisherLogoCount() const { return publisherLogos.size(); }
	const GPublisherLogoEntry& getPublisherLogo(irr::u32 index) const { return publisherLogos[index]; }

private:
	irr::core::array<GLogoEntry> logos;
	irr::core::array<GPublisherLogoEntry> publisherLogos;
};
