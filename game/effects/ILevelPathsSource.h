#pragma once

class GLevelPaths;

// What a scene offers the movers that pick their own routes: its paths (the level's, or the main
// menu's background traffic), none when it has none. The level and main menu scenes implement it.
class ILevelPathsSource
{
public:
	virtual GLevelPaths* getLevelPaths() const = 0;

protected:
	~ILevelPathsSource() = default;
};

class BaseNode;
// The paths of the node's ancestor `generations` levels up when that ancestor is of kind typeId and
// offers paths; null otherwise.
GLevelPaths* levelPathsOfAncestor(const BaseNode* node, int generations, int typeId);
