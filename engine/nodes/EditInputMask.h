#pragma once

#include <irrlicht/irrString.h>

// The character classes an edit field accepts, named by the letters of its input mask:
// '0' digits, 'A' letters, 'S' blanks, 'R' CR and LF, 'T' tab (either case). An empty mask accepts all.
class EditInputMask
{
public:
	enum Class : unsigned
	{
		Digits = 1u << 0,
		Letters = 1u << 1,
		Blanks = 1u << 2,
		LineBreaks = 1u << 3,
		Tabs = 1u << 4,
	};

	void setMask(const irr::core::stringc& mask);
	const irr::core::stringc& getMask() const { return mask; }
	bool acceptsAll() const { return mask.empty(); }
	unsigned getClasses() const { return classes; }
	bool acceptsChar(wchar_t character) const;

private:
	irr::core::stringc mask;
	unsigned classes = 0;
};
