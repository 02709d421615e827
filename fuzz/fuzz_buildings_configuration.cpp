#include "content/CXMLReader.h"
#include "data/GBuildingsConfiguration.h"
#include "data/GLevelConfiguration.h"

#include <cstddef>
#include <cstdint>

// Reads the input as a buildings configuration, then asks every record what the level code asks.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	SmartPointer<CXMLReader> reader(new CXMLReader(data, size));
	SmartPointer<GBuildingsConfiguration> configuration(new GBuildingsConfiguration());
	configuration->load(reader.get());
	SmartPointer<GLevelConfiguration> level(new GLevelConfiguration());
	GLevelModifierValues& values = level->getModifierValues();
	for (const auto& entry : configuration->getRecords())
	{
		const GBuildingType& record = *entry.second;
		SmartPointer<GBuildingType> copy(new GBuildingType(record));
		if (record.getLevelModifiers())
			record.getLevelModifiers()->applyAll(values);
		for (const GBuildingFeature& feature : record.getFeatures())
			if (feature.getLevelModifiers())
				feature.getLevelModifiers()->applyAll(values);
		configuration->findBuilding(record.getNextLevelName());
		copy->getBuildWorkersCost(level.get());
		copy->getDestroyWorkersCost(level.get());
		copy->getGuestsCount(level.get());
		copy->getServeAreaIncomeBonus(0, 1);
	}
	return 0;
}
