#include "TutorialTestSupport.h"
#include "support/RefusedNumbers.h"

using namespace tutorialtest;

// A tutorial file damaged in its numbers: places off any screen, times and indices huge or negative,
// angles infinite. Each number is refused with the log line and the default stands.
namespace
{
SmartPointer<GTutorialHint> hintFromXml(const std::string& xml)
{
	SmartPointer<CXMLReader> reader(new CXMLReader(xml.data(), xml.size()));
	SmartPointer<GTutorialHint> hint(new GTutorialHint());
	while (reader->read())
		if (reader->getNodeType() == XML_NODE_ELEMENT && reader->getNodeName() == L"Hint")
		{
			hint->parse(reader.get());
			break;
		}
	return hint;
}

std::string vectorText(const irr::core::vector3df& v)
{
	return std::to_string(static_cast<int>(v.X)) + " " + std::to_string(static_cast<int>(v.Y)) + " " +
	       std::to_string(static_cast<int>(v.Z));
}

std::string position(const std::string& xml)
{
	return vectorText(hintFromXml(xml)->getPosition());
}
std::string textPosition(const std::string& xml)
{
	return vectorText(hintFromXml(xml)->getTextPosition());
}
std::string bgType(const std::string& xml)
{
	return std::to_string(hintFromXml(xml)->getTextBgType());
}
std::string firstArrow(const std::string& xml)
{
	const SmartPointer<GTutorialHint> hint = hintFromXml(xml);
	if (hint->getArrows().empty())
		return "none";
	return vectorText(hint->getArrows()[0].position) + " @" +
	       std::to_string(static_cast<int>(hint->getArrows()[0].rotation.Z));
}
// Whether a timed action is over before any time passes.
std::string timedOverAtOnce(const std::string& xml)
{
	SmartPointer<GTutorialAction> action = actionFromXml(xml);
	return action && action->isDone() ? "over" : "waits";
}
std::string indices(const std::string& xml)
{
	SmartPointer<CXMLReader> reader(new CXMLReader(xml.data(), xml.size()));
	while (reader->read() && reader->getNodeType() != XML_NODE_ELEMENT)
	{
	}
	const irr::core::array<int> read = GTutorialAction::readIndices(reader.get(), L"Indices");
	std::string text;
	for (irr::u32 i = 0; i < read.size(); ++i)
		text += (i ? "," : "") + std::to_string(read[i]);
	return read.size() > 5 ? std::to_string(read.size()) + " indices" : text;
}

std::string manyIndices(int count)
{
	std::string list;
	for (int i = 0; i < count; ++i)
		list += std::to_string(i % 10) + ";";
	return R"(<Action Type="ListItemPress" List="L" Indices=")" + list + R"("/>)";
}
} // namespace

TEST(DamagedTutorial, NumbersOutOfTheirRangeKeepTheDefaultWithALogLine)
{
	expectRefusedNumbers({
	    {"a place on the screen", R"(<Hint><Position Value="100, 200"/></Hint>)", position, "100 200 0", nullptr},
	    {"a place far off the screen", R"(<Hint><Position Value="99999999999, 200"/></Hint>)", position, "570 516 0",
	     "Position"},
	    {"a negative place far off", R"(<Hint><Position Value="5, -4000000"/></Hint>)", position, "570 516 0",
	     "Position"},
	    {"a text place far off", R"(<Hint><TextPosition Value="-20, 123456789"/></Hint>)", textPosition, "-35 -11 1",
	     "TextPosition"},
	    {"a negative background type", R"(<Hint><TextBgType Value="-3"/></Hint>)", bgType, "0", "Value"},
	    {"an infinite background type", R"(<Hint><TextBgType Value="1e999"/></Hint>)", bgType, "0", "Value"},
	    {"an arrow far off", R"(<Hint><Arrows><Arrow Position="5;99999999;0" Rotation="90"/></Arrows></Hint>)",
	     firstArrow, "0 0 0 @90", "Arrow Position"},
	    {"an arrow turned by infinity", R"(<Hint><Arrows><Arrow Position="5;6;0" Rotation="-1e999"/></Arrows></Hint>)",
	     firstArrow, "5 6 0 @0", "Rotation"},
	    {"an arrow turned many times", R"(<Hint><Arrows><Arrow Rotation="7200"/></Arrows></Hint>)", firstArrow,
	     "0 0 0 @0", "Rotation"},
	    {"a time in range", R"(<Action Type="Timed" Time="100"/>)", timedOverAtOnce, "waits", nullptr},
	    {"a negative time", R"(<Action Type="Timed" Time="-5"/>)", timedOverAtOnce, "over", "Time"},
	    {"a time of years", R"(<Action Type="Timed" Time="99999999999"/>)", timedOverAtOnce, "over", "Time"},
	    {"an infinite time", R"(<Action Type="Timed" Time="1e999"/>)", timedOverAtOnce, "over", "Time"},
	    {"indices in range", R"(<Action Type="ListItemPress" List="L" Indices="1;2"/>)", indices, "1,2", nullptr},
	    {"an index past any list", R"(<Action Type="ListItemPress" List="L" Indices="1;5000;2"/>)", indices, "1,2",
	     "Indices"},
	    {"a negative index", R"(<Action Type="ListItemHovered" List="L" Indices="-1;3"/>)", indices, "3", "Indices"},
	    {"a huge index", R"(<Action Type="ListItemPress" List="L" Indices="99999999999"/>)", indices, "", "Indices"},
	});
}

TEST(DamagedTutorial, AListOfTooManyIndicesIsCutWithALogLine)
{
	LogCapture log;
	EXPECT_EQ(indices(manyIndices(GTutorialAction::MaxIndices)), "64 indices");
	EXPECT_FALSE(log.contains("Too many list indices; the rest are skipped"));
	EXPECT_EQ(indices(manyIndices(500)), "64 indices");
	EXPECT_TRUE(log.contains("Too many list indices; the rest are skipped", 1)) << log.dump();
}
