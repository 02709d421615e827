#include "data/GLogosList.h"

#include "ConfigXml.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>
#include <string>

namespace
{
// "image time skippable" of each logo left, joined by " | ".
std::string logos(const GLogosList& list)
{
	std::string text;
	for (irr::u32 i = 0; i < list.getLogoCount(); ++i)
	{
		const GLogoEntry& logo = list.getLogo(i);
		text += (i ? " | " : "") + std::string(logo.image.c_str()) + " " + std::to_string(logo.time) +
		        (logo.skippable ? " skip" : " stay");
	}
	return text;
}
} // namespace

TEST(GLogosList, ReadsLogosAndPublisherLogosInFileOrder)
{
	LogCapture log;
	SmartPointer<GLogosList> list(new GLogosList());
	ASSERT_TRUE(list->load(configReader(R"(<Logos>
		<Logo Image="logos/A.png" Time="3000" Skippable="true"></Logo>
		<Logo Image="logos/B.png" Time="1500.9" Skippable="TRUE"/>
		<Banner Image="logos/X.png" Time="1"/>
		<QuillLogo Image="logos/Q.png" Pos="16;704" URL="https://pellwick.example/"/>
		<Logo/>
		<QuillLogo Image="logos/R.png" Pos="x-3.5 y8"/>
	</Logos>
	<Logo Image="logos/After.png"/>)")
	                           .get()));
	EXPECT_EQ(logos(*list), "logos/A.png 3000 skip | logos/B.png 1500 stay |  0 stay");
	ASSERT_EQ(list->getPublisherLogoCount(), 2u);
	EXPECT_EQ(list->getPublisherLogo(0).image, "logos/Q.png");
	EXPECT_EQ(list->getPublisherLogo(0).pos, irr::core::vector2df(16.0f, 704.0f));
	EXPECT_EQ(list->getPublisherLogo(0).url, "https://pellwick.example/");
	EXPECT_EQ(list->getPublisherLogo(1).pos, irr::core::vector2df(-3.5f, 8.0f));
	EXPECT_EQ(list->getPublisherLogo(1).url, "");
	EXPECT_TRUE(log.lines.empty()) << log.dump();
}

TEST(GLogosList, TakingLogosConsumesTheListFromTheFront)
{
	SmartPointer<GLogosList> list(new GLogosList());
	ASSERT_TRUE(
	    list->load(configReader(R"(<Logos><Logo Image="a" Time="0"/><Logo Image="b" Time="2"/></Logos>)").get()));
	GLogoEntry taken;
	ASSERT_TRUE(list->takeFirstLogo(taken));
	EXPECT_EQ(taken.image, "a");
	EXPECT_EQ(logos(*list), "b 2 stay");
	ASSERT_TRUE(list->takeFirstLogo(taken));
	EXPECT_EQ(taken.time, 2);
	EXPECT_FALSE(list->takeFirstLogo(taken));
	EXPECT_EQ(taken.image, "b");
}

TEST(GLogosList, AnUnreadableFileLeavesTheListEmpty)
{
	SmartPointer<GLogosList> list(new GLogosList());
	for (const char* text : {"", "<Logos><Logo Image=\"a\"", "not xml at all"})
	{
		ASSERT_TRUE(list->load(configReader(R"(<Logos><Logo Image="old"/></Logos>)").get()));
		EXPECT_FALSE(list->load(configReader(text).get())) << text;
		EXPECT_EQ(list->getLogoCount(), 0u) << text;
	}
	EXPECT_FALSE(list->load(nullptr));
}
