#include "ILevelPathsSource.h"

#include "scene/BaseNode.h"

GLevelPaths* levelPathsOfAncestor(const BaseNode* node, int generations, int typeId)
{
	const BaseNode* ancestor = node;
	for (int i = 0; i < generations && ancestor; ++i)
		ancestor = ancestor->getParent();
	if (!ancestor || !ancestor->isKindOf(typeId))
		return nullptr;
	const auto* source = dynamic_cast<const ILevelPathsSource*>(ancestor);
	return source ? source->getLevelPaths() : nullptr;
}
