#include "ToolTestSupport.h"
#include "audio/CNullAudioDevice.h"
#include "audio/CSoundCue.h"
#include "audio/SoundPack.h"
#include "content/CBitmapFont.h"
#include "content/CXMLReader.h"
#include "content/IArchive.h"
#include "content/ImageContent.h"
#include "core/StringId.h"
#include "engine/audio/FakeSound.h"
#include "engine/content/AtlasTestSupport.h"
#include "support/LogCapture.h"

#include <filesystem>
#include <fstream>
#include <irrlicht/IImage.h>
#include <sstream>

namespace fs = std::filesystem;

// The content set the build generated in bin/assets, loaded as the game loads it.
namespace
{
const char* const ArchiveKey = "qwhtrz7e2k5518301)#~#4412pm93vnexlkcuehtkrgbnr8pm3p5x7klqaf";

std::string assetsFolder()
{
	return builtProgramsFolder() + "/assets";
}

// Every file of the folder with the given extension, by path inside the assets folder.
std::vector<std::string> assetFiles(const std::string& folder, const std::string& extension)
{
	std::vector<std::string> names;
	std::error_code code;
	for (fs::directory_iterator it(assetsFolder() + "/" + folder, code), end; !code && it != end; it.increment(code))
		if (it->path().extension() == extension)
			names.push_back(folder + "/" + it->path().filename().string());
	std::sort(names.begin(), names.end());
	return names;
}

std::string readFile(const std::string& path)
{
	std::ifstream in(path, std::ios::binary);
	std::ostringstream text;
	text << in.rdbuf();
	return text.str();
}

class ContentSetTest : public NullDriverTest
{
protected:
	template <class T> SmartPointer<T> load(ContentType type, const std::string& name)
	{
		ContentObject* object = content.manager->getContent(type, (assetsFolder() + "/" + name).c_str(), false);
		T* typed = dynamic_cast<T*>(object);
		if (object && !typed)
			object->drop();
		return SmartPointer<T>(typed);
	}
	LogCapture log;
};
} // namespace

TEST_F(ContentSetTest, CursorIsAPictureWithItsTipAtTheHotSpot)
{
	SmartPointer<ImageContent> cursor = load<ImageContent>(ContentTypeImage, "scenes/images/Cursor.png");
	ASSERT_TRUE(cursor);
	irr::video::IImage* image = cursor->getImage();
	ASSERT_TRUE(image);
	EXPECT_EQ(image->getDimension(), irr::core::dimension2du(32, 32));
	EXPECT_GT(image->getPixel(3, 4).getAlpha(), 200u);
	EXPECT_EQ(image->getPixel(31, 0).getAlpha(), 0u);
	EXPECT_EQ(image->getPixel(0, 31).getAlpha(), 0u);
	EXPECT_EQ(log.problemCount(), 0u) << log.dump();
}

TEST_F(ContentSetTest, WindowIconIsASquarePicture)
{
	SmartPointer<ImageContent> icon = load<ImageContent>(ContentTypeImage, "icon.png");
	ASSERT_TRUE(icon);
	ASSERT_TRUE(icon->getImage());
	EXPECT_EQ(icon->getImage()->getDimension(), irr::core::dimension2du(64, 64));
}

TEST_F(ContentSetTest, MainMenuAtlasHoldsTheInterfacePictures)
{
	SmartPointer<AtlasTextureCollection> list =
	    load<AtlasTextureCollection>(ContentTypeAtlasTextureCollection, "atlases/MainMenu.xml");
	ASSERT_TRUE(list);
	EXPECT_EQ(log.problemCount(), 0u) << log.dump();
	struct Expected
	{
		const char* name;
		irr::core::dimension2df uncut;
	};
	const Expected frames[] = {
	    {"scenes/images/UI/ButtonNormal.png", {160, 48}},  {"scenes/images/UI/ButtonHover.png", {160, 48}},
	    {"scenes/images/UI/ButtonPressed.png", {160, 48}}, {"scenes/images/UI/ButtonDisabled.png", {160, 48}},
	    {"scenes/images/UI/ButtonFocused.png", {160, 48}}, {"scenes/images/UI/Panel.png", {96, 96}},
	    {"scenes/images/UI/Frame.png", {96, 96}},
	};
	for (const Expected& expected : frames)
	{
		ContentObject* cached =
		    content.manager->findCachedContent(ContentTypeAtlasTexture, ContentRef(content.manager, expected.name));
		AtlasTexture* frame = dynamic_cast<AtlasTexture*>(cached);
		ASSERT_TRUE(frame) << expected.name;
		// All states of a control measure the same, so they swap in place.
		EXPECT_EQ(frame->getUncutSize(), expected.uncut) << expected.name;
	}
}

TEST_F(ContentSetTest, EveryFontLoadsWithLatin1)
{
	const std::vector<std::string> fonts = assetFiles("scenes/fonts", ".qfnt");
	ASSERT_FALSE(fonts.empty());
	EXPECT_NE(std::find(fonts.begin(), fonts.end(), "scenes/fonts/arial_14_crisp.qfnt"), fonts.end());
	for (const std::string& name : fonts)
	{
		SmartPointer<CFont> font = load<CFont>(ContentTypeFont, name);
		ASSERT_TRUE(font) << name;
		EXPECT_EQ(font->getGlyphCount(), 191u) << name;
		ASSERT_EQ(font->getPageCount(), 1u) << name;
		EXPECT_TRUE(font->getPage(0)) << name;
		EXPECT_GT(font->getLineHeight(), font->getOriginalSize()) << name;
	}
	EXPECT_EQ(log.problemCount(), 0u) << log.dump();
}

TEST(ContentSet, EverySoundDecodesAndIsHeard)
{
	std::vector<std::string> sounds = assetFiles("sounds", ".wav");
	const std::vector<std::string> ogg = assetFiles("sounds", ".ogg");
	sounds.insert(sounds.end(), ogg.begin(), ogg.end());
	ASSERT_GE(sounds.size(), 4u);
	for (const std::string& name : sounds)
	{
		SmartPointer<CSoundStream> stream = decodeSoundFile(assetsFolder() + "/" + name);
		ASSERT_TRUE(stream) << name;
		const std::vector<int16_t> samples = readAllSamples(stream.get());
		ASSERT_FALSE(samples.empty()) << name;
		int peak = 0;
		for (int16_t sample : samples)
			peak = std::max(peak, std::abs(static_cast<int>(sample)));
		EXPECT_GT(peak, 8000) << name;
	}
	SmartPointer<CSoundStream> music = decodeSoundFile(assetsFolder() + "/sounds/MenuMusic.ogg");
	ASSERT_TRUE(music);
	// Sixteen bars of four beats at 112 per minute.
	EXPECT_NEAR(static_cast<double>(music->getLength()) / music->getSampleRate(), 64 * 60.0 / 112, 0.01);
}

TEST(ContentSet, SoundPackNamesOnlySoundsThatExist)
{
	const std::string text = readFile(assetsFolder() + "/sounds/SoundPack.xml");
	ASSERT_FALSE(text.empty());
	SmartPointer<CNullAudioDevice> device(createNullAudioDevice());
	SmartPointer<CXMLReader> reader(new CXMLReader(text.data(), text.size()));
	SmartPointer<SoundPack> pack(new SoundPack());
	std::vector<std::string> missing;
	pack->load(
	    reader.get(),
	    [&](const char* name) -> ISound*
	    {
		    if (!decodeSoundFile(assetsFolder() + "/sounds/" + name))
			    missing.push_back(name);
		    return new FakeSound(name);
	    },
	    device.get());
	EXPECT_TRUE(missing.empty()) << missing.front();
	std::vector<std::string> names;
	for (const SmartPointer<CSoundCue>& cue : pack->getCues())
	{
		names.push_back(getStringById(cue->getName()).c_str());
		EXPECT_EQ(cue->getVariants().size(), 1u) << names.back();
	}
	for (const char* cue : {"ButtonClick", "MenuMusic", "AchievementUnlocked"})
		EXPECT_NE(std::find(names.begin(), names.end(), cue), names.end()) << cue;
}

TEST(ContentSet, ArchiveHoldsTheAssetsFolder)
{
	SmartPointer<IFileSystem> files(createFileSystem());
	files->setAssetsCryptKey(ArchiveKey);
	IArchive* archive = files->addArchive((builtProgramsFolder() + "/assets.qca").c_str(), false, false);
	ASSERT_TRUE(archive);
	size_t onDisk = 0;
	for (const fs::directory_entry& entry : fs::recursive_directory_iterator(assetsFolder()))
		onDisk += entry.is_regular_file() ? 1 : 0;
	EXPECT_EQ(archive->getFileCount(), onDisk);
	SmartPointer<IReadFile> cursor(archive->openFile(irr::core::stringc("scenes/images/Cursor.png")));
	ASSERT_TRUE(cursor);
	std::string bytes(static_cast<size_t>(cursor->getSize()), '\0');
	cursor->read(bytes.data(), static_cast<irr::u32>(bytes.size()));
	EXPECT_EQ(bytes, readFile(assetsFolder() + "/scenes/images/Cursor.png"));
}
