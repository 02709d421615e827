#include "content/CDictionary.h"
#include "content/CXMLReader.h"
#include "core/EventReceiver.h"
#include "core/TaskScheduler.h"
#include "data/GLevelConfiguration.h"
#include "data/GObjectiveList.h"
#include "data/GRandomEventList.h"
#include "data/IObjectiveLevelView.h"

#include <cstddef>
#include <cstdint>

namespace
{
// A small level with a few buildings and a history, so the objectives have something to count.
class FuzzLevel : public IObjectiveLevelView
{
public:
	float getMoney() const override { return 123456.5f; }
	float getIncomePerDay() const override { return 4000.0f; }
	int getGuests() const override { return 30; }
	int getTotalWorkers() const override { return 3; }
	irr::u32 getBuildingCount() const override { return 4; }
	GObjectiveBuilding getBuilding(irr::u32 index) const override
	{
		GObjectiveBuilding building;
		building.nodeName = internStringId(index % 2 ? "Place1" : "Place2");
		building.owned = index != 3;
		building.workKind = static_cast<int>(index % 3);
		building.current = {true, internStringId(index % 2 ? "Camping1" : "Cafe"), static_cast<int>(index)};
		building.previous = {index != 0, internStringId("Camping1"), 1};
		building.incomeBonus = 10.0f * static_cast<float>(index);
		building.servedGuests = static_cast<int>(index) * 5;
		for (irr::u32 i = 0; i < index; ++i)
			building.featureStates.push_back(static_cast<int>(i % 3));
		return building;
	}
	irr::u32 getHistoryCount() const override { return 2; }
	GObjectiveHistoryEntry getHistoryEntry(irr::u32 index) const override
	{
		return {static_cast<int>(index * 4), internStringId("Camping1"), internStringId("Place1")};
	}
};

// Takes every request it is offered.
class Sink : public EventReceiver
{
public:
	bool onEvent(CEvent*) override { return true; }
};
} // namespace

// Reads the input as a level configuration, asks each objective for its texts and runs the random events
// for a while on a scheduler.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	SmartPointer<CXMLReader> reader(new CXMLReader(data, size));
	SmartPointer<GLevelConfiguration> level(new GLevelConfiguration());
	level->load(reader.get());
	level->getRatingStep(3);

	FuzzLevel view;
	SmartPointer<CDictionary> dictionary(new CDictionary());
	GObjectiveList* objectives = level->getObjectives();
	for (irr::u32 i = 0; i < objectives->getCount(); ++i)
	{
		GObjective* objective = objectives->get(i);
		objective->start();
		objective->isComplete(view);
		objective->getText(*dictionary, true);
		objective->getProgressText(view, *dictionary);
		objective->getHintText();
	}

	SmartPointer<TaskScheduler> scheduler(new TaskScheduler());
	SmartPointer<Sink> sink(new Sink());
	GRandomEventList* events = level->getRandomEvents();
	for (irr::u32 i = 0; i < events->getCount(); ++i)
		events->get(i)->start(sink.get(), scheduler.get());
	for (int tick = 0; tick < 40; ++tick)
		scheduler->update(GRandomEvent::RunPeriod * 25);
	for (irr::u32 i = 0; i < events->getCount(); ++i)
		events->get(i)->stop();
	return 0;
}
