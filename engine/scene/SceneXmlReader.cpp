#include "SceneXmlReader.h"

#include "core/TextUtils.h"

#include <cwchar>
#include <typeinfo>

namespace
{
// The element names the structure rules know, as bits; other names have none.
enum ElementKind : unsigned char
{
	OtherElement = 0,
	SceneNodeElement = 1 << 0,
	StatesElement = 1 << 1,
	StateElement = 1 << 2,
	AnimatorElement = 1 << 3,
	StartAnimatorElement = 1 << 4,
	EndAnimatorElement = 1 << 5,
	KeyFrameElement = 1 << 6,
	// No rule names it: known only so that its name, open in every node, need not be kept.
	PropertiesElement = 1 << 7,
};

// Every start and end tag asks: the length picks the one name to compare with.
unsigned char kindOf(const irr::core::stringw& name)
{
	const wchar_t* text = name.c_str();
	const auto is = [&](const wchar_t* known, size_t length) { return sameWideChars(text, known, length); };
	switch (name.size())
	{
	case 9:
		return is(L"SceneNode", 9) ? SceneNodeElement : OtherElement;
	case 6:
		return is(L"States", 6) ? StatesElement : OtherElement;
	case 10:
		return is(L"Properties", 10) ? PropertiesElement : OtherElement;
	case 5:
		return is(L"State", 5) ? StateElement : OtherElement;
	case 8:
		if (is(L"Animator", 8))
			return AnimatorElement;
		return is(L"KeyFrame", 8) ? KeyFrameElement : OtherElement;
	case 13:
		return is(L"StartAnimator", 13) ? StartAnimatorElement : OtherElement;
	case 11:
		return is(L"EndAnimator", 11) ? EndAnimatorElement : OtherElement;
	default:
		return OtherElement;
	}
}

// The name of a known kind (a single bit).
const irr::core::stringw& nameOfKind(unsigned char kind)
{
	static const irr::core::stringw names[] = {L"SceneNode",   L"States",   L"State",     L"Animator", L"StartAnimator",
	                                           L"EndAnimator", L"KeyFrame", L"Properties"};
	unsigned bit = 0;
	while (bit < 7 && !(kind & (1u << bit)))
		++bit;
	return names[bit];
}

// The kinds of element that may enclose a start tag of this kind; none for kinds without a rule.
unsigned char containersOf(unsigned char kind)
{
	switch (kind)
	{
	case SceneNodeElement:
	case StatesElement:
		return SceneNodeElement;
	case StateElement:
		return StatesElement | AnimatorElement | StartAnimatorElement | EndAnimatorElement;
	case AnimatorElement:
	case StartAnimatorElement:
	case EndAnimatorElement:
		return StateElement;
	case KeyFrameElement:
		return AnimatorElement | StartAnimatorElement | EndAnimatorElement;
	default:
		return OtherElement;
	}
}

// The calls the structure rules make into the inner reader: by name into a plain file reader,
// through dispatch into any other.
struct PlainReaderCalls
{
	CXMLReader& reader;
	bool read() const { return reader.CXMLReader::read(); }
	int getNodeType() const { return reader.CXMLReader::getNodeType(); }
	bool isEmptyElement() const { return reader.CXMLReader::isEmptyElement(); }
	const irr::core::stringw& getNodeName() const { return reader.CXMLReader::getNodeName(); }
};

struct AnyReaderCalls
{
	IXMLReader& reader;
	bool read() const { return reader.read(); }
	int getNodeType() const { return reader.getNodeType(); }
	bool isEmptyElement() const { return reader.isEmptyElement(); }
	const irr::core::stringw& getNodeName() const { return reader.getNodeName(); }
};

const irr::core::stringw& emptyWide()
{
	static const irr::core::stringw empty;
	return empty;
}
} // namespace

SceneXmlReader::SceneXmlReader(IXMLReader* reader, const wchar_t* openElement) : inner(shareRef(reader))
{
	if (reader && typeid(*reader) == typeid(CXMLReader))
		plain = static_cast<CXMLReader*>(reader);
	if (openElement)
		pushOpen(openElement);
}

void SceneXmlReader::pushOpen(const irr::core::stringw& name)
{
	pushOpen(name, kindOf(name));
}

void SceneXmlReader::pushOpen(const irr::core::stringw& name, unsigned char kind)
{
	// A known kind stands for its name: only other names are kept.
	if (openCount == open.size())
	{
		open.push_back(kind == OtherElement ? name : irr::core::stringw());
		openKinds.push_back(kind);
	}
	else
	{
		if (kind == OtherElement)
			open[openCount] = name;
		openKinds[openCount] = kind;
	}
	++openCount;
}

void SceneXmlReader::popOpenAsSynthetic()
{
	--openCount;
	syntheticName = openKinds[openCount] == OtherElement ? open[openCount] : nameOfKind(openKinds[openCount]);
	onSynthetic = true;
}

SmartPointer<SceneXmlReader> SceneXmlReader::wrap(IXMLReader* reader)
{
	// The class is final: its exact type is the only one to look for, cheaper to ask than a cast.
	if (reader && typeid(*reader) == typeid(SceneXmlReader))
		return shareRef(static_cast<SceneXmlReader*>(reader));
	const bool onStart = reader && reader->getNodeType() == XML_NODE_ELEMENT && !reader->isEmptyElement();
	return SmartPointer<SceneXmlReader>(new SceneXmlReader(reader, onStart ? reader->getNodeName().c_str() : nullptr));
}

long SceneXmlReader::findInnermost(unsigned char kinds) const
{
	for (size_t i = openCount; i-- > 0;)
	{
		if (openKinds[i] & kinds)
			return static_cast<long>(i);
	}
	return -1;
}

long SceneXmlReader::findInnermostNamed(const irr::core::stringw& name, unsigned char kind) const
{
	for (size_t i = openCount; i-- > 0;)
	{
		// Known names are told apart by their kind alone.
		if (openKinds[i] == kind && (kind != OtherElement || open[i] == name))
			return static_cast<long>(i);
	}
	return -1;
}

bool SceneXmlReader::read()
{
	onSynthetic = false;
	if (!inner)
		return false;
	if (pendingEndCount > 0)
	{
		--pendingEndCount;
		popOpenAsSynthetic();
		return true;
	}
	if (innerPending)
	{
		innerPending = false;
		applyCurrent();
		return true;
	}
	return plain ? readInner(PlainReaderCalls{*plain}) : readInner(AnyReaderCalls{*inner});
}

template <class Calls> bool SceneXmlReader::readInner(const Calls& reader)
{
	while (reader.read())
	{
		size_t toClose = 0;
		const int type = reader.getNodeType();
		currentKind = OtherElement;
		if (type == XML_NODE_ELEMENT)
		{
			const irr::core::stringw& name = reader.getNodeName();
			currentKind = kindOf(name);
			if (const unsigned char containers = containersOf(currentKind))
			{
				const long index = findInnermost(containers);
				if (index >= 0)
					toClose = openCount - 1 - static_cast<size_t>(index);
			}
		}
		else if (type == XML_NODE_ELEMENT_END)
		{
			const irr::core::stringw& name = reader.getNodeName();
			const long index = findInnermostNamed(name, kindOf(name));
			// An end tag that closes nothing is dropped.
			if (index < 0)
				continue;
			toClose = openCount - 1 - static_cast<size_t>(index);
		}
		if (toClose > 0)
		{
			pendingEndCount = toClose - 1;
			popOpenAsSynthetic();
			innerPending = true;
			return true;
		}
		applyCurrent(reader, type);
		return true;
	}
	return false;
}

void SceneXmlReader::applyCurrent()
{
	if (plain)
		applyCurrent(PlainReaderCalls{*plain}, plain->CXMLReader::getNodeType());
	else
		applyCurrent(AnyReaderCalls{*inner}, inner->getNodeType());
}

template <class Calls> void SceneXmlReader::applyCurrent(const Calls& reader, int type)
{
	if (type == XML_NODE_ELEMENT && !reader.isEmptyElement())
		pushOpen(reader.getNodeName(), currentKind);
	else if (type == XML_NODE_ELEMENT_END && openCount > 0)
		--openCount;
}

const irr::core::stringw& SceneXmlReader::getNodeData() const
{
	if (onSynthetic)
		return syntheticName;
	return inner ? inner->getNodeData() : emptyWide();
}

int SceneXmlReader::getAttributeValueAsInt(int index, int defaultValue) const
{
	return onSynthetic || !inner ? defaultValue : inner->getAttributeValueAsInt(index, defaultValue);
}

int SceneXmlReader::getAttributeValueAsInt(const irr::core::stringw& name, int defaultValue) const
{
	return onSynthetic || !inner ? defaultValue : inner->getAttributeValueAsInt(name, defaultValue);
}

float SceneXmlReader::getAttributeValueAsFloat(int index, float defaultValue) const
{
	return onSynthetic || !inner ? defaultValue : inner->getAttributeValueAsFloat(index, defaultValue);
}

float SceneXmlReader::getAttributeValueAsFloat(const irr::core::stringw& name, float defaultValue) const
{
	return onSynthetic || !inner ? defaultValue : inner->getAttributeValueAsFloat(name, defaultValue);
}

const irr::core::array<irr::core::stringw>& SceneXmlReader::getSpecialCharacters() const
{
	static const irr::core::array<irr::core::stringw> none;
	return inner ? inner->getSpecialCharacters() : none;
}

void SceneXmlReader::addSpecialCharacter(const irr::core::stringw& entry)
{
	if (inner)
		inner->addSpecialCharacter(entry);
}

// ---- XmlElementScope

XmlElementScope::XmlElementScope(SceneXmlReader* r) : reader(r), depth(r ? r->getDepth() : 0)
{
	done = !reader || reader->getNodeType() != XML_NODE_ELEMENT || reader->isEmptyElement();
}

bool XmlElementScope::next()
{
	if (done)
		return false;
	if (!reader->read() || (reader->getNodeType() == XML_NODE_ELEMENT_END && reader->getDepth() < depth))
	{
		done = true;
		return false;
	}
	return true;
}

void XmlElementScope::skipElement(SceneXmlReader* reader)
{
	XmlElementScope scope(reader);
	while (scope.next())
	{
	}
}
