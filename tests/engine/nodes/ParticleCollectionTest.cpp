#include "ParticleTestSupport.h"

#include "nodes/ParticleCollection.h"
#include "nodes/PointEmitter.h"
#include "nodes/RectangleEmitter.h"
#include "support/LogCapture.h"

#include <fstream>
#include <gtest/gtest.h>

namespace
{
const char* const twoEmitters = R"(<?xml version="1.0"?>
<ParticleCollection>
	<ParticleEmitter Type="PointEmitter">
		<Properties>
			<string Name="Name" Value="Smoke"/>
			<vector2d Name="PPSRange" Value="20.000000;30.000000"/>
			<vector2d Name="RadiusRange" Value="2.000000;4.000000"/>
			<vector2d Name="AccelerationYRange" Value="-9.000000;-9.000000"/>
			<color Name="ColorEnd" Value="00ffffff"/>
		</Properties>
	</ParticleEmitter>
	<ParticleEmitter Type="NoSuchEmitter">
		<Properties>
			<string Name="Name" Value="Ghost"/>
		</Properties>
	</ParticleEmitter>
	<ParticleEmitter Type="RectangleEmitter">
		<Properties>
			<string Name="Name" Value="Sparks"/>
			<vector2d Name="XRange" Value="0;50"/>
		</Properties>
	</ParticleEmitter>
	<ParticleEmitter Type="RectangleEmitter">
		<Properties>
			<string Name="Name" Value="Smoke"/>
		</Properties>
	</ParticleEmitter>
	<ParticleEmitter Type="PointEmitter"/>
	<ParticleEmitter Type="PointEmitter">
		<Properties><vector2d Name="PPSRange" Value="1;1"/></Properties>
	</ParticleEmitter>
</ParticleCollection>
)";
} // namespace

TEST(ParticleCollection, NamedEmittersAreCachedAndHandedOutAsClones)
{
	TestContent content;
	LogCapture log;
	SmartPointer<ContentObject> loaded(content.loadCollection(twoEmitters));
	auto* collection = dynamic_cast<ParticleCollection*>(loaded.get());
	ASSERT_NE(collection, nullptr);
	EXPECT_TRUE(log.contains("Loaded particle collection", 0));
	EXPECT_EQ(collection->getContentFlags(), ContentNeverCached);

	// The first "Smoke" stays in the map; the unknown type and the unnamed emitters are gone.
	ASSERT_EQ(collection->getEmitters().size(), 2u);
	EXPECT_EQ(collection->findEmitter("Smoke")->typeId(), PointEmitter::TypeId);
	EXPECT_EQ(collection->findEmitter("Sparks")->typeId(), RectangleEmitter::TypeId);
	EXPECT_EQ(collection->findEmitter("Ghost"), nullptr);
	EXPECT_EQ(content.manager->getCachedCount(ContentTypeParticleEmitter), 2u);
	EXPECT_EQ(content.manager->getCachedCount(ContentTypeParticleCollection), 0u);

	SmartPointer<ContentObject> first(content.manager->getContent(ContentTypeParticleEmitter, "Smoke", false));
	SmartPointer<ContentObject> second(content.manager->getContent(ContentTypeParticleEmitter, "Smoke", false));
	auto* smoke = dynamic_cast<PointEmitter*>(first.get());
	ASSERT_NE(smoke, nullptr);
	EXPECT_NE(first.get(), second.get());
	EXPECT_NE(first.get(), static_cast<ContentObject*>(collection->findEmitter("Smoke")));
	EXPECT_EQ(smoke->getPPSRange(), irr::core::vector2df(20.0f, 30.0f));
	EXPECT_EQ(smoke->getRadiusRange(), irr::core::vector2df(2.0f, 4.0f));
	EXPECT_EQ(smoke->getAccelYRange(), irr::core::vector2df(-9.0f, -9.0f));
	EXPECT_EQ(smoke->getColorEnd().color, 0x00FFFFFFu);
	EXPECT_EQ(smoke->getLifeTimeRange(), irr::core::vector2df(2000.0f, 3000.0f));

	// Releasing the collection keeps its emitters in the cache.
	loaded = SmartPointer<ContentObject>();
	SmartPointer<ContentObject> third(content.manager->getContent(ContentTypeParticleEmitter, "Sparks", false));
	EXPECT_TRUE(third);
}

TEST(ParticleCollection, BrokenFilesLoadWhatTheyCan)
{
	const char* const files[] = {
	    "",
	    "not xml at all",
	    "<ParticleCollection><ParticleEmitter Type=\"PointEmitter\"><Properties>",
	    "<ParticleEmitter Type=\"PointEmitter\"><Properties><vector2d Name=\"Name\" Value=\"1;2\"/></Properties>",
	    "<ParticleCollection><ParticleEmitter><Properties><string Name=\"Name\" Value=\"X\"/></Properties>\
</ParticleEmitter></ParticleCollection>",
	};
	for (const char* file : files)
	{
		TestContent content;
		SmartPointer<ContentObject> loaded(content.loadCollection(file));
		auto* collection = dynamic_cast<ParticleCollection*>(loaded.get());
		if (collection)
		{
			EXPECT_LE(collection->getEmitters().size(), 1u) << file;
		}
	}
	TestContent content;
	SmartPointer<ContentObject> loaded(content.loadCollection(files[3]));
	auto* collection = dynamic_cast<ParticleCollection*>(loaded.get());
	ASSERT_NE(collection, nullptr);
	ASSERT_NE(collection->findEmitter("1.000000;2.000000"), nullptr);
}

TEST(ParticleCollection, AStandaloneEmitterFileIsAPlainBaseEmitter)
{
	TestContent content;
	LogCapture log;
	const std::string path = content.folder + "/single.pemt";
	std::ofstream(path) << "<ParticleEmitter Type=\"PointEmitter\"><Properties>"
	                       "<string Name=\"Name\" Value=\"Lone\"/><vector2d Name=\"PPSRange\" Value=\"5;5\"/>"
	                       "</Properties></ParticleEmitter>";
	SmartPointer<ContentObject> loaded(content.manager->getContent(ContentTypeParticleEmitter, path.c_str(), false));
	auto* emitter = dynamic_cast<BaseEmitter*>(loaded.get());
	ASSERT_NE(emitter, nullptr);
	EXPECT_EQ(emitter->typeId(), BaseEmitter::TypeId);
	EXPECT_EQ(emitter->getName(), irr::core::stringc("Lone"));
	EXPECT_EQ(emitter->getPPSRange(), irr::core::vector2df(5.0f, 5.0f));
	EXPECT_TRUE(log.contains("Loaded particle emitter", 0));
}

TEST(ParticleCollection, SavingIsRefusedWithAWarning)
{
	TestContent content;
	SmartPointer<ContentObject> loaded(content.loadCollection(twoEmitters));
	SmartPointer<ContentObject> smoke(content.manager->getContent(ContentTypeParticleEmitter, "Smoke", false));
	ASSERT_TRUE(loaded && smoke);
	LogCapture log;
	const std::string target = content.folder + "/out.xml";
	EXPECT_FALSE(content.manager->saveContent(ContentTypeParticleCollection, loaded.get(), target.c_str(), nullptr));
	EXPECT_FALSE(content.manager->saveContent(ContentTypeParticleEmitter, smoke.get(), target.c_str(), nullptr));
	ASSERT_EQ(log.lines.size(), 2u) << log.dump();
	for (const LogCapture::Line& line : log.lines)
	{
		EXPECT_EQ(line.text, "Particle collection can't be saved");
		EXPECT_EQ(line.level, 1);
		EXPECT_EQ(line.hint, target);
	}
}
