#include "SceneTestSupport.h"
#include "content/CContentManager.h"
#include "content/CContentProcessorsManager.h"
#include "content/IFileSystem.h"
#include "scene/AnimatorSet.h"
#include "scene/NodeFactory.h"
#include "scene/SceneFileReader.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace
{
StringId id(const char* name)
{
	return internStringId(name);
}

// A scene loaded from XML text (no content manager): the root node, or null.
SmartPointer<BaseNode> loadText(const std::string& xml)
{
	registerSceneClasses();
	SmartPointer<CXMLReader> reader(new CXMLReader(xml.data(), xml.size()));
	return SceneFileReader::loadDocument(reader.get(), NodeFactory::instance(), nullptr, ContentRef(), "mem.qscn");
}

std::string saveText(const BaseNode* node)
{
	XmlOutput out;
	out.writer->writeXMLHeader();
	node->save(out.writer.get());
	return out.bytes();
}

// Names of the children, "/" between levels, in pre-order: "a(b,c),d".
std::string shape(const BaseNode* node)
{
	std::string out;
	const auto& children = node->getChildren();
	for (irr::u32 i = 0; i < children.size(); ++i)
	{
		if (i)
			out += ",";
		out += getStringById(children[i]->getName()).c_str();
		if (!children[i]->getChildren().empty())
			out += "(" + shape(children[i]) + ")";
	}
	return out;
}

std::string named(const char* name, const char* content = "", const char* type = "BaseNode")
{
	return std::string("<SceneNode Type=\"") + type + "\"><Properties><string Name=\"Name\" Value=\"" + name +
	       "\"/></Properties>" + content + "</SceneNode>";
}

// Every property type, node properties, states with every action kind and nested children.
const std::string richScene =
    "<SceneNode Type=\"BaseNode\"><Properties><string Name=\"Name\" Value=\"root\"/>"
    "<vector3d Name=\"Position\" Value=\"1.5;2;3\"/><vector2d Name=\"PivotPoint\" Value=\"4;5\"/>"
    "<color Name=\"TintColor\" Value=\"80ff0000\"/><bool Name=\"Visible\" Value=\"false\"/></Properties>"
    "<States><Properties><string Name=\"DefaultState\" Value=\"Zeta\"/></Properties>"
    "<State Name=\"Zeta\" NextState=\"Alpha\"><Animator Type=\"KeyFrame\" Name=\"Move\" Period=\"40\" TimeShift=\"5\">"
    "<Properties><vector3d Name=\"Position\" Value=\"\"/><float Name=\"Rotation\" Value=\"0\"/></Properties>"
    "<KeyFrame t=\"0\" Value0=\"0;0;0\" Value1=\"1\"/><KeyFrame t=\"100\" g=\"0\" i=\"0\" Value0=\"9;9;0\" "
    "Value1=\"2\"/>"
    "</Animator><StartAnimator Type=\"SetProps\"><int Name=\"I\" Value=\"-7\"/><float Name=\"F\" Value=\"0.25\"/>"
    "<colorf Name=\"CF\" Value=\"0.5;0.25;1;1\"/><rect Name=\"R\" Value=\"1;2;3;4\"/>"
    "<stringw Name=\"W\" Value=\"wide &amp; text\"/><string Name=\"S\" Value=\"narrow\"/>"
    "<bool Name=\"B\" Value=\"true\"/><color Name=\"C\" Value=\"01020304\"/>"
    "<vector2d Name=\"V2\" Value=\"1;2\"/><vector3d Name=\"V3\" Value=\"1;2;3\"/>"
    "<stringwArray Name=\"WA\"><stringw Value=\"one\"/><stringw Value=\"two\"/></stringwArray>"
    "<properties Name=\"P\"><int Name=\"x\" Value=\"1\"/></properties><font Name=\"Fo\" Value=\"fonts/a.fnt\"/>"
    "<atlasTexture Name=\"At\" Value=\"pics/a.png\"/><sound Name=\"So\" Value=\"click.wav\"/></StartAnimator>"
    "<EndAnimator Type=\"SetStates\"><State Name=\"Alpha\" Children=\"kid;other\"/></EndAnimator></State>"
    "<State Name=\"Alpha\"/><State Name=\"Mid\"><Animator Type=\"SetStates\"><State Name=\"Zeta\" Children=\"\"/>"
    "</Animator></State></States>" +
    named("kid", "<SceneNode Type=\"BaseNode\"/>") + named("other") + "</SceneNode>";
} // namespace

TEST(SceneFileTest, SaveLoadSaveIsByteIdentical)
{
	SmartPointer<BaseNode> first = loadText(richScene);
	ASSERT_NE(first.get(), nullptr);
	const std::string saved = saveText(first.get());
	SmartPointer<BaseNode> second = loadText(saved);
	ASSERT_NE(second.get(), nullptr);
	EXPECT_EQ(saveText(second.get()), saved);
	EXPECT_EQ(second->getStates().size(), 3u);
	EXPECT_EQ(shape(second.get()), "kid(),other");
	XmlOutput text;
	first->save(text.writer.get());
	// States by name, not by the order their names were first seen.
	const std::string t = text.text();
	for (const char* type : {"<stringwArray", "<properties", "<font", "<atlasTexture", "<sound", "<colorf", "<rect"})
		EXPECT_NE(t.find(type), std::string::npos) << type;
	EXPECT_LT(t.find("Name=\"Alpha\""), t.find("Name=\"Mid\""));
	EXPECT_LT(t.find("Name=\"Mid\""), t.find("State Name=\"Zeta\" NextState"));
}

TEST(SceneFileTest, StatesComeBackWithTheirActions)
{
	SmartPointer<BaseNode> root = loadText(richScene);
	AnimatorSet* zeta = root->findState(id("Zeta"));
	ASSERT_NE(zeta, nullptr);
	EXPECT_EQ(zeta->getNextState(), id("Alpha"));
	EXPECT_NE(zeta->findAnimator(id("Move")), nullptr);
	EXPECT_EQ(zeta->getStartActions().size(), 1u);
	EXPECT_EQ(zeta->getEndActions().size(), 1u);
	EXPECT_EQ(root->getDefaultState(), id("Zeta"));
	EXPECT_EQ(root->getName(), id("root"));
	EXPECT_FALSE(root->isVisible());
}

TEST(SceneFileTest, ClassOverrideFallsBackToType)
{
	SmartPointer<BaseNode> root = loadText("<SceneNode Type=\"BaseNode\"><SceneNode ClassOverride=\"NoSuchClass\" "
	                                       "Type=\"ControlNode\"/><SceneNode ClassOverride=\"ControlNode\" "
	                                       "Type=\"NoSuchClass\"/></SceneNode>");
	ASSERT_EQ(root->getChildren().size(), 2u);
	EXPECT_EQ(root->getChildren()[0]->typeId(), NodeTypeControlNode);
	EXPECT_EQ(root->getChildren()[1]->typeId(), NodeTypeControlNode);
}

TEST(SceneFileTest, BadElementsAreSkippedWithoutMovingTheirNeighbours)
{
	struct Case
	{
		const char* what;
		std::string children;
	};
	const Case cases[] = {
	    {"unknown class with children",
	     named("a") + "<SceneNode Type=\"Nope\">" + named("lost") + "</SceneNode>" + named("b")},
	    {"self-closed node", named("a") + "<SceneNode Type=\"BaseNode\"/>" + named("b")},
	    {"foreign element", named("a") + "<Decoration><x/>" + "</Decoration>" + named("b")},
	    {"unclosed foreign element", named("a") + "<Decoration>" + named("b")},
	    {"unclosed property value", named("a", "<Properties><int Name=\"Z\" Value=\"1\"></Properties>") + named("b")},
	    {"unclosed key frame", named("a", "<States><State Name=\"X\"><Animator Type=\"KeyFrame\"><KeyFrame t=\"1\">"
	                                      "<KeyFrame t=\"2\"></Animator></State></States>") +
	                               named("b")},
	    {"stray end tags", named("a") + "</Properties></State>" + named("b")},
	    {"unclosed properties", named("a", "<Properties><bool Name=\"Visible\" Value=\"true\"/>") + named("b")},
	    {"unclosed states", named("a", "<States><State Name=\"X\"><Animator Type=\"SetProps\">") + named("b")},
	    {"failed file reference",
	     named("a") + "<SceneNode File=\"missing.qscn\">" + named("lost") + "</SceneNode>" + named("b")},
	    {"unknown action", named("a", "<States><State Name=\"X\"><Animator Type=\"Nope\"><SceneNode/></Animator>"
	                                  "</State></States>") +
	                           named("b")},
	};
	for (const Case& c : cases)
	{
		SmartPointer<BaseNode> root =
		    loadText("<SceneNode Type=\"BaseNode\">" + c.children + named("c") + "</SceneNode>");
		ASSERT_NE(root.get(), nullptr) << c.what;
		const std::string got = shape(root.get());
		EXPECT_TRUE(got == "a,b,c" || got == "a,,b,c") << c.what << ": " << got;
	}
}

TEST(SceneFileTest, DeepNestingIsCutOffInsteadOfExhaustingTheStack)
{
	std::string xml;
	for (int i = 0; i < 5000; ++i)
		xml += "<SceneNode Type=\"BaseNode\">";
	SmartPointer<BaseNode> root = loadText(xml);
	ASSERT_NE(root.get(), nullptr);
	int depth = 0;
	for (const BaseNode* n = root.get(); !n->getChildren().empty(); n = n->getChildren()[0])
		++depth;
	EXPECT_LT(depth, SceneFileReader::maxNodeDepth);
}

// A copy enters its default state at once; without a scheduler every state ends at once.
TEST(SceneFileTest, NextStatesThatEndAtOnceInALoopStopInsteadOfRecursing)
{
	const struct
	{
		const char* states;
		bool loops;
	} cases[] = {
	    {"<State Name=\"Loop\" NextState=\"Loop\">", true},
	    {"<State Name=\"Loop\" NextState=\"B\"/><State Name=\"B\" NextState=\"Loop\"/>", true},
	    {"<State Name=\"Loop\" NextState=\"B\"/><State Name=\"B\" NextState=\"C\"/><State Name=\"C\"/>", false},
	};
	for (const auto& c : cases)
	{
		LogCapture log;
		SmartPointer<BaseNode> root =
		    loadText(std::string("<SceneNode Type=\"BaseNode\"><States><Properties>"
		                         "<string Name=\"DefaultState\" Value=\"Loop\"/></Properties>") +
		             c.states + "</States></SceneNode>");
		ASSERT_NE(root.get(), nullptr) << c.states;
		SmartPointer<BaseNode> copy(root->clone());
		EXPECT_EQ(log.contains("Next states end at once in a loop"), c.loops) << c.states;
	}
}

TEST(SceneFileTest, LoadingIntoANodeReplacesChildrenAndStates)
{
	SmartPointer<BaseNode> root = loadText(richScene);
	const std::string replacement = "<SceneNode Type=\"BaseNode\">" + named("only") + "</SceneNode>";
	SmartPointer<CXMLReader> reader = readerOn(replacement, L"SceneNode");
	root->load(reader.get(), NodeFactory::instance());
	EXPECT_EQ(shape(root.get()), "only");
	EXPECT_TRUE(root->getStates().empty());
	EXPECT_TRUE(root->getDefaultState().isEmpty());
}

// Scene files read through the content manager from a folder.
class SceneContentTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		registerSceneClasses();
		fileSystem = createFileSystem();
		processors = new CContentProcessorsManager(nullptr, nullptr, fileSystem.get(), NodeFactory::instance());
		manager = new CContentManager(nullptr, fileSystem.get(), processors.get());
	}
	void TearDown() override
	{
		manager = nullptr;
		processors = nullptr;
		fileSystem = nullptr;
	}

	SmartPointer<BaseNode> get(const std::string& name)
	{
		ContentObject* object = manager->getContent(ContentTypeSceneNode, name.c_str(), false);
		return SmartPointer<BaseNode>(dynamic_cast<BaseNode*>(object));
	}

	TempDir dir;
	SmartPointer<IFileSystem> fileSystem;
	SmartPointer<CContentProcessorsManager> processors;
	SmartPointer<CContentManager> manager;
};

TEST_F(SceneContentTest, FileReferencesResolveNextToTheFileAndSaveInFull)
{
	dir.write("ui/part.qscn", named("part", named("inner").c_str()));
	const std::string main =
	    dir.write("ui/main.qscn", "<SceneNode Type=\"BaseNode\">" + named("a") + "<SceneNode File=\"part.qscn\"/>" +
	                                  named("b") + "</SceneNode>");
	LogCapture log;
	SmartPointer<BaseNode> root = get(main);
	ASSERT_NE(root.get(), nullptr);
	EXPECT_EQ(shape(root.get()), "a,part(inner),b");
	EXPECT_TRUE(log.contains("Loaded scene node", 0));
	const std::string saved = saveText(root.get());
	EXPECT_EQ(saved.find("File"), std::string::npos);
	SmartPointer<BaseNode> again = loadText(saved);
	EXPECT_EQ(shape(again.get()), "a,part(inner),b");
}

// Names beyond ASCII (UTF-8 here) in a file without a byte-order mark: the referenced file opens by the
// UTF-8 bytes of its name, node names keep their characters, and a saved copy reads back the same.
TEST_F(SceneContentTest, NonAsciiFileAndNodeNamesSurviveLoadingAndSaving)
{
	dir.write("ui/piezas/p\u00e1gina.qscn", named("se\u00f1al", named("\u20ac").c_str()));
	const std::string main = dir.write("ui/main.qscn", "<SceneNode Type=\"BaseNode\">" + named("a") +
	                                                       "<SceneNode File=\"piezas/p\u00e1gina.qscn\"/></SceneNode>");
	SmartPointer<BaseNode> root = get(main);
	ASSERT_NE(root.get(), nullptr);
	const std::string expected = "a,se\u00f1al(\u20ac)";
	EXPECT_EQ(shape(root.get()), expected);
	SmartPointer<BaseNode> again = loadText(saveText(root.get()));
	EXPECT_EQ(shape(again.get()), expected);
}

TEST_F(SceneContentTest, ProcessorSavesWhatItLoads)
{
	const std::string path = dir.write("scene.qscn", richScene);
	SmartPointer<BaseNode> root = get(path);
	ASSERT_NE(root.get(), nullptr);
	const std::string out = dir.file("saved.qscn");
	ASSERT_TRUE(manager->saveContent(ContentTypeSceneNode, root.get(), out.c_str(), nullptr));
	SmartPointer<BaseNode> back = get(out);
	ASSERT_NE(back.get(), nullptr);
	EXPECT_EQ(saveText(back.get()), saveText(root.get()));
}

TEST_F(SceneContentTest, UnknownRootGivesNothing)
{
	const std::string path = dir.write("bad.qscn", "<SceneNode Type=\"Nope\"><Junk/></SceneNode>");
	EXPECT_EQ(get(path).get(), nullptr);
}

TEST_F(SceneContentTest, RootClassOverrideWinsWhenRegistered)
{
	const std::string path = dir.write("override.qscn", "<SceneNode ClassOverride=\"ControlNode\" Type=\"BaseNode\"/>");
	SmartPointer<BaseNode> root = get(path);
	ASSERT_NE(root.get(), nullptr);
	EXPECT_EQ(root->typeId(), NodeTypeControlNode);
}

TEST_F(SceneContentTest, TemplateCollectionsAreSharedNotCloned)
{
	const std::string path = dir.write("templates.qscn", "<SceneNode Type=\"TemplateCollectionNode\">" + named("A") +
															 "</SceneNode>");
	SmartPointer<BaseNode> first = get(path);
	SmartPointer<BaseNode> second = get(path);
	ASSERT_NE(first.get(), nullptr);
	EXPECT_EQ(first.get(), second.get());
	SmartPointer<BaseNode> scene = get(dir.write("scene.qscn", named("s")));
	SmartPointer<BaseNode> sceneAgain = get(dir.file("scene.qscn"));
	EXPECT_NE(scene.get(), sceneAgain.get());
}
