#pragma once

#include "core/ReferenceCounted.h"

#include <irrlicht/irrString.h>
#include <map>
#include <string>
#include <vector>

// Hook for play statistics: keeps the running update time and accepts level results, reports nothing.
class GGameStatistics : public virtual ReferenceCounted
{
public:
	bool load() { return true; }
	bool shutdown() { return true; }
	void reportLevelResult(const irr::core::stringc& levelName, int seconds);
	void addUpdateTime(int ms) { totalUpdateMs += ms; }
	long long getTotalUpdateMs() const { return totalUpdateMs; }

private:
	std::map<std::string, std::vector<int>> lists;
	long long totalUpdateMs = 0;
};
