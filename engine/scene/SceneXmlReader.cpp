#include "SceneXmlReader.h"

#include <cwchar>

namespace
{
const wchar_t* const nodeContainers[] = {L"SceneNode", nullptr};
const wchar_t* const stateContainers[] = {L"States", L"Animator", L"StartAnimator", L"EndAnimator", nullptr};
const wchar_t* const actionContainers[] = {L"State", nullptr};
const wchar_t* const keyFrameContainers[] = {L"Animator", L"StartAnimator", L"EndAnimator", nullptr};

// The elements that may enclose a start tag of this name; null for names without a rule.
// Every start tag asks: the length picks the one name to compare with.
const wchar_t* const* containersOf(const irr::core::stringw& name)
{
	switch (name.size())
	{
	case 9:
		return name == L"SceneNode" ? nodeContainers : nullptr;
	case 6:
		return name == L"States" ? nodeContainers : nullptr;
	case 5:
		return name == L"State" ? stateContainers : nullptr;
	case 8:
		if (name == L"Animator")
			return actionContainers;
		return name == L"KeyFrame" ? keyFrameContainers : nullptr;
	case 13:
		return name == L"StartAnimator" ? actionContainers : nullptr;
	case 11:
		return name == L"EndAnimator" ? actionContainers : nullptr;
	default:
		return nullptr;
	}
}

const irr::core::stringw& emptyWide()
{
	static const irr::core::stringw empty;
	return empty;
}
} // namespace

SceneXmlReader::SceneXmlReader(IXMLReader* reader, const wchar_t* openElement) : inner(shareRef(reader))
{
	if (openElement)
		pushOpen(openElement);
}

void SceneXmlReader::pushOpen(const irr::core::stringw& name)
{
	if (openCount == open.size())
		open.push_back(name);
	else
		open[openCount] = name;
	++openCount;
}

void SceneXmlReader::popOpenAsSynthetic()
{
	--openCount;
	syntheticName = open[openCount];
	onSynthetic = true;
}

SmartPointer<SceneXmlReader> SceneXmlReader::wrap(IXMLReader* reader)
{
	if (auto* structured = dynamic_cast<SceneXmlReader*>(reader))
		return shareRef(structured);
	const bool onStart = reader && reader->getNodeType() == XML_NODE_ELEMENT && !reader->isEmptyElement();
	return SmartPointer<SceneXmlReader>(new SceneXmlReader(reader, onStart ? reader->getNodeName().c_str() : nullptr));
}

long SceneXmlReader::findInnermost(const wchar_t* const* names) const
{
	for (size_t i = openCount; i-- > 0;)
	{
		for (const wchar_t* const* n = names; *n; ++n)
		{
			if (open[i] == *n)
				return static_cast<long>(i);
		}
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
	while (inner->read())
	{
		size_t toClose = 0;
		const int type = inner->getNodeType();
		if (type == XML_NODE_ELEMENT)
		{
			if (const wchar_t* const* containers = containersOf(inner->getNodeName()))
			{
				const long index = findInnermost(containers);
				if (index >= 0)
					toClose = openCount - 1 - static_cast<size_t>(index);
			}
		}
		else if (type == XML_NODE_ELEMENT_END)
		{
			long index = -1;
			for (size_t i = openCount; i-- > 0;)
			{
				if (open[i] == inner->getNodeName())
				{
					index = static_cast<long>(i);
					break;
				}
			}
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
		applyCurrent();
		return true;
	}
	return false;
}

void SceneXmlReader::applyCurrent()
{
	const int type = inner->getNodeType();
	if (type == XML_NODE_ELEMENT && !inner->isEmptyElement())
		pushOpen(inner->getNodeName());
	else if (type == XML_NODE_ELEMENT_END && openCount > 0)
		--openCount;
}

bool SceneXmlReader::isEmptyElement() const
{
	return !onSynthetic && inner && inner->isEmptyElement();
}

int SceneXmlReader::getNodeType() const
{
	if (onSynthetic)
		return XML_NODE_ELEMENT_END;
	return inner ? inner->getNodeType() : XML_NODE_NONE;
}

const irr::core::stringw& SceneXmlReader::getNodeName() const
{
	if (onSynthetic)
		return syntheticName;
	return inner ? inner->getNodeName() : emptyWide();
}

const irr::core::stringw& SceneXmlReader::getNodeData() const
{
	if (onSynthetic)
		return syntheticName;
	return inner ? inner->getNodeData() : emptyWide();
}

int SceneXmlReader::getAttributeCount() const
{
	return onSynthetic || !inner ? 0 : inner->getAttributeCount();
}

const irr::core::stringw& SceneXmlReader::getAttributeName(int index) const
{
	return onSynthetic || !inner ? emptyWide() : inner->getAttributeName(index);
}

const irr::core::stringw& SceneXmlReader::getAttributeValue(const irr::core::stringw& name) const
{
	return onSynthetic || !inner ? emptyWide() : inner->getAttributeValue(name);
}

const irr::core::stringw& SceneXmlReader::getAttributeValue(int index) const
{
	return onSynthetic || !inner ? emptyWide() : inner->getAttributeValue(index);
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
