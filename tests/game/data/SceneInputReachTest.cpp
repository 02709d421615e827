#include "../GameTestSupport.h"
#include "app/GameNodeClasses.h"
#include "content/CReadFile.h"
#include "content/CXMLReader.h"
#include "core/SmartPointer.h"
#include "scene/ControlNode.h"
#include "scene/NodeFactory.h"
#include "scene/SceneFileReader.h"
#include "scene/TemplateCollectionNode.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

// Mouse and key events reach a control only through controls: a plain node stops them. Every control in
// the shipped scene files therefore sits in a chain of controls up to its scene (a template up to the
// template's own root, which the control it is applied to replaces).
namespace
{
std::string pathOf(BaseNode* node)
{
	std::string path;
	for (BaseNode* at = node; at; at = at->getParent())
		path = getStringById(at->getName()).c_str() + (path.empty() ? "" : "/" + path);
	return path;
}

// Controls of the tree below node that a plain ancestor cuts off from input.
void findUnreachable(BaseNode* node, std::vector<std::string>& out)
{
	for (irr::u32 i = 0; i < node->getChildren().size(); ++i)
	{
		BaseNode* child = node->getChildren()[i];
		if (child->isKindOf(ControlNode::TypeId))
		{
			for (BaseNode* at = child->getParent(); at && at->getParent(); at = at->getParent())
			{
				if (nodeCast<TemplateCollectionNode>(at->getParent()))
					break;
				if (!at->isKindOf(ControlNode::TypeId))
				{
					out.push_back(pathOf(child) + " (behind " + getStringById(at->getName()).c_str() + ")");
					break;
				}
			}
		}
		findUnreachable(child, out);
	}
}
} // namespace

TEST(SceneInputReach, EveryShippedControlCanTakeMouseAndKeys)
{
	registerGameNodeClasses();
	std::vector<std::string> files;
	for (const auto& entry : std::filesystem::recursive_directory_iterator(sourceDir() + "/assets"))
		if (entry.path().extension() == ".qscn")
			files.push_back(entry.path().string());
	ASSERT_FALSE(files.empty());
	for (const std::string& file : files)
	{
		SmartPointer<CReadFile> input(new CReadFile(file.c_str()));
		SmartPointer<CXMLReader> reader(new CXMLReader(input.get()));
		SmartPointer<BaseNode> root(
		    SceneFileReader::loadDocument(reader.get(), NodeFactory::instance(), nullptr, ContentRef(), file.c_str()));
		ASSERT_NE(root.get(), nullptr) << file;
		std::vector<std::string> unreachable;
		findUnreachable(root.get(), unreachable);
		for (const std::string& control : unreachable)
			ADD_FAILURE() << file << ": " << control;
	}
}
