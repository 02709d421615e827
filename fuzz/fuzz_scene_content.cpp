// Reads scene files through a real content manager with the engine's and the game's node classes
// registered: a main scene, a template collection and two parts the others may reference by file.
// The main scene is shown in a scene manager with those templates, handed some input, animated,
// cloned and saved.
#include "app/GameNodeClasses.h"
#include "content/CContentManager.h"
#include "content/CContentProcessorsManager.h"
#include "content/CFileSystem.h"
#include "content/CMemoryFile.h"
#include "content/CVirtualFile.h"
#include "content/CXMLWriter.h"
#include "content/IArchive.h"
#include "content/IArchiveLoader.h"
#include "core/InputEvents.h"
#include "core/SmartPointer.h"
#include "core/TaskScheduler.h"
#include "scene/NodeFactory.h"
#include "scene/SceneManager.h"
#include "scene/SceneNode.h"
#include "scene/TemplateCollectionNode.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace
{
// The files a fuzz input is cut into, in order, at each separator line.
const char* const fileNames[] = {"fuzzscenes/Main.qscn", "fuzzscenes/Templates.qscn", "fuzzscenes/parts/Part.qscn",
                                 "fuzzscenes/parts/More.qscn"};
const char separator[] = "\n----\n";

// Serves the parts of one input as files.
class InputArchive : public IArchive
{
public:
	InputArchive(const uint8_t* data, size_t size)
	{
		std::string text(reinterpret_cast<const char*>(data), size);
		size_t start = 0;
		for (const char* name : fileNames)
		{
			const size_t end = text.find(separator, start);
			SArchiveEntry entry;
			entry.keyName = name;
			entry.storedName = name;
			entries.push_back(entry);
			contents.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
			if (end == std::string::npos)
				break;
			start = end + sizeof(separator) - 1;
		}
	}

	const irr::core::stringc& getArchivePath() const override { return path; }
	const irr::core::stringc& getArchiveType() const override { return path; }
	irr::u32 getFileCount() const override { return static_cast<irr::u32>(entries.size()); }
	IReadFile* openFile(irr::s32 index) override
	{
		if (index < 0 || static_cast<size_t>(index) >= entries.size())
			return nullptr;
		const std::string& content = contents[static_cast<size_t>(index)];
		char* copy = new char[content.size() + 1];
		std::memcpy(copy, content.data(), content.size());
		return new CMemoryFile(copy, static_cast<long>(content.size()), entries[static_cast<size_t>(index)].keyName,
		                       true);
	}
	irr::s32 findFile(const irr::core::stringc& name) override
	{
		for (size_t i = 0; i < entries.size(); ++i)
		{
			if (entries[i].keyName == name)
				return static_cast<irr::s32>(i);
		}
		return -1;
	}
	const SArchiveEntry* getFileEntry(irr::u32 index) const override
	{
		return index < entries.size() ? &entries[index] : nullptr;
	}

private:
	irr::core::stringc path{"fuzz input"};
	std::vector<SArchiveEntry> entries;
	std::vector<std::string> contents;
};

// Makes an input archive of the one input being read.
class InputArchiveLoader : public IArchiveLoader
{
public:
	bool isLoadableFile(IReadFile*) const override { return false; }
	bool isLoadableFileExtension(const irr::core::stringc& name) const override { return name == "fuzz.input"; }
	IArchive* createArchive(IReadFile*, bool, bool) const override { return nullptr; }
	IArchive* createArchive(const irr::core::stringc&, bool, bool) const override
	{
		return new InputArchive(data, size);
	}
	const uint8_t* data = nullptr;
	size_t size = 0;
};

void runScene(SceneManager* manager, TaskScheduler* drain, const uint8_t* data, size_t size)
{
	for (int step = 0; step < 12; ++step)
	{
		const uint8_t a = size ? data[(step * 7) % size] : 0;
		const uint8_t b = size ? data[(step * 13 + 5) % size] : 0;
		const int x = a * 4, y = b * 3;
		SmartPointer<CEvent> input;
		switch (step % 4)
		{
		case 0:
			input = SmartPointer<CEvent>(new CEventInputMouseMove(x, y));
			break;
		case 1:
			input = SmartPointer<CEvent>(new CEventInputMouseLeftDown(x, y));
			break;
		case 2:
			input = SmartPointer<CEvent>(new CEventInputMouseLeftUp(x, y));
			break;
		default:
			input = SmartPointer<CEvent>(new CEventInputKeyDown(0, 37 + a % 5, false, false));
			break;
		}
		manager->deliverEvent(DeliverChildrenThenSelf, input.get());
		if (SceneNode* top = manager->getTopScene())
		{
			SmartPointer<TaskScheduler> scheduler(shareRef(top->getTaskScheduler()));
			if (scheduler)
				scheduler->update(40);
		}
		drain->update(40);
	}
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	static const bool registered = []
	{
		registerGameNodeClasses();
		return true;
	}();
	(void)registered;

	SmartPointer<CFileSystem> fileSystem(new CFileSystem());
	SmartPointer<InputArchiveLoader> loader(new InputArchiveLoader());
	loader->data = data;
	loader->size = size;
	fileSystem->addArchiveLoader(loader.get());
	fileSystem->addArchive("fuzz.input", false, false);
	SmartPointer<CContentProcessorsManager> processors(
	    new CContentProcessorsManager(nullptr, nullptr, fileSystem.get(), NodeFactory::instance()));
	SmartPointer<CContentManager> content(new CContentManager(nullptr, fileSystem.get(), processors.get()));

	SmartPointer<TaskScheduler> drain(new TaskScheduler());
	SmartPointer<SceneManager> manager(new SceneManager(ContentRef(content.get(), "")));
	manager->setScheduler(drain.get());
	{
		SmartPointer<BaseNode> templates(content->getSceneNode(fileNames[1], false));
		manager->setTemplateCollection(nodeCast<TemplateCollectionNode>(templates.get()));
	}

	SmartPointer<BaseNode> main(content->getSceneNode(fileNames[0], false));
	if (main)
	{
		SmartPointer<SceneNode> scene(shareRef(nodeCast<SceneNode>(main.get())));
		if (!scene)
		{
			scene = SmartPointer<SceneNode>(new SceneNode(ContentRef(content.get(), "")));
			scene->addChild(main.get());
		}
		manager->showScene(scene.get());
		runScene(manager.get(), drain.get(), data, size);

		SmartPointer<CVirtualFile> file(new CVirtualFile("fuzz-out.qscn"));
		SmartPointer<CXMLWriter> writer(new CXMLWriter(file.get()));
		scene->save(writer.get());
		SmartPointer<BaseNode> again(content->getSceneNode(fileNames[0], false));
	}
	manager->showScene(nullptr);
	drain->update(40);
	drain->update(40);
	manager->setTemplateCollection(nullptr);
	manager = nullptr;
	content->releaseAllContent();
	return 0;
}
