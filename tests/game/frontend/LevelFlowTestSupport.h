#pragma once

#include "FrontendTestSupport.h"
#include "content/CXMLReader.h"
#include "core/TextUtils.h"
#include "data/GLevelConfiguration.h"
#include "level/GGameLevelScene.h"
#include "nodes/TextNode.h"
#include "scene/NodeFactory.h"

#include <string>

// Helpers for the screens around a level: a level scene with a configuration made from a few
// numbers, and a stand-in for a mini-game, which the loading scene only tells apart by kind.
namespace levelflowtest
{
// A level configuration with these values (name "<number>", so the level number follows from it).
inline SmartPointer<GLevelConfiguration>
levelConfiguration(int number, int levelTime, int score, int expertScore, int settingIndex = 1,
                   const std::string& description = "Open three campsites by the quay.")
{
	auto item = [](const char* type, const char* name, const std::string& value)
	{ return std::string("<") + type + " Name=\"" + name + "\" Value=\"" + value + "\"/>"; };
	const std::string xml =
	    "<?xml version=\"1.0\"?>\n<Level><Properties>" + item("string", "Name", std::to_string(number)) +
	    item("stringw", "Description", description) + item("int", "SettingIndex", std::to_string(settingIndex)) +
	    item("int", "LevelTime", std::to_string(levelTime)) + item("int", "Score", std::to_string(score)) +
	    item("int", "ExpertScore", std::to_string(expertScore)) + "</Properties></Level>";
	SmartPointer<CXMLReader> reader(new CXMLReader(xml.data(), xml.size()));
	SmartPointer<GLevelConfiguration> configuration(new GLevelConfiguration());
	configuration->load(reader.get());
	return configuration;
}

// A level scene as the play screen hands it on: configured, with the time played and the score gained.
inline SmartPointer<GGameLevelScene> wonLevel(GLevelConfiguration* configuration, float elapsedMs = 0.0f,
                                              float scoreGain = 0.0f)
{
	SmartPointer<GGameLevelScene> level(new GGameLevelScene());
	level->setConfiguration(configuration);
	level->elapsedTime = elapsedMs;
	level->scoreGain = scoreGain;
	return level;
}

// Taken for a mini-game by the loading scene.
class MiniGameStandIn : public GBaseSceneNode
{
	ENGINE_NODE_TYPE(MiniGameStandIn, NodeTypeGMiniGameScene, GBaseSceneNode)
	ENGINE_NODE_CLONE(MiniGameStandIn)
public:
	using GBaseSceneNode::GBaseSceneNode;
	static const irr::core::stringw& typeNameText()
	{
		static const irr::core::stringw name(L"MiniGameStandIn");
		return name;
	}
};

inline void registerStandIns()
{
	NodeFactory::instance()->registerNodeCreator(MiniGameStandIn::typeNameText(), &createNodeOfClass<MiniGameStandIn>);
}

// The text of a text node, "(none)" without the node and "(hidden)" when it is not shown.
inline std::string shown(const TextNode* text)
{
	if (!text)
		return "(none)";
	if (!text->isVisible())
		return "(hidden)";
	return narrow(text->getText()).c_str();
}
} // namespace levelflowtest
