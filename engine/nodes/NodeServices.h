#pragma once

class AtlasTexture;
class BaseNode;
class IPropertyData;
class TaskScheduler;

// The task scheduler of the node's scene through its scene manager's services; null when the
// node has no scene manager or its scene has no scheduler.
TaskScheduler* findSceneScheduler(const BaseNode* node);

// The frame an "atlasTexture" value refers to; null for none or a value of another type.
AtlasTexture* atlasFrameOfValue(const IPropertyData* value);
