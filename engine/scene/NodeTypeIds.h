#pragma once

// Type ids of the engine's node classes (game classes use 1000 and 1100 up).
enum NodeTypeId
{
	NodeTypeBaseNode = 0,
	NodeTypeTextNode = 2,
	NodeTypeSpriteNode = 3,
	NodeTypeNineGridSpriteNode = 4,
	NodeTypeControlNode = 5,
	NodeTypeSceneNode = 6,
	NodeTypeMessageBoxNode = 7,
	NodeTypeTabSceneNode = 8,
	NodeTypeButtonNode = 9,
	NodeTypeBackButtonNode = 10,
	NodeTypeCheckBoxNode = 11,
	NodeTypeEditNode = 12,
	NodeTypeListNode = 13,
	NodeTypeBaseProgressBarNode = 14,
	NodeTypeProgressBarNode = 15,
	NodeTypeSliderNode = 16,
	NodeTypeParticleSystemNode = 17,
	NodeTypeSoundNode = 18,
	NodeTypeSpawnerNode = 19,
	NodeTypeTemplateCollectionNode = 20,
	NodeTypeSceneManager = 22,
};
