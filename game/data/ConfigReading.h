#pragma once

#include <functional>

class IXMLReader;

// Shared steps of the game's configuration readers, which walk the XML node by node.

// The reader stands on the start tag of an element of that name.
bool isElementStart(const IXMLReader* reader, const wchar_t* name);
// The element of that name ends here: at its end tag, or at its start tag when it is written empty
// ("<Name/>" gives no end tag, and waiting for one would swallow the elements after it).
bool isElementEnd(const IXMLReader* reader, const wchar_t* name);
// Walks the children of a list element up to the end tag of listName: each start tag of itemName is
// handed to readItem, any other element is skipped with all it holds.
void readListItems(IXMLReader* reader, const wchar_t* listName, const wchar_t* itemName,
                   const std::function<void()>& readItem);
