#include "data/GComicsConfiguration.h"

#include "ConfigXml.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>
#include <string>

namespace
{
// The scene path of a location's comic, "(empty)" for an entry without one, "-" for none.
std::string comicAt(const GComicsConfiguration& comics, int level)
{
	const GComicsEntry* entry = comics.findComics(level);
	if (!entry)
		return "-";
	return entry->getScenePath().empty() ? "(empty)" : entry->getScenePath().c_str();
}

std::string comicsXml(const std::string& body)
{
	return "<ComicsConfiguration>\n" + body + "</ComicsConfiguration>\n";
}

std::string comic(const std::string& level, const std::string& path)
{
	return "<Comics><Level Value=\"" + level + "\"/><ScenePath Value=\"" + path + "\"/></Comics>\n";
}
} // namespace

TEST(GComicsConfiguration, KeepsTheFirstComicOfALocation)
{
	LogCapture log;
	SmartPointer<GComicsConfiguration> comics(new GComicsConfiguration());
	ASSERT_TRUE(comics->load(
	    configReader(comicsXml(comic("7", "scenes/ComicsScene2.qscn") + comic("7", "scenes/ComicsScene9.qscn") +
	                           "<Comics><Level Value=\"15\"/></Comics>\n"
	                           "<Comics><ScenePath Value=\"scenes/ComicsScene0.qscn\"/>"
	                           "<Note Value=\"3\"/></Comics>\n" +
	                           comic("23", "scenes/ComicsScene4.qscn")))
	        .get()));
	EXPECT_EQ(comicAt(*comics, 7), "scenes/ComicsScene2.qscn");
	EXPECT_EQ(comicAt(*comics, 15), "(empty)");
	// No Level element: the entry belongs to location 0.
	EXPECT_EQ(comicAt(*comics, 0), "scenes/ComicsScene0.qscn");
	EXPECT_EQ(comicAt(*comics, 23), "scenes/ComicsScene4.qscn");
	EXPECT_EQ(comicAt(*comics, 1), "-");
	EXPECT_EQ(comics->size(), 4u);
	EXPECT_EQ(comics->findComics(23)->getLevel(), 23);
	EXPECT_TRUE(log.lines.empty()) << log.dump();
}

TEST(GComicsConfiguration, ASelfClosedEntryDoesNotSwallowTheNextOnes)
{
	SmartPointer<GComicsConfiguration> comics(new GComicsConfiguration());
	ASSERT_TRUE(comics->load(
	    configReader(comicsXml("<Comics/>\n" + comic("1", "scenes/ComicsScene1.qscn") + comic("31", "c5"))).get()));
	EXPECT_EQ(comicAt(*comics, 0), "(empty)");
	EXPECT_EQ(comicAt(*comics, 1), "scenes/ComicsScene1.qscn");
	EXPECT_EQ(comicAt(*comics, 31), "c5");
}

TEST(GComicsConfiguration, ReloadReplacesTheEntriesAndReportsAnUnfinishedFile)
{
	struct Case
	{
		const char* name;
		std::string text;
		bool complete;
		size_t entries;
	};
	const Case cases[] = {
	    {"whole file", comicsXml(comic("1", "a") + comic("2", "b")), true, 2},
	    {"empty root", "<ComicsConfiguration/>", true, 0},
	    {"cut off inside an entry", "<ComicsConfiguration><Comics><Level Value=\"3\"/>", false, 1},
	    {"cut off after an entry", "<ComicsConfiguration>" + comic("1", "a"), false, 1},
	    {"nothing", "", false, 0},
	};
	SmartPointer<GComicsConfiguration> comics(new GComicsConfiguration());
	for (const Case& c : cases)
	{
		ASSERT_TRUE(comics->load(configReader(comicsXml(comic("99", "old"))).get()));
		EXPECT_EQ(comics->load(configReader(c.text).get()), c.complete) << c.name;
		EXPECT_EQ(comics->size(), c.entries) << c.name;
		EXPECT_EQ(comics->findComics(99), nullptr) << c.name;
	}
}
