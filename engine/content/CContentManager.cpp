#include "CContentManager.h"

#include "content/AtlasTexture.h"
#include "content/CContentProcessorsManager.h"
#include "content/CTexture.h"
#include "content/IContentProcessor.h"
#include "content/IFileSystem.h"
#include "content/IReadFile.h"
#include "content/IWriteFile.h"
#include "content/ImageContent.h"
#include "content/PathUtils.h"
#include "core/DeviceEvents.h"
#include "core/ILogger.h"
#include "scene/BaseNode.h"

#include <algorithm>
#include <irrlicht/IVideoDriver.h>
#include <vector>

using irr::core::stringc;

const EventMap& CContentManager::eventMap()
{
	static const EventMap table = extendEventMap(
	    rootEventMap(),
	    {{CEventDeviceReset::TypeId,
	      &eventHandler<CContentManager, CEventDeviceReset, &CContentManager::onDeviceReset>},
	     {CEventDeviceVideoDriverCreated::TypeId,
	      &eventHandler<CContentManager, CEventDeviceVideoDriverCreated, &CContentManager::onVideoDriverCreated>}});
	return table;
}

CContentManager::CContentManager(irr::video::IVideoDriver* driver, IFileSystem* fs,
                                 CContentProcessorsManager* processors)
    : fileSystem(shareRef(fs)), processorsManager(shareRef(processors))
{
	mask |= EventCategoryDevice;
	setVideoDriver(driver);
	folders.push_back(stringc());
}

CContentManager::~CContentManager()
{
	dropPreparedImages();
	releaseAllContent();
	fileSystem = nullptr;
	setVideoDriver(nullptr);
	processorsManager = nullptr;
}

bool CContentManager::onEvent(CEvent* event)
{
	return dispatchThroughTable(eventMap(), event);
}

bool CContentManager::onDeviceReset(CEventDeviceReset*)
{
	setVideoDriver(nullptr);
	return false;
}

bool CContentManager::onVideoDriverCreated(CEventDeviceVideoDriverCreated* event)
{
	setVideoDriver(event->driver);
	return false;
}

bool CContentManager::sendToChildren(int, CEvent* event)
{
	if (!processorsManager)
		return false;
	struct Target
	{
		IContentProcessor* processor;
		ContentMap* objects;
		int priority;
	};
	std::vector<Target> targets;
	for (auto& entry : cache)
	{
		if (entry.second.empty())
			continue;
		if (IContentProcessor* processor = processorsManager->findProcessor(entry.first))
			targets.push_back({processor, &entry.second, processor->getPriority()});
	}
	std::stable_sort(targets.begin(), targets.end(),
	                 [](const Target& a, const Target& b) { return a.priority < b.priority; });
	// Per-type maps are never erased, so the collected pointers stay valid through every call.
	for (const Target& target : targets)
		target.processor->processAll(event, *target.objects);
	return false;
}

ContentObject* CContentManager::getContentFromFile(ContentType type, IReadFile* file)
{
	if (!file)
		return nullptr;
	return requestContent(type, ContentRef(this, file->getFileName().c_str()), file);
}

ContentObject* CContentManager::getContent(ContentType type, const stringc& name, bool relative)
{
	if (name.size() == 0)
		return nullptr;
	const ContentRef reference(this, (relative ? resolvePath(name) : name).c_str());
	if (ContentObject* cached = findCachedContent(type, reference))
		return handOut(cached);
	if (!fileSystem)
		return nullptr;
	IReadFile* file = fileSystem->createAndOpenFile(reference.getName());
	if (!file)
		return nullptr;
	const LoadResult loaded = loadContent(type, reference, file);
	file->drop();
	return loaded.cached ? handOut(loaded.object) : loaded.object;
}

AtlasTexture* CContentManager::getAtlasTexture(const stringc& name, bool relative)
{
	ContentObject* content = getContent(ContentTypeAtlasTexture, name, relative);
	AtlasTexture* frame = dynamic_cast<AtlasTexture*>(content);
	if (content && !frame)
		content->drop();
	return frame;
}

BaseNode* CContentManager::getSceneNode(const stringc& name, bool relative)
{
	ContentObject* content = getContent(ContentTypeSceneNode, name, relative);
	BaseNode* node = dynamic_cast<BaseNode*>(content);
	if (content && !node)
		content->drop();
	return node;
}

ContentObject* CContentManager::requestContent(ContentType type, const ContentRef& reference, IReadFile* file)
{
	if (ContentObject* cached = findCachedContent(type, reference))
		return handOut(cached);
	const LoadResult loaded = loadContent(type, reference, file);
	return loaded.cached ? handOut(loaded.object) : loaded.object;
}

CContentManager::LoadResult CContentManager::loadContent(ContentType type, const ContentRef& reference, IReadFile* file)
{
	IContentProcessor* processor = processorsManager ? processorsManager->findProcessor(type) : nullptr;
	if (!processor)
	{
		const stringc hint = stringc("IContentProcessor for the content ") + reference.getName() + " and type #" +
		                     contentTypeToText(type) + " not found";
		getLogger()->log("CContentManager", hint.c_str(), 1);
		return {nullptr, false};
	}
	const std::pair<ContentType, int> key(type, reference.getNameId());
	if (!loading.insert(key).second)
	{
		const stringc hint = stringc("The content ") + reference.getName() + " of type #" + contentTypeToText(type) +
		                     " requests itself while it loads";
		getLogger()->log("CContentManager", hint.c_str(), 1);
		return {nullptr, false};
	}
	ContentObject* object = processor->load(this, file, reference);
	loading.erase(key);
	if (!object)
		return {nullptr, false};
	// Taken by the cache: the cache's reference becomes the only one and the caller gets
	// the object or a clone by its flags. Refused: the caller keeps the loader's reference.
	if (!addContent(object))
		return {object, false};
	object->drop();
	return {object, true};
}

ContentObject* CContentManager::handOut(ContentObject* cached)
{
	if (cached->getContentFlags() & ContentShared)
	{
		cached->grab();
		return cached;
	}
	return cached->cloneContent();
}

ContentObject* CContentManager::findCachedContent(ContentType type, const ContentRef& reference) const
{
	auto typeEntry = cache.find(type);
	if (typeEntry == cache.end())
		return nullptr;
	auto entry = typeEntry->second.find(reference.getNameId());
	return entry == typeEntry->second.end() ? nullptr : entry->second;
}

bool CContentManager::saveContent(ContentType type, ContentObject* object, const stringc& fileName, void* saveParameter)
{
	IContentProcessor* processor = processorsManager ? processorsManager->findProcessor(type) : nullptr;
	if (!processor)
	{
		const stringc hint = stringc("IContentProcessor for saving the content ") + fileName + " of type #" +
		                     contentTypeToText(type) + " not found";
		getLogger()->log("CContentManager", hint.c_str(), 1);
		return false;
	}
	// Checked before the file is made, so a missing object leaves no empty file behind.
	if (!object || !fileSystem)
		return false;
	IWriteFile* file = fileSystem->createAndWriteFile(fileName, false);
	if (!file)
		return false;
	const bool saved = processor->save(this, object, file, saveParameter);
	file->drop();
	return saved;
}

bool CContentManager::addContentAs(const ContentRef& reference, ContentObject* object)
{
	return object && insert(object->getContentType(), reference.getNameId(), object);
}

bool CContentManager::addContent(ContentObject* object)
{
	return object && insert(object->getContentType(), object->getContentRef().getNameId(), object);
}

bool CContentManager::insert(ContentType type, int nameId, ContentObject* object)
{
	if (!cachingEnabled || (object->getContentFlags() & ContentNeverCached))
		return false;
	ContentMap& objects = cache[type];
	if (!objects.emplace(nameId, object).second)
		return false;
	object->grab();
	return true;
}

void CContentManager::removeContent(ContentObject* object)
{
	if (!object)
		return;
	auto typeEntry = cache.find(object->getContentType());
	if (typeEntry == cache.end())
		return;
	auto entry = typeEntry->second.find(object->getContentRef().getNameId());
	if (entry == typeEntry->second.end())
		return;
	ContentObject* cached = entry->second;
	typeEntry->second.erase(entry);
	cached->drop();
}

void CContentManager::releaseUnusedContent()
{
	// Repeated until nothing goes: a released template may have held the last outside
	// reference of another cached object (an atlas frame its page texture).
	std::vector<ContentObject*> unused;
	do
	{
		unused.clear();
		for (auto& typeEntry : cache)
		{
			ContentMap& objects = typeEntry.second;
			for (auto entry = objects.begin(); entry != objects.end();)
			{
				if (entry->second->getReferenceCount() == 1)
				{
					unused.push_back(entry->second);
					entry = objects.erase(entry);
				}
				else
					++entry;
			}
		}
		// Dropped after the walk: a destructor may call back into the cache.
		for (ContentObject* object : unused)
			object->drop();
	} while (!unused.empty());
}

void CContentManager::releaseAllContent()
{
	// The per-type maps stay (emptied), so a broadcast in progress keeps valid map references.
	bool any = true;
	while (any)
	{
		any = false;
		for (auto& typeEntry : cache)
		{
			if (typeEntry.second.empty())
				continue;
			any = true;
			ContentMap released;
			released.swap(typeEntry.second);
			for (auto& entry : released)
				entry.second->drop();
		}
	}
}

void CContentManager::addPreparedImage(const ContentRef& reference, ImageContent* image)
{
	if (!image)
		return;
	auto entry = preparedImages.emplace(reference.getNameId(), image);
	if (!entry.second)
	{
		entry.first->second->drop();
		entry.first->second = image;
	}
}

ImageContent* CContentManager::takePreparedImage(const ContentRef& reference)
{
	auto entry = preparedImages.find(reference.getNameId());
	if (entry == preparedImages.end())
		return nullptr;
	ImageContent* image = entry->second;
	preparedImages.erase(entry);
	return image;
}

void CContentManager::addPreparedTexture(const ContentRef& reference, CTexture* texture,
                                         const irr::core::dimension2du& pictureSize)
{
	if (!texture)
		return;
	auto entry = preparedTextures.emplace(reference.getNameId(), std::make_pair(texture, pictureSize));
	if (!entry.second)
	{
		entry.first->second.first->drop();
		entry.first->second = std::make_pair(texture, pictureSize);
	}
}

CTexture* CContentManager::takePreparedTexture(const ContentRef& reference, irr::core::dimension2du& pictureSize)
{
	auto entry = preparedTextures.find(reference.getNameId());
	if (entry == preparedTextures.end())
		return nullptr;
	CTexture* texture = entry->second.first;
	pictureSize = entry->second.second;
	preparedTextures.erase(entry);
	return texture;
}

void CContentManager::dropPreparedImages()
{
	for (auto& entry : preparedImages)
		entry.second->drop();
	preparedImages.clear();
	for (auto& entry : preparedTextures)
		entry.second.first->drop();
	preparedTextures.clear();
}

size_t CContentManager::getCachedCount(ContentType type) const
{
	auto typeEntry = cache.find(type);
	return typeEntry == cache.end() ? 0 : typeEntry->second.size();
}

void CContentManager::pushFolder(const stringc& fileName)
{
	folders.push_back(fileName);
}

void CContentManager::popFolder()
{
	if (folders.size() > 1)
		folders.erase(folders.size() - 1);
}

stringc CContentManager::resolvePath(const stringc& name) const
{
	return flattenPath(folders.getLast(), name);
}

stringc CContentManager::getRelativePath(const stringc& name) const
{
	return ::getRelativePath(folders.getLast(), name);
}

void CContentManager::setVideoDriver(irr::video::IVideoDriver* driver)
{
	if (driver)
		driver->grab();
	if (videoDriver)
		videoDriver->drop();
	videoDriver = driver;
}
