#pragma once

#include <irrlicht/irrString.h>

class BaseNode;
class ContentRef;
class IContentManager;
class IXMLReader;
class NodeFactory;
class SceneXmlReader;

// Reads the scene-file form of a node: properties, states and children, created by class name.
class SceneFileReader
{
public:
	// Deeper node elements are passed over, so a hostile file cannot exhaust the stack.
	static constexpr int maxNodeDepth = 200;

	// The reader stands just after (on) the node's own "SceneNode" start tag; reads up to its end tag.
	static bool loadNode(BaseNode* node, IXMLReader* reader, NodeFactory* factory);
	// The reader stands on a "States" start tag; reads up to its end tag.
	static void loadStates(BaseNode* node, IXMLReader* reader);
	// Reads a whole scene file: the first root "SceneNode" that names a known class, created with
	// the reference; relative file references inside resolve against fileName's folder.
	// One reference for the caller, or null.
	static BaseNode* loadDocument(IXMLReader* reader, NodeFactory* factory, IContentManager* contentManager,
	                              const ContentRef& reference, const irr::core::stringc& fileName);
	// Creates the node an element names: "ClassOverride" first, then "Type". Null when neither is known.
	static BaseNode* createNodeFor(IXMLReader* reader, NodeFactory* factory, const ContentRef& reference);

private:
	static void loadContent(BaseNode* node, SceneXmlReader* reader, NodeFactory* factory);
	static void loadChild(BaseNode* node, SceneXmlReader* reader, NodeFactory* factory);
	static void loadProperties(BaseNode* node, SceneXmlReader* reader);
};
