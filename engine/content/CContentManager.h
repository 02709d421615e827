#pragma once

#include "content/IContentManager.h"
#include "core/SmartPointer.h"

#include <irrlicht/dimension2d.h>
#include <irrlicht/irrArray.h>
#include <map>
#include <set>
#include <utility>

namespace irr::video
{
class IVideoDriver;
}
class AtlasTexture;
class BaseNode;
class CContentProcessorsManager;
class CEventDeviceReset;
class CTexture;
class CEventDeviceVideoDriverCreated;
class IFileSystem;
class ImageContent;

// Loads content through the processors, caches it by type and name, and hands out shared objects or clones.
class CContentManager : public IContentManager
{
public:
	CContentManager(irr::video::IVideoDriver* driver, IFileSystem* fileSystem,
	                CContentProcessorsManager* processorsManager);
	~CContentManager() override;

	bool onEvent(CEvent* event) override;
	// Hands the event to the processors of the cached types, lowest priority first; never handles it.
	bool sendToChildren(int mode, CEvent* event) override;

	void setCachingEnabled(bool enabled) override { cachingEnabled = enabled; }
	bool isCachingEnabled() const override { return cachingEnabled; }
	ContentObject* getContentFromFile(ContentType type, IReadFile* file) override;
	ContentObject* getContent(ContentType type, const irr::core::stringc& name, bool relative) override;
	ContentObject* findCachedContent(ContentType type, const ContentRef& reference) const override;
	bool saveContent(ContentType type, ContentObject* object, const irr::core::stringc& fileName,
	                 void* saveParameter) override;
	bool addContentAs(const ContentRef& reference, ContentObject* object) override;
	bool addContent(ContentObject* object) override;
	void removeContent(ContentObject* object) override;
	void releaseUnusedContent() override;
	void releaseAllContent() override;
	void pushFolder(const irr::core::stringc& fileName) override;
	void popFolder() override;
	irr::core::stringc resolvePath(const irr::core::stringc& name) const override;
	irr::core::stringc getRelativePath(const irr::core::stringc& name) const override;

	// getContent of "atex" as the atlas frame it is; null stays null.
	AtlasTexture* getAtlasTexture(const irr::core::stringc& name, bool relative);
	// getContent of "snod" as the node tree it is; null stays null.
	BaseNode* getSceneNode(const irr::core::stringc& name, bool relative);

	virtual bool onDeviceReset(CEventDeviceReset* event);
	virtual bool onVideoDriverCreated(CEventDeviceVideoDriverCreated* event);

	irr::video::IVideoDriver* getVideoDriver() const { return videoDriver; }
	IFileSystem* getFileSystem() const { return fileSystem.get(); }
	CContentProcessorsManager* getProcessorsManager() const { return processorsManager.get(); }
	// A picture decoded ahead of its texture (by a loading thread): the texture processor takes it instead of
	// decoding the file again. Main thread only; the manager takes over the caller's reference.
	void addPreparedImage(const ContentRef& reference, ImageContent* image);
	// The prepared picture of that name, handed over with its reference; null when none waits.
	ImageContent* takePreparedImage(const ContentRef& reference);
	// True while a prepared picture of that name waits.
	bool hasPreparedImage(const ContentRef& reference) const
	{
		return preparedImages.count(reference.getNameId()) != 0;
	}
	size_t getPreparedImageCount() const { return preparedImages.size(); }
	// A texture made ahead of its load from a prepared picture (its upload spread over frames): the texture
	// processor takes it as the texture of that name. Main thread only; the manager takes over the caller's
	// reference. pictureSize is the size of the picture before any padding.
	void addPreparedTexture(const ContentRef& reference, CTexture* texture, const irr::core::dimension2du& pictureSize);
	// The prepared texture of that name, handed over with its reference; null when none waits.
	CTexture* takePreparedTexture(const ContentRef& reference, irr::core::dimension2du& pictureSize);
	// Drops the prepared pictures and textures nobody took.
	void dropPreparedImages();

	// Number of cached objects of one type.
	size_t getCachedCount(ContentType type) const;
	// Entries on the folder stack, the bottom (empty) one included.
	irr::u32 getFolderDepth() const { return folders.size(); }

	static const EventMap& eventMap();

private:
	// The loaded object (or null) and whether the cache took it.
	struct LoadResult
	{
		ContentObject* object;
		bool cached;
	};

	// Cache lookup, then a load from the open file; the result is owned by the caller.
	ContentObject* requestContent(ContentType type, const ContentRef& reference, IReadFile* file);
	LoadResult loadContent(ContentType type, const ContentRef& reference, IReadFile* file);
	// What a requester receives of a cached object: the object itself or a clone of it.
	static ContentObject* handOut(ContentObject* cached);
	bool insert(ContentType type, int nameId, ContentObject* object);
	void setVideoDriver(irr::video::IVideoDriver* driver);

	irr::video::IVideoDriver* videoDriver = nullptr;
	SmartPointer<IFileSystem> fileSystem;
	SmartPointer<CContentProcessorsManager> processorsManager;
	bool cachingEnabled = true;
	irr::core::array<irr::core::stringc> folders;
	std::map<ContentType, ContentMap> cache;
	// Type and name id of every load in progress, so a file that requests itself cannot recurse.
	std::set<std::pair<ContentType, int>> loading;
	std::map<int, ImageContent*> preparedImages; // by name id, one reference each
	std::map<int, std::pair<CTexture*, irr::core::dimension2du>> preparedTextures; // as preparedImages
};
