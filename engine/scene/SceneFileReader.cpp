#include "SceneFileReader.h"

#include "AnimatorSet.h"
#include "BaseNode.h"
#include "NodeFactory.h"
#include "SceneXmlReader.h"
#include "content/CContentManager.h"
#include "core/CPropertyCollection.h"
#include "core/NarrowFast.h"
#include "core/TextUtils.h"

#include <utility>

namespace
{
// Attribute names of node and state elements, made once.
const irr::core::stringw fileAttribute(L"File");
const irr::core::stringw classOverrideAttribute(L"ClassOverride");
const irr::core::stringw typeAttribute(L"Type");
const irr::core::stringw nameAttribute(L"Name");
const irr::core::stringw nextStateAttribute(L"NextState");
} // namespace

bool SceneFileReader::loadNode(BaseNode* node, IXMLReader* plainReader, NodeFactory* factory)
{
	if (!node || !plainReader)
		return false;
	SmartPointer<SceneXmlReader> reader = SceneXmlReader::wrap(plainReader);
	const int depth = reader->getNodeDepth();
	reader->setNodeDepth(depth + 1);
	loadContent(node, reader.get(), factory);
	reader->setNodeDepth(depth);
	return true;
}

BaseNode* SceneFileReader::loadDocument(IXMLReader* plainReader, NodeFactory* factory, IContentManager* contentManager,
                                        const ContentRef& reference, const irr::core::stringc& fileName)
{
	if (!plainReader)
		return nullptr;
	SmartPointer<SceneXmlReader> reader(new SceneXmlReader(plainReader));
	while (reader->read())
	{
		if (reader->getNodeType() == XML_NODE_ELEMENT_END && reader->getNodeName() == L"SceneNode")
			break;
		if (reader->getNodeType() != XML_NODE_ELEMENT)
			continue;
		BaseNode* node =
		    reader->getNodeName() == L"SceneNode" ? createNodeFor(reader.get(), factory, reference) : nullptr;
		if (!node)
		{
			// An unknown root is passed over whole; a later root element may still be read.
			XmlElementScope::skipElement(reader.get());
			continue;
		}
		if (contentManager)
			contentManager->pushFolder(fileName);
		node->load(reader.get(), factory);
		if (contentManager)
			contentManager->popFolder();
		return node;
	}
	return nullptr;
}

void SceneFileReader::loadContent(BaseNode* node, SceneXmlReader* reader, NodeFactory* factory)
{
	node->removeAllChildren();
	node->clearStates();
	XmlElementScope scope(reader);
	while (scope.next())
	{
		if (reader->getNodeType() != XML_NODE_ELEMENT)
			continue;
		const irr::core::stringw& element = reader->getNodeName();
		if (isWideLiteral(element, L"Properties"))
			loadProperties(node, reader);
		else if (isWideLiteral(element, L"States"))
			loadStates(node, reader);
		else if (isWideLiteral(element, L"SceneNode"))
			loadChild(node, reader, factory);
		else
			XmlElementScope::skipElement(reader);
	}
	node->onLoaded();
}

void SceneFileReader::loadChild(BaseNode* node, SceneXmlReader* reader, NodeFactory* factory)
{
	CContentManager* contentManager = node->getContentRef().getContentManager();
	const irr::core::stringw& wideFile = reader->getAttributeValue(fileAttribute);
	if (wideFile.size())
	{
		const irr::core::stringc file = narrowFast(wideFile);
		// A reference has no content of its own; anything inside it is passed over.
		if (contentManager)
		{
			ContentObject* content = contentManager->getContent(ContentTypeSceneNode, file, true);
			if (BaseNode* child = dynamic_cast<BaseNode*>(content))
				node->addChild(child);
			if (content)
				content->drop();
		}
		XmlElementScope::skipElement(reader);
		return;
	}
	BaseNode* child = reader->getNodeDepth() < maxNodeDepth
	                      ? createNodeFor(reader, factory, ContentRef(contentManager, ""))
	                      : nullptr;
	if (!child)
	{
		// Unknown classes are passed over whole, so their content never lands in this node.
		XmlElementScope::skipElement(reader);
		return;
	}
	node->addChild(child);
	child->load(reader, factory);
	child->drop();
}

BaseNode* SceneFileReader::createNodeFor(IXMLReader* reader, NodeFactory* factory, const ContentRef& reference)
{
	if (!reader || !factory)
		return nullptr;
	BaseNode* node = nullptr;
	const irr::core::stringw& classOverride = reader->getAttributeValue(classOverrideAttribute);
	if (classOverride.size())
		node = factory->createNode(classOverride, reference);
	if (!node)
		node = factory->createNode(reader->getAttributeValue(typeAttribute), reference);
	return node;
}

void SceneFileReader::loadProperties(BaseNode* node, SceneXmlReader* reader)
{
	// Nodes read their properties through one collection, emptied after each, rather than a new
	// one each. It is taken out while in use, so that a load nested in a value's reading makes its own.
	thread_local SmartPointer<CPropertyCollection> spare;
	CContentManager* contentManager = node->getContentRef().getContentManager();
	SmartPointer<CPropertyCollection> collection = std::move(spare);
	if (!collection || collection->getContentManager() != contentManager)
		collection = SmartPointer<CPropertyCollection>(new CPropertyCollection(contentManager));
	collection->readXml(reader);
	node->readProperties(*collection);
	// Kept only when the node kept no hold of it; emptied, so that no value read stays referenced
	// elsewhere: only values nothing else holds are kept, to be read into by the next node.
	if (collection->getReferenceCount() == 1)
	{
		collection->recycle();
		spare = std::move(collection);
	}
}

void SceneFileReader::loadStates(BaseNode* node, IXMLReader* plainReader)
{
	if (!node || !plainReader)
		return;
	node->clearStates();
	SmartPointer<SceneXmlReader> reader = SceneXmlReader::wrap(plainReader);
	CContentManager* contentManager = node->getContentRef().getContentManager();
	XmlElementScope scope(reader.get());
	while (scope.next())
	{
		if (reader->getNodeType() != XML_NODE_ELEMENT)
			continue;
		const irr::core::stringw& element = reader->getNodeName();
		if (isWideLiteral(element, L"Properties"))
		{
			SmartPointer<CPropertyCollection> collection(new CPropertyCollection(contentManager));
			collection->readXml(reader.get());
			if (collection->indexOf("DefaultState") >= 0)
			{
				const irr::core::stringc text = collection->getString("DefaultState");
				node->setDefaultState(text.size() ? internStringId(text) : StringId());
			}
		}
		else if (isWideLiteral(element, L"State"))
		{
			SmartPointer<AnimatorSet> set(
			    new AnimatorSet(internWideStringId(reader->getAttributeValue(nameAttribute))));
			const irr::core::stringw& nextName = reader->getAttributeValue(nextStateAttribute);
			set->setNextState(nextName.size() ? internWideStringId(nextName) : StringId());
			set->load(reader.get(), node->getSceneManager(), node, contentManager);
			set->setOwner(node);
			// The first state of a name wins.
			node->addState(set.get());
		}
		else
		{
			XmlElementScope::skipElement(reader.get());
		}
	}
}
