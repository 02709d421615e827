#pragma once

class BaseNode;
class IXMLWriter;

// Writes the scene-file form of a node tree: every node spelled out in full under its type name.
class SceneFileWriter
{
public:
	static void saveNode(const BaseNode* node, IXMLWriter* writer);
	// States in the order of their names, so that saving twice gives the same file.
	static void saveStates(const BaseNode* node, IXMLWriter* writer);
};
