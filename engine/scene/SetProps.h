#pragma once

#include "Base.h"
#include "core/CPropertyCollection.h"

#include <vector>

// Sets named properties of its target at once when started.
class SetProps : public Base
{
public:
	static constexpr int TypeId = 2;

	SetProps();

	const irr::core::stringw& typeName() const override;
	int typeId() const override { return TypeId; }
	bool isKindOf(int id) const override { return id == TypeId || Base::isKindOf(id); }

	void setTarget(BaseNode* node) override;
	void start(int startTime, bool apply) override;
	int getPosition() const override { return 0; }
	int getDuration() const override { return 0; }
	void save(IXMLWriter* writer, const wchar_t* elementName) const override;
	Base* clone() const override;

	CPropertyCollection* getProperties() const { return properties.get(); }
	void setProperties(const SmartPointer<CPropertyCollection>& collection);

protected:
	void loadContent(SceneXmlReader* reader, IContentManager* contentManager) override;

private:
	void resolveProperties();

	std::vector<int> propertyIndices;
	SmartPointer<CPropertyCollection> properties;
};
