#include "GBuildingType.h"

#include "GLevelConfiguration.h"
#include "GLevelModifierValues.h"
#include "GameCodes.h"
#include "PropertyFields.h"
#include "content/IXMLReader.h"
#include "core/CPropertyCollection.h"

#include <cmath>
#include <limits>

void GBuildingType::read(IXMLReader* reader)
{
	static const irr::core::stringw buildingElement(L"Building");
	static const irr::core::stringw propertiesElement(L"Properties");
	static const irr::core::stringw modifiersElement(L"LevelModifiers");
	static const irr::core::stringw featureElement(L"ActiveFeature");
	levelModifiers = nullptr;
	features.clear();
	if (reader && !reader->isEmptyElement())
	{
		while (reader->read())
		{
			const int nodeType = reader->getNodeType();
			if (nodeType == XML_NODE_ELEMENT_END && reader->getNodeName() == buildingElement)
				break;
			if (nodeType != XML_NODE_ELEMENT)
				continue;
			const irr::core::stringw& element = reader->getNodeName();
			if (element == propertiesElement)
			{
				SmartPointer<CPropertyCollection> properties(new CPropertyCollection());
				properties->readXml(reader);
				readProperties(*properties);
			}
			else if (element == modifiersElement)
			{
				levelModifiers.reset(new GLevelModifierList());
				levelModifiers->load(reader);
			}
			else if (element == featureElement)
			{
				features.emplace_back();
				features.back().read(reader);
			}
		}
	}
	if (boostedServeArea.X == 0.0f && boostedServeArea.Y == 0.0f)
		boostedServeArea = serveArea;
}

void GBuildingType::readProperties(const CPropertyCollection& p)
{
	takeTextProperty(p, "DisplayName", displayName);
	takeWideTextProperty(p, "Description", description);
	takeWideTextProperty(p, "FullDescription", fullDescription);
	takeFloatProperty(p, "PreviewScale", previewScale);
	takeNameProperty(p, "BuiltSoundCueName", builtSoundCueName);
	takeNameProperty(p, "SelectedSoundCueName", selectedSoundCueName);
	takeNameProperty(p, "Name", name);
	takeNameProperty(p, "NextLevelName", nextLevelName);
	takeIntProperty(p, "Level", level);
	takeIntProperty(p, "Type", type);
	takeNameProperty(p, "ButtonTemplate", buttonTemplate);
	takeFloatProperty(p, "BuildTime", buildTime);
	takeFloatProperty(p, "RepairTime", repairTime);
	takeFloatProperty(p, "DestroyTime", destroyTime);
	takeIntProperty(p, "ProvidedService", providedService);
	if (providedService != BuildingCondition::DeliveryRequest && providedService != BuildingCondition::CateringRequest)
		providedService = 0;
	takeVector2dProperty(p, "ServeArea", serveArea);
	takeVector2dProperty(p, "BoostedServeArea", boostedServeArea);
	takeFloatProperty(p, "ServeAreaIncomeBonus", serveAreaIncomeBonus);
	takeFloatProperty(p, "ServeTime", serveTime);
	takeFloatProperty(p, "ServeIncome", serveIncome);
	takeFloatProperty(p, "ServeBoostedIncome", serveBoostedIncome);
	takeFloatProperty(p, "Income", income);
	takeFloatProperty(p, "SellPrice", sellPrice);
	takeFloatProperty(p, "Cost", cost);
	takeFloatProperty(p, "BrokenServeAreaIncomeBonus", brokenServeAreaIncomeBonus);
	takeFloatProperty(p, "BuildMaterialsCost", buildMaterialsCost);
	takeIntProperty(p, "BuildWorkersCost", buildWorkersCost);
	takeFloatProperty(p, "RepairMaterialsCost", repairMaterialsCost);
	takeIntProperty(p, "RepairWorkersCost", repairWorkersCost);
	takeIntProperty(p, "DestroyWorkersCost", destroyWorkersCost);
	takeIntProperty(p, "GuestsCount", guestsCount);
}

const GBuildingFeature* GBuildingType::getFeature(int index) const
{
	if (index < 0 || index >= getFeatureCount())
		return nullptr;
	return &features[static_cast<size_t>(index)];
}

float GBuildingType::getBuildMaterialsCost(const GLevelConfiguration*) const
{
	return buildMaterialsCost;
}

float GBuildingType::getRepairMaterialsCost(const GLevelConfiguration*) const
{
	return repairMaterialsCost;
}

int GBuildingType::getRepairWorkersCost(const GLevelModifierValues*) const
{
	return repairWorkersCost;
}

namespace
{
// The worker cost less the WorkersCostA sum, at least one worker.
int lowerWorkersCost(int cost, const GLevelModifierValues* modifiers)
{
	if (!modifiers)
		return cost;
	const float lowered = static_cast<float>(cost) - modifiers->workersCostA;
	// Also keeps a huge or undefined result out of the integer conversion.
	if (!(lowered >= 1.0f))
		return 1;
	if (lowered >= 2147483520.0f)
		return std::numeric_limits<int>::max();
	return static_cast<int>(lowered);
}
} // namespace

int GBuildingType::getBuildWorkersCost(const GLevelModifierValues* modifiers) const
{
	return lowerWorkersCost(buildWorkersCost, modifiers);
}

int GBuildingType::getDestroyWorkersCost(const GLevelModifierValues* modifiers) const
{
	return lowerWorkersCost(destroyWorkersCost, modifiers);
}

int GBuildingType::getGuestsCount(const GLevelModifierValues* modifiers) const
{
	if (!modifiers || type != BuildingKind::Hotel)
		return guestsCount;
	const float factor = modifiers->guestsCountM;
	const double guests = std::floor(static_cast<double>(factor) * guestsCount + 0.5);
	// A factor that is out of all proportion leaves the guests as they are rather than overflow.
	if (!(guests >= -2147483648.0 && guests <= 2147483647.0))
		return guestsCount;
	return static_cast<int>(guests);
}

float GBuildingType::getServeAreaIncomeBonus(int workKind, int condition) const
{
	if (workKind != BuildingWork::None)
		return 0.0f;
	return condition != BuildingCondition::Normal ? brokenServeAreaIncomeBonus : serveAreaIncomeBonus;
}
