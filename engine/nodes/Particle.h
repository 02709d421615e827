#pragma once

#include <irrlicht/irrArray.h>

// One live particle: placement, motion, turn, scale and colour with their rates of change.
// Copied as a whole when particles move within their array.
struct Particle
{
	float x;
	float y;
	float velocityX;
	float velocityY;
	float accelerationX;
	float accelerationY;
	float angle;
	float angularVelocity;
	float angularAcceleration;
	float scale;
	float scaleChange;
	float red;
	float green;
	float blue;
	float alpha;
	float redChange;
	float greenChange;
	float blueChange;
	float alphaChange;
	int age;
	int life;
};

using ParticleArray = irr::core::array<Particle>;
