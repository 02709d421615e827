#include "content/CXMLReader.h"
#include "data/GBuildingsConfiguration.h"
#include "data/GLevelModifierValues.h"

#include <cstddef>
#include <cstdint>

// Reads the input as a buildings configuration, then asks every record what the level code asks.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	SmartPointer<CXMLReader> reader(new CXMLReader(data, size));
	SmartPointer<GBuildingsConfiguration> configuration(new GBuildingsConfiguration());
	configuration->load(reader.get());
	GLevelModifierValues values;
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
		copy->getBuildWorkersCost(&values);
		copy->getDestroyWorkersCost(&values);
		copy->getGuestsCount(&values);
		copy->getServeAreaIncomeBonus(0, 1);
	}
	return 0;
}
