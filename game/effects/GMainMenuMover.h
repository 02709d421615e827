#pragma once

#include "GSelfDrivenMover.h"
#include "core/SmartPointer.h"

class GLevelPath;
class GLevelPaths;

// Base of the title screen's traffic: each mover takes a route from the main menu's background paths
// on its first render pass, varies it, picks its speed from "InitialVelocityRange" and leaves its
// parent at the end of the route.
class GMainMenuMover : public GSelfDrivenMover
{
public:
	GMainMenuMover(const ContentRef& reference, BaseNode* parent, INodeEventQueue* sceneManager,
	               const irr::core::vector2df& velocityRange);

	const PropertyTable& propertyTable() const override;
	void writeProperties(CPropertyCollection& collection) const override;
	void readProperties(const CPropertyCollection& collection) override;
	void copyFrom(const BaseNode* source, INodeEventQueue* sceneManager) override;
	void onLoaded() override;

	// Takes the route from these paths as the first render pass does inside the main menu.
	void startOn(GLevelPaths* paths);

	float getBaseSpeed() const { return baseSpeed; }
	const irr::core::vector2df& getInitialVelocityRange() const { return initialVelocityRange; }
	void setInitialVelocityRange(const irr::core::vector2df& range) { initialVelocityRange = range; }
	// Depth per pixel of height on the screen.
	static constexpr float DepthPerPixel = 0.05f;

protected:
	// Generations up to the main menu scene.
	virtual int menuDepth() const { return 5; }
	// The route of this kind of mover from the paths, or none.
	virtual GLevelPath* pickPath(GLevelPaths* paths) const = 0;
	// Whether a path walkable both ways may be taken in reverse.
	virtual bool mayReverse() const { return true; }
	// Starts along the varied route: the class's own start details.
	virtual void startRoute(const irr::core::array<irr::core::vector2df>& points) = 0;
	// Scale and speed by the height on the screen, after each step.
	virtual void depthStep() {}

	void onFirstRender() override;
	bool updateMover(unsigned ms) override;

	float baseSpeed = 0.0f; // pixels per second
	irr::core::vector2df initialVelocityRange;
	SmartPointer<BaseNode> body;

private:
	// The route puts the depth at the height on the screen; in the menu it is squeezed so that the
	// traffic keeps its order yet stays under the menu's panel and the dialogs opened over it.
	void flattenDepth();

	bool routeStarted = false;
};
