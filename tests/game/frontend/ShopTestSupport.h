#pragma once

#include "../GameTestSupport.h"
#include "../data/ConfigXml.h"
#include "app/GameNodeClasses.h"
#include "content/CDictionary.h"
#include "content/CProfileManager.h"
#include "core/SmartPointer.h"
#include "data/GAchievements.h"
#include "data/GUpgradesConfiguration.h"
#include "data/GameProfileDefaults.h"
#include "data/ProfileKeys.h"
#include "device/IDevice.h"
#include "scene/BaseNode.h"
#include "scene/NodeFactory.h"
#include "scene/SceneFileReader.h"

#include <string>

// Builders for the shop and comics tests: configuration and scene files from a few lines.
namespace shoptest
{
// One Upgrade element.
inline std::string upgradeXml(const char* name, int price, int level, int obligatoryLevel = -1)
{
	std::string xml = std::string("<Upgrade><Name Value=\"") + name + "\"/><Info Value=\"%Upgrade_" + name +
	                  "_Info%\"/><Price Value=\"" + std::to_string(price) + "\"/><Level Value=\"" +
	                  std::to_string(level) + "\"/>";
	if (obligatoryLevel >= 0)
		xml += "<ObligatoryLevel Value=\"" + std::to_string(obligatoryLevel) + "\"/>";
	return xml + "</Upgrade>";
}

inline SmartPointer<GUpgradesConfiguration> upgradesOf(const std::string& upgrades)
{
	SmartPointer<GUpgradesConfiguration> configuration(new GUpgradesConfiguration());
	const SmartPointer<CXMLReader> reader =
	    configReader("<UpgradesConfiguration>" + upgrades + "</UpgradesConfiguration>");
	EXPECT_TRUE(configuration->load(reader.get()));
	return configuration;
}

// A scene file's tree, loaded with the game's classes registered.
template <class T> SmartPointer<T> loadScene(const std::string& xml)
{
	registerGameNodeClasses();
	SmartPointer<CXMLReader> reader(new CXMLReader(xml.data(), xml.size()));
	SmartPointer<BaseNode> root(
	    SceneFileReader::loadDocument(reader.get(), NodeFactory::instance(), nullptr, ContentRef(), "scenes/T.qscn"));
	EXPECT_TRUE(nodeCast<T>(root.get()));
	return shareRef(nodeCast<T>(root.get()));
}

// A node element with a name, a type and optional extra properties, states and children.
inline std::string node(const char* type, const char* name, const std::string& inner = std::string(),
                        const std::string& properties = std::string())
{
	return std::string("<SceneNode Type=\"") + type + "\"><Properties><string Name=\"Name\" Value=\"" + name + "\"/>" +
	       properties + "</Properties>" + inner + "</SceneNode>";
}

// A state that sets the tint at once (a marker a test can read) and, with a duration, lasts that long.
inline std::string tintState(const char* state, const char* colour, int duration = 0)
{
	std::string xml = std::string("<State Name=\"") + state +
	                  "\"><StartAnimator Type=\"SetProps\"><color Name=\"TintColor\" Value=\"" + colour +
	                  "\"/></StartAnimator>";
	if (duration > 0)
		xml += std::string("<Animator Type=\"KeyFrame\" Name=\"Hold\"><Properties><color Name=\"TintColor\" Value=\"") +
		       colour + "\"/></Properties><KeyFrame t=\"0\" Value0=\"" + colour + "\"/><KeyFrame t=\"" +
		       std::to_string(duration) + "\" Value0=\"" + colour + "\"/></Animator>";
	return xml + "</State>";
}

inline std::string states(const std::string& inner)
{
	return "<States>" + inner + "</States>";
}

// A current player in a fresh data folder, with the game's profile defaults; none again afterwards.
class PlayerProfile
{
public:
	PlayerProfile()
	{
		CProfileManager* manager = CProfileManager::instance();
		declareGameProfileDefaults(*manager);
		manager->loadProfiles();
		manager->addProfile(L"Shopper");
		manager->setActiveProfile(manager->getProfileCount() - 1);
	}
	~PlayerProfile()
	{
		CProfileManager* manager = CProfileManager::instance();
		const int index = manager->getActiveProfileIndex();
		if (index >= 0)
			manager->removeProfile(index);
		manager->setActiveProfile(-1);
	}
	CProfile* operator->() const { return CProfileManager::instance()->getActiveProfile(); }

private:
	GameDataFolders folders;
};
} // namespace shoptest
