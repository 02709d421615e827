#pragma once

#include "GTutorialHint.h"

// The hints of one tutorial, in file order.
class GTutorialHintList
{
public:
	void clear() { hints.clear(); }
	void add(GTutorialHint* hint) { hints.push_back(shareRef(hint)); }
	int getCount() const { return static_cast<int>(hints.size()); }
	GTutorialHint* get(int index) const { return hints[static_cast<size_t>(index)].get(); }

private:
	std::vector<SmartPointer<GTutorialHint>> hints;
};
