#include "CContentPreloader.h"

#include "content/CContentManager.h"
#include "content/CXMLReader.h"
#include "content/IFileSystem.h"
#include "content/IReadFile.h"
#include "content/ImageContent.h"
#include "content/PathUtils.h"
#include "core/TextUtils.h"

#include <new>

namespace
{
// The page pictures an atlas list names, resolved against the list's folder as the list's reading does.
std::deque<irr::core::stringc> pageNamesOf(const irr::core::stringc& listName, const char* bytes, long size)
{
	std::deque<irr::core::stringc> names;
	SmartPointer<CXMLReader> reader(new CXMLReader(bytes, static_cast<size_t>(size)));
	while (reader->read())
	{
		if (reader->getNodeType() != XML_NODE_ELEMENT)
			continue;
		if (reader->getNodeName() == L"a")
			break; // the pages come before the frames
		if (reader->getNodeName() == L"t")
			names.push_back(flattenPath(listName, narrow(reader->getAttributeValue(L"f"))));
	}
	return names;
}
} // namespace

CContentPreloader::CContentPreloader(IFileSystem* files, int maxWaiting)
    : fileSystem(shareRef(files)), maxWaitingPictures(maxWaiting < 1 ? 1 : maxWaiting)
{
}

CContentPreloader::~CContentPreloader()
{
	{
		std::lock_guard<std::mutex> guard(lock);
		stopping = true;
	}
	wake.notify_all();
	join();
	for (Result& result : results)
		freeResult(result);
}

void CContentPreloader::request(Kind kind, const irr::core::stringc& name)
{
	{
		std::lock_guard<std::mutex> guard(lock);
		requests.push_back({kind, name});
		pending.insert(name);
	}
	wake.notify_all();
	if (!isStarted())
		start();
}

bool CContentPreloader::isPending(const irr::core::stringc& name) const
{
	std::lock_guard<std::mutex> guard(lock);
	return pending.count(name) != 0;
}

std::vector<irr::core::stringc> CContentPreloader::getNamedPictures(const irr::core::stringc& name) const
{
	std::lock_guard<std::mutex> guard(lock);
	auto entry = namedPictures.find(name);
	return entry == namedPictures.end() ? std::vector<irr::core::stringc>() : entry->second;
}

bool CContentPreloader::isIdle() const
{
	std::lock_guard<std::mutex> guard(lock);
	return pending.empty();
}

void CContentPreloader::waitForResult(std::chrono::steady_clock::time_point until)
{
	passedPictures = deliveredPictures.size();
	std::unique_lock<std::mutex> guard(lock);
	resultReady.wait_until(guard, until, [this] { return !results.empty() || pending.empty(); });
}

void CContentPreloader::deliver(CContentManager* manager)
{
	forgetTakenPictures(manager);
	std::deque<Result> done;
	size_t passedToDrop = 0;
	{
		std::lock_guard<std::mutex> guard(lock);
		size_t waitingThere = manager ? manager->getPreparedImageCount() : 0;
		while (!results.empty())
		{
			Result& next = results.front();
			if (next.image && waitingThere >= static_cast<size_t>(maxWaitingPictures))
			{
				// Pictures the caller went past would hold this one, and all after it, back for ever.
				if (passedToDrop == passedPictures)
					break;
				++passedToDrop;
				--waitingThere;
				continue;
			}
			if (next.image)
			{
				++waitingThere;
				--readyPictures;
			}
			auto entry = pending.find(next.name);
			if (entry != pending.end())
				pending.erase(entry);
			done.push_back(next);
			results.pop_front();
		}
	}
	wake.notify_all();
	dropPassedPictures(manager, passedToDrop);
	for (Result& result : done)
	{
		if (result.bytes && fileSystem)
			fileSystem->addPreloadedFile(result.name, result.bytes, result.size);
		else
			delete[] result.bytes;
		if (result.reader && fileSystem)
			fileSystem->addPreparedXMLReader(result.name, result.reader);
		else if (result.reader)
			result.reader->drop();
		// A page whose texture is loaded already would never be taken.
		const ContentRef reference(manager, result.name.c_str());
		if (result.image && manager && !manager->findCachedContent(ContentTypeTexture, reference))
		{
			manager->addPreparedImage(reference, result.image);
			deliveredPictures.push_back(reference);
		}
		else if (result.image)
			result.image->drop();
	}
}

void CContentPreloader::forgetTakenPictures(CContentManager* manager)
{
	if (!manager)
		return;
	size_t kept = 0;
	size_t passed = 0;
	for (size_t i = 0; i < deliveredPictures.size(); ++i)
		if (manager->hasPreparedImage(deliveredPictures[i]))
		{
			deliveredPictures[kept++] = deliveredPictures[i];
			if (i < passedPictures)
				++passed;
		}
	deliveredPictures.resize(kept);
	passedPictures = passed;
}

void CContentPreloader::dropPassedPictures(CContentManager* manager, size_t count)
{
	for (; count > 0; --count, --passedPictures)
	{
		SmartPointer<ImageContent>(manager->takePreparedImage(deliveredPictures.front()));
		deliveredPictures.pop_front();
	}
}

int CContentPreloader::run()
{
	Request next;
	while (waitForRequest(next))
	{
		std::deque<Request> pages;
		Result result = prepare(next, pages);
		{
			std::lock_guard<std::mutex> guard(lock);
			if (result.image)
				++readyPictures;
			results.push_back(result);
			// An atlas list's pages come right after it, before anything asked later. A picture named before
			// (two scenes share a font) is not decoded again: the first one's texture serves both.
			std::vector<irr::core::stringc>& named = namedPictures[next.name];
			for (auto page = pages.begin(); page != pages.end();)
				if (queuedPictures.insert(page->name).second)
					named.push_back((page++)->name);
				else
					page = pages.erase(page);
			for (auto page = pages.rbegin(); page != pages.rend(); ++page)
			{
				pending.insert(page->name);
				requests.push_front(*page);
			}
		}
		resultReady.notify_all();
	}
	return 0;
}

bool CContentPreloader::waitForRequest(Request& next)
{
	std::unique_lock<std::mutex> guard(lock);
	wake.wait(guard, [this] { return stopping || (!requests.empty() && readyPictures < maxWaitingPictures); });
	if (stopping)
		return false;
	next = requests.front();
	requests.pop_front();
	return true;
}

CContentPreloader::Result CContentPreloader::prepare(const Request& next, std::deque<Request>& pages)
{
	Result result;
	result.name = next.name;
	if (next.kind == Kind::Picture)
	{
		IReadFile* file = fileSystem ? fileSystem->createAndOpenFile(next.name) : nullptr;
		if (file)
		{
			result.image = loaders.createImage(file, ContentRef());
			file->drop();
		}
		return result;
	}
	result.bytes = readWhole(next.name, result.size);
	if (next.kind == Kind::AtlasList && result.bytes)
		for (const irr::core::stringc& page : pageNamesOf(next.name, result.bytes, result.size))
			pages.push_back({Kind::Picture, page});
	if (next.kind == Kind::Scene && result.bytes)
	{
		result.reader = new CXMLReader(result.bytes, static_cast<size_t>(result.size));
		for (const irr::core::stringc& picture : picturesOf(next.name, result.bytes, result.size))
			pages.push_back({Kind::Picture, picture});
	}
	return result;
}

bool CContentPreloader::exists(const irr::core::stringc& name)
{
	IReadFile* file = fileSystem ? fileSystem->createAndOpenFile(name) : nullptr;
	if (file)
		file->drop();
	return file != nullptr;
}

std::deque<irr::core::stringc> CContentPreloader::picturesOf(const irr::core::stringc& sceneName, const char* bytes,
                                                             long size)
{
	std::deque<irr::core::stringc> found;
	std::set<irr::core::stringc> seen;
	const auto add = [&](const irr::core::stringc& name)
	{
		if (seen.insert(name).second && exists(name))
			found.push_back(name);
	};
	SmartPointer<CXMLReader> reader(new CXMLReader(bytes, static_cast<size_t>(size)));
	while (reader->read())
	{
		if (reader->getNodeType() != XML_NODE_ELEMENT)
			continue;
		for (int i = 0; i < reader->getAttributeCount(); ++i)
		{
			const irr::core::stringc value = narrow(reader->getAttributeValue(i));
			const irr::core::stringc extension = getFileExtension(value);
			if (extension == "png" || extension == "jpg")
				add(flattenPath(sceneName, value));
			else if (extension == "qfnt")
			{
				const irr::core::stringc fontName = flattenPath(sceneName, value);
				if (!seen.insert(fontName).second)
					continue;
				long fontSize = 0;
				char* font = readWhole(fontName, fontSize);
				if (!font)
					continue;
				// A font's pages are named relative to the font.
				SmartPointer<CXMLReader> pages(new CXMLReader(font, static_cast<size_t>(fontSize)));
				while (pages->read())
					if (pages->getNodeType() == XML_NODE_ELEMENT && pages->getNodeName() == L"Texture")
						add(flattenPath(fontName, narrow(pages->getAttributeValue(L"Filename"))));
				pages = nullptr;
				delete[] font;
			}
		}
	}
	return found;
}

char* CContentPreloader::readWhole(const irr::core::stringc& name, long& size)
{
	IReadFile* file = fileSystem ? fileSystem->createAndOpenFile(name) : nullptr;
	if (!file)
		return nullptr;
	size = file->getSize();
	char* bytes = size >= 0 && size <= CXMLReader::maxFileSize ? new (std::nothrow) char[static_cast<size_t>(size) + 1]
	                                                           : nullptr;
	if (bytes && (!file->seek(0) || file->read(bytes, static_cast<irr::u32>(size)) != static_cast<irr::s32>(size)))
	{
		delete[] bytes;
		bytes = nullptr;
	}
	file->drop();
	return bytes;
}

void CContentPreloader::freeResult(Result& result)
{
	delete[] result.bytes;
	result.bytes = nullptr;
	if (result.image)
		result.image->drop();
	result.image = nullptr;
	if (result.reader)
		result.reader->drop();
	result.reader = nullptr;
}
