#pragma once

#include "content/CContentManager.h"
#include "content/CContentProcessorsManager.h"
#include "content/CMemoryFile.h"
#include "content/IContentProcessor.h"
#include "content/IFileSystem.h"
#include "content/IReadFile.h"
#include "content/IWriteFile.h"
#include "core/DeviceEvents.h"

#include <map>
#include <sstream>
#include <string>
#include <vector>

// Event 11 has no engine class; receivers only need its id and mask.
class TestAudioReleasedEvent : public CEventDevice
{
	ENGINE_EVENT_TYPE(EventIdDeviceAudioDriverReleased, CEventDevice)
};

// Files held in memory by name; records every name asked for, so tests can count reads.
class FakeFileSystem : public IFileSystem
{
public:
	std::map<std::string, std::string> files;
	std::vector<std::string> opened;
	bool writable = true;

	int openCount(const std::string& name) const
	{
		int n = 0;
		for (const std::string& o : opened)
			n += o == name;
		return n;
	}

	IReadFile* createAndOpenFile(const irr::core::stringc& name) override
	{
		opened.push_back(name.c_str());
		auto it = files.find(name.c_str());
		if (it == files.end())
			return nullptr;
		char* copy = new char[it->second.size() + 1];
		it->second.copy(copy, it->second.size());
		return new CMemoryFile(copy, static_cast<long>(it->second.size()), name, true);
	}

	// Appends to files[name] as it is written.
	class WriteFile : public IWriteFile
	{
	public:
		WriteFile(std::string& t, const irr::core::stringc& n) : target(t), name(n) {}
		irr::s32 write(const void* buffer, irr::u32 size) override
		{
			target.append(static_cast<const char*>(buffer), size);
			return static_cast<irr::s32>(size);
		}
		bool seek(long, bool) override { return false; }
		long getPos() const override { return static_cast<long>(target.size()); }
		const irr::core::stringc& getFileName() const override { return name; }

	private:
		std::string& target;
		irr::core::stringc name;
	};

	IWriteFile* createAndWriteFile(const irr::core::stringc& name, bool) override
	{
		if (!writable)
			return nullptr;
		std::string& target = files[name.c_str()];
		target.clear();
		return new WriteFile(target, name);
	}

	bool existFile(const irr::core::stringc& name, bool) override { return files.count(name.c_str()) != 0; }
	bool removeFile(const irr::core::stringc&) override { return false; }
	bool renameFile(const irr::core::stringc&, const irr::core::stringc&) override { return false; }
	irr::core::stringc getUniqueFileName(const irr::core::stringc&, const irr::core::stringc& prefix) override
	{
		return prefix;
	}
	IReadFile* createMemoryReadFile(void*, long, const irr::core::stringc&, bool) override { return nullptr; }
	IWriteFile* createMemoryWriteFile(void*, long, const irr::core::stringc&, bool) override { return nullptr; }
	IArchive* addArchive(IReadFile*, bool, bool) override { return nullptr; }
	IArchive* addArchive(const irr::core::stringc&, bool, bool) override { return nullptr; }
	void removeArchive(IArchive*) override {}
	irr::u32 getArchiveCount() const override { return 0; }
	IArchive* getArchive(irr::u32) const override { return nullptr; }
	void addArchiveLoader(IArchiveLoader*) override {}
	CXMLReader* createXMLReader(IReadFile*) override { return nullptr; }
	CXMLReader* createXMLReader(const irr::core::stringc&) override { return nullptr; }
	CXMLWriter* createXMLWriter(IWriteFile*) override { return nullptr; }
	CXMLWriter* createXMLWriter(const irr::core::stringc&) override { return nullptr; }
	IFileList* createFileList() override { return nullptr; }
	irr::core::stringc getAbsolutePath(const irr::core::stringc& name) const override { return name; }
	irr::core::stringc getWorkingDirectory() override { return "/"; }
	bool changeWorkingDirectory(const irr::core::stringc&) override { return false; }
	irr::core::stringc getUserDataFolder() override { return "/user"; }
	irr::core::stringc getCommonDataFolder() override { return "/common"; }
	void setAssetsCryptKey(const irr::core::stringc&) override {}
};

// Test content: the text of its file, the objects it requested while it was read, and a live count.
class FakeContent : public ContentObject
{
public:
	FakeContent(const ContentRef& reference, ContentType t, int flags, std::string body)
	    : ContentObject(reference), type(t), text(std::move(body))
	{
		contentFlags = flags;
		++alive;
	}
	FakeContent(const FakeContent& other)
	    : ReferenceCounted(), ContentObject(other), type(other.type), text(other.text), cloneOf(&other),
	      parts(other.parts)
	{
		for (ContentObject* part : parts)
			if (part)
				part->grab();
		++alive;
	}
	~FakeContent() override
	{
		for (ContentObject* part : parts)
			if (part)
				part->drop();
		--alive;
	}

	ContentObject* cloneContent() override { return new FakeContent(*this); }
	ContentType getContentType() const override { return type; }

	ContentType type;
	std::string text;
	const FakeContent* cloneOf = nullptr;
	// Owned references to the content requested while this one was read.
	std::vector<ContentObject*> parts;

	static inline int alive = 0;
};

// Processor of one test type. A file's text is its content; lines "include NAME" request NAME
// relative to the file, the way scene files name their children.
class FakeProcessor : public IContentProcessor
{
public:
	FakeProcessor(ContentType t, int flags, int priority = 0, unsigned eventMask = 0)
	    : type(t), contentFlags(flags), priorityValue(priority)
	{
		mask = eventMask;
	}

	int getPriority() const override { return priorityValue; }
	ContentType getContentType() const override { return type; }

	ContentObject* load(CContentManager* manager, IReadFile* file, const ContentRef& reference) override
	{
		++loads;
		if (failLoads)
			return nullptr;
		std::string body(static_cast<size_t>(file->getSize()), '\0');
		file->read(body.data(), static_cast<irr::u32>(body.size()));
		FakeContent* content = new FakeContent(reference, type, contentFlags, body);
		manager->pushFolder(file->getFileName());
		std::istringstream lines(body);
		std::string line;
		while (std::getline(lines, line))
		{
			if (line.rfind("include ", 0) == 0)
				content->parts.push_back(manager->getContent(type, line.substr(8).c_str(), true));
		}
		manager->popFolder();
		return content;
	}

	bool save(CContentManager*, ContentObject* object, IWriteFile* file, void* saveParameter) override
	{
		lastSaveParameter = saveParameter;
		const std::string& text = static_cast<FakeContent*>(object)->text;
		return file->write(text.data(), static_cast<irr::u32>(text.size())) == static_cast<irr::s32>(text.size());
	}

	void processAll(CEvent* event, ContentMap& objects) override
	{
		calls.push_back({type, event->typeId(), objects.size()});
	}

	bool onVideoDriverCreated(CEventDeviceVideoDriverCreated*) override
	{
		++deviceEvents;
		return false;
	}

	struct ProcessAllCall
	{
		ContentType type;
		int eventId;
		size_t objectCount;
	};
	// Shared by every fake processor, so the order across processors shows.
	static inline std::vector<ProcessAllCall> calls;

	ContentType type;
	int contentFlags;
	int priorityValue;
	int loads = 0;
	int deviceEvents = 0;
	bool failLoads = false;
	void* lastSaveParameter = nullptr;
};
