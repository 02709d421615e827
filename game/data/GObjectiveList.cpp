#include "GObjectiveList.h"

#include "ConfigReading.h"
#include "GGuestsCountObjective.h"
#include "GHaveConcurrentFeaturesObjective.h"
#include "GHaveEachTypeBuildingsCountObjective.h"
#include "GHaveTypedBuildingsCountObjective.h"
#include "GIncomeObjective.h"
#include "GMoneyObjective.h"
#include "GTypedHistoryActionsCountObjective.h"
#include "GWorkersObjective.h"
#include "content/IXMLReader.h"
#include "core/ILogger.h"

namespace
{
template <class T> SmartPointer<GObjective> make()
{
	return SmartPointer<GObjective>(new T());
}

struct ObjectiveType
{
	const wchar_t* name;
	SmartPointer<GObjective> (*create)();
};

const ObjectiveType objectiveTypes[] = {
    {L"Money", &make<GMoneyObjective>},
    {L"Income", &make<GIncomeObjective>},
    {L"Workers", &make<GWorkersObjective>},
    {L"GuestsCount", &make<GGuestsCountObjective>},
    {L"HaveTypedBuildingsCount", &make<GHaveTypedBuildingsCountObjective>},
    {L"HaveEachTypeBuildingsCount", &make<GHaveEachTypeBuildingsCountObjective>},
    {L"TypedHistoryActionsCount", &make<GTypedHistoryActionsCountObjective>},
    {L"HaveConcurrentFeatures", &make<GHaveConcurrentFeaturesObjective>},
};
} // namespace

SmartPointer<GObjective> createObjective(const irr::core::stringw& typeName)
{
	for (const ObjectiveType& type : objectiveTypes)
		if (typeName == type.name)
			return type.create();
	return nullptr;
}

GObjectiveList::GObjectiveList() = default;

GObjectiveList::~GObjectiveList() = default;

void GObjectiveList::load(IXMLReader* reader)
{
	objectives.clear();
	if (!reader || reader->isEmptyElement())
		return;
	const auto readObjective = [&]()
	{
		SmartPointer<GObjective> objective = createObjective(reader->getAttributeValue(L"Type"));
		if (!objective)
			return;
		objective->read(reader);
		if (!objective->isValid())
		{
			getLogger()->log("Objective with a number out of range skipped", 1);
			return;
		}
		objectives.push_back(objective);
	};
	readListItems(reader, L"Objectives", L"Objective", readObjective);
}
