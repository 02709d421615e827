#pragma once

#include "core/ReferenceCounted.h"

#include <irrlicht/irrArray.h>
#include <irrlicht/irrString.h>

// Writer of XML text; a null name or text makes an operation do nothing.
class IXMLWriter : public virtual ReferenceCounted
{
public:
	// Byte-order signature, the XML declaration and a line break.
	virtual void writeXMLHeader() = 0;
	// Attributes are taken pairwise while both arrays have entries.
	virtual void writeElement(const wchar_t* name, bool empty, const irr::core::array<irr::core::stringw>& names,
	                          const irr::core::array<irr::core::stringw>& values) = 0;
	// Pairs with a null name or value are skipped.
	virtual void writeElement(const wchar_t* name, bool empty = false, const wchar_t* attr1Name = nullptr,
	                          const wchar_t* attr1Value = nullptr, const wchar_t* attr2Name = nullptr,
	                          const wchar_t* attr2Value = nullptr, const wchar_t* attr3Name = nullptr,
	                          const wchar_t* attr3Value = nullptr, const wchar_t* attr4Name = nullptr,
	                          const wchar_t* attr4Value = nullptr, const wchar_t* attr5Name = nullptr,
	                          const wchar_t* attr5Value = nullptr) = 0;
	virtual void writeComment(const wchar_t* text) = 0;
	virtual void writeClosingTag(const wchar_t* name) = 0;
	virtual void writeText(const wchar_t* text) = 0;
	virtual void writeLineBreak() = 0;
};
