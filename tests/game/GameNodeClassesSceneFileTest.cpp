#include "app/GameNodeClasses.h"

#include "content/CXMLReader.h"
#include "core/SmartPointer.h"
#include "frontend/GRectangleNode.h"
#include "scene/NodeFactory.h"
#include "scene/SceneFileReader.h"

#include <gtest/gtest.h>
#include <string>

// After the registration a scene file names the game's classes by type name and gets them,
// properties included.
TEST(GameNodeClasses, SceneFilesCreateTheRegisteredClassesByName)
{
	registerGameNodeClasses();
	const std::string xml = "<SceneNode Type=\"BaseNode\"><SceneNode Type=\"GRectangleNode\"><Properties>"
	                        "<color Name=\"FillColor\" Value=\"ff102030\"/></Properties></SceneNode>"
	                        "<SceneNode ClassOverride=\"GRectangleNode\" Type=\"BaseNode\"/></SceneNode>";
	SmartPointer<CXMLReader> reader(new CXMLReader(xml.data(), xml.size()));
	SmartPointer<BaseNode> root(
	    SceneFileReader::loadDocument(reader.get(), NodeFactory::instance(), nullptr, ContentRef(), "t.qscn"));
	ASSERT_NE(root.get(), nullptr);
	ASSERT_EQ(root->getChildren().size(), 2u);
	auto* rectangle = nodeCast<GRectangleNode>(root->getChildren()[0]);
	ASSERT_NE(rectangle, nullptr);
	EXPECT_EQ(rectangle->getFillColor().color, 0xff102030u);
	EXPECT_NE(nodeCast<GRectangleNode>(root->getChildren()[1]), nullptr);
}
