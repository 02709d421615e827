#pragma once

#include "core/SmartPointer.h"

#include <irrlicht/irrString.h>

class GBaseSceneNode;
class GTutorial;

// A map or shop tutorial: read when its scene is entered, started once the scene is on screen, stepped
// every frame and ended when the scene is left; remembers the profile key that switches it off.
class GMenuTutorial
{
public:
	explicit GMenuTutorial(GBaseSceneNode& owner);
	~GMenuTutorial();

	GMenuTutorial(const GMenuTutorial&) = delete;
	GMenuTutorial& operator=(const GMenuTutorial&) = delete;

	// Remembers the key and reads the file into a controller over the owner's "Scene", which then sees
	// the scene's events first. False, with nothing made, when the file or "Scene" is missing.
	bool open(const char* fileName, const char* profileKey);
	// Shows the first hint of a held tutorial.
	void start();
	// One frame; a tutorial that is over is released.
	void update(unsigned elapsed);
	// The skip button: the tutorial stops and the player's tutorials are switched off (saved later).
	void skip();
	// Stops and releases a held tutorial.
	void end();
	// Lets a held tutorial see the steps already done, with no time passing: a done last hint ends it.
	void catchUp();
	// Switches the tutorial's profile key off and saves the profile; nothing when none was chosen.
	void clearProfileKey();

	bool isHeld() const { return tutorial.get() != nullptr; }
	GTutorial* get() const { return tutorial.get(); }
	const irr::core::stringc& getProfileKey() const { return profileKey; }

private:
	GBaseSceneNode& owner;
	SmartPointer<GTutorial> tutorial;
	irr::core::stringc profileKey;
};
