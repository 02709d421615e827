#include "data/GLevelPaths.h"

#include "LevelDataTestSupport.h"
#include "core/Random.h"
#include "data/GLevelPath.h"

#include <gtest/gtest.h>
#include <map>

namespace
{
// A paths file with car groups and pedestrian paths given as inner XML.
std::string pathsFile(const std::string& cars, const std::string& pedestrians)
{
	return "<?xml version=\"1.0\"?>\n<LevelPaths>\n<CarPaths>\n" + cars + "</CarPaths>\n<PedestrianPaths>\n" +
	       pedestrians + "</PedestrianPaths>\n</LevelPaths>\n";
}

std::string carPath(const std::string& id, const std::string& name)
{
	return "<Path ID=\"" + id + "\" Cars=\"" + name + "\"><p p=\"0;0\"/></Path>\n";
}

class LevelPaths : public testing::Test
{
protected:
	void SetUp() override { Random::instance()->seed(1234); }

	bool load(const std::string& text) { return paths->load(xmlText(text).get()); }

	// The Cars name of each pick, joined: shows which path came when.
	std::string carPicks(const char* id, int count)
	{
		std::string picks;
		for (int i = 0; i < count; ++i)
		{
			GLevelPath* path = paths->getRandomCarPath(internStringId(id));
			picks += path ? idNames(path->getCars()) : "-";
		}
		return picks;
	}

	SmartPointer<GLevelPaths> paths{new GLevelPaths()};
};
} // namespace

TEST_F(LevelPaths, PathReadsItsAttributesAndPoints)
{
	ASSERT_TRUE(load(pathsFile("<Path ID=\"Road\" Time=\"2000;5000\" Cars=\" CarRed ; ;CarBlue\">\n"
	                           "  <p p=\"10;20\" d1=\"1.5\" d2=\"-2\"/>\n  <p p=\"30.5;40\"/>\n</Path>\n",
	                           "<Path b=\"yes\"><p p=\"1;2\"/></Path>\n<Path b=\"\"/>\n")));
	const irr::core::array<SmartPointer<GLevelPath>> road = paths->getCarPaths(internStringId("Road"));
	ASSERT_EQ(road.size(), 1u);
	const GLevelPath& path = *road[0];
	EXPECT_EQ(path.getTime(), irr::core::vector2di(2000, 5000));
	EXPECT_EQ(idNames(path.getCars()), "CarRed,CarBlue");
	EXPECT_FALSE(path.isBothWays());
	ASSERT_EQ(path.getPoints().size(), 2u);
	EXPECT_EQ(path.getPoints()[0].x, 10.0f);
	EXPECT_EQ(path.getPoints()[0].y, 20.0f);
	EXPECT_EQ(path.getPoints()[0].d1, 1.5f);
	EXPECT_EQ(path.getPoints()[0].d2, -2.0f);
	// Without d1 and d2 both are 0.
	EXPECT_EQ(path.getPoints()[1].x, 30.5f);
	EXPECT_EQ(path.getPoints()[1].d1, 0.0f);
	EXPECT_EQ(path.getPoints()[1].d2, 0.0f);

	// b is set by any text, not by an empty one; a self-closed path has no points.
	ASSERT_EQ(paths->getPedestrianPaths().size(), 2u);
	EXPECT_TRUE(paths->getPedestrianPaths()[0]->isBothWays());
	EXPECT_FALSE(paths->getPedestrianPaths()[1]->isBothWays());
	EXPECT_TRUE(paths->getPedestrianPaths()[1]->getPoints().empty());
}

TEST_F(LevelPaths, CarPathsWithoutIdAreDroppedAndPedestrianPathsKeptWhateverTheirId)
{
	ASSERT_TRUE(load(pathsFile(carPath("", "A") + "<Path><p p=\"1;1\"/></Path>\n" + carPath("Road", "B") +
	                               "<Unknown><Path ID=\"Road\" Cars=\"C\"/></Unknown>\n",
	                           carPath("Road", "P"))));
	EXPECT_EQ(paths->getCarGroupCount(), 1);
	// Paths inside an element the reader does not know are skipped with it.
	EXPECT_EQ(paths->getCarPaths(internStringId("Road")).size(), 1u);
	EXPECT_EQ(paths->getPedestrianPaths().size(), 1u);
	// An unknown ID gives nothing.
	EXPECT_TRUE(paths->getCarPaths(internStringId("Nowhere")).empty());
	EXPECT_EQ(paths->getRandomCarPath(internStringId("Nowhere")), nullptr);
	EXPECT_EQ(paths->getRandomCarPath(StringId()), nullptr);
}

TEST_F(LevelPaths, ReloadingDropsTheOldPathsAndAnUnfinishedFileReportsFalse)
{
	ASSERT_TRUE(load(pathsFile(carPath("Road", "A"), carPath("", "P"))));
	EXPECT_FALSE(load("<LevelPaths><CarPaths>" + carPath("Lane", "B")));
	EXPECT_TRUE(paths->getCarPaths(internStringId("Road")).empty());
	EXPECT_EQ(paths->getCarPaths(internStringId("Lane")).size(), 1u);
	EXPECT_TRUE(paths->getPedestrianPaths().empty());
	EXPECT_EQ(paths->getRandomPedestrianPath(), nullptr);
	EXPECT_TRUE(load("<LevelPaths/>"));
	EXPECT_FALSE(paths->load(nullptr));
}

TEST_F(LevelPaths, PicksNeverRepeatThePreviousPath)
{
	// One path: every pick returns it.
	ASSERT_TRUE(load(pathsFile(carPath("One", "A") + carPath("Two", "A") + carPath("Two", "B") + carPath("Three", "A") +
	                               carPath("Three", "B") + carPath("Three", "C"),
	                           carPath("", "P") + carPath("", "Q"))));
	EXPECT_EQ(carPicks("One", 5), "AAAAA");

	// Two paths: after the first pick they alternate strictly.
	const std::string two = carPicks("Two", 8);
	for (size_t i = 1; i < two.size(); ++i)
		EXPECT_NE(two[i], two[i - 1]) << two;

	// Three paths: never the previous one, and each other one follows it.
	const std::string three = carPicks("Three", 600);
	std::map<std::string, int> followers;
	for (size_t i = 1; i < three.size(); ++i)
	{
		EXPECT_NE(three[i], three[i - 1]);
		++followers[three.substr(i - 1, 2)];
	}
	EXPECT_EQ(followers.size(), 6u) << three;
	for (const auto& [pair, count] : followers)
		EXPECT_GT(count, 50) << pair;

	// Pedestrians keep their own last pick.
	const GLevelPath* first = paths->getRandomPedestrianPath();
	for (int i = 0; i < 6; ++i)
	{
		const GLevelPath* next = paths->getRandomPedestrianPath();
		EXPECT_NE(next, first);
		first = next;
	}
}
