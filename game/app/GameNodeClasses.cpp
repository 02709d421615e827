#include "GameNodeClasses.h"

#include "frontend/GRectangleNode.h"
#include "scene/NodeFactory.h"

void registerGameNodeClasses()
{
	NodeFactory* factory = NodeFactory::instance();
	factory->registerNodeCreator(GRectangleNode::typeNameText(), &createNodeOfClass<GRectangleNode>);
}
