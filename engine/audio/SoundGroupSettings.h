#pragma once

// What a sound group allows and how it sounds; group -1 holds the master volume.
struct SoundGroupSettings
{
	enum LimitPolicy
	{
		RefuseNew = 0,
		FadeOutOldest = 1,
	};

	int limitPolicy = RefuseNew;
	int fadeOutMs = 0;
	int fadeInMs = 0;
	// 0: unlimited.
	int maxInstances = 0;
	float volume = 1.0f;
	bool paused = false;
};
