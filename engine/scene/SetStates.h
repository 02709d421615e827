#pragma once

#include "Base.h"

#include <vector>

// Puts named children of its target (or all of them) into states when started.
class SetStates : public Base
{
public:
	static constexpr int TypeId = 3;

	// A state and the direct children that enter it; no names means every child.
	struct Entry
	{
		StringId state;
		std::vector<StringId> children;
	};

	SetStates();

	const irr::core::stringw& typeName() const override;
	int typeId() const override { return TypeId; }
	bool isKindOf(int id) const override { return id == TypeId || Base::isKindOf(id); }

	void start(int startTime, bool apply) override;
	int getPosition() const override { return 0; }
	int getDuration() const override { return 0; }
	void save(IXMLWriter* writer, const wchar_t* elementName) const override;
	Base* clone() const override;

	const std::vector<Entry>& getEntries() const { return entries; }
	void addEntry(const Entry& entry) { entries.push_back(entry); }

protected:
	void loadContent(SceneXmlReader* reader, IContentManager* contentManager) override;

private:
	std::vector<Entry> entries;
};
