#pragma once

#include "content/CImageLoaderManager.h"
#include "core/ContentRef.h"
#include "core/SmartPointer.h"
#include "core/Thread.h"

#include <irrlicht/irrString.h>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <set>
#include <vector>

class CContentManager;
class CXMLReader;
class IFileSystem;
class ImageContent;

// Reads and decodes content files on a thread of its own, in the order they are asked for, so that the main
// thread only hands the results on: file bytes to the file system, decoded pictures to the content manager.
// The thread touches nothing but the file system's open (which is guarded) and its own image loaders; it logs
// nothing, so the log keeps the order of the loads that use the results.
class CContentPreloader : public Thread
{
public:
	enum class Kind
	{
		File,      // read whole
		Picture,   // read and decoded
		AtlasList, // read whole, then each page picture it names decoded right after it
		Scene,     // read whole and its text decoded, then each picture it or a font it names loads decoded
		           // right after it
	};

	// maxWaitingPictures: decoded pictures kept ready ahead of their use; the thread waits beyond that.
	explicit CContentPreloader(IFileSystem* fileSystem, int maxWaitingPictures = 2);
	// Stops the thread and frees whatever nobody took.
	~CContentPreloader() override;
	CContentPreloader(const CContentPreloader&) = delete;
	CContentPreloader& operator=(const CContentPreloader&) = delete;

	// Main thread. Starts the thread on the first request.
	void request(Kind kind, const irr::core::stringc& name);
	// Main thread: hands what is done to the file system and, while fewer than maxWaitingPictures wait
	// there, the pictures to manager. When a picture is held back and the caller has waited for a result since,
	// the pictures this preloader delivered before that wait and nobody took make room, oldest first.
	void deliver(CContentManager* manager);
	// True while name was asked for (a page: while its list was) and is not delivered yet.
	bool isPending(const irr::core::stringc& name) const;
	// The pictures an atlas list or a scene names, in the order they are decoded; known once it is read.
	std::vector<irr::core::stringc> getNamedPictures(const irr::core::stringc& name) const;
	// True when everything asked for has been delivered.
	bool isIdle() const;
	// Main thread: waits until the thread has a result to deliver, nothing is pending, or the time is up. The
	// results are used in the order they were asked for, so a caller waiting here is past every picture
	// delivered so far.
	void waitForResult(std::chrono::steady_clock::time_point until);

	int run() override;

private:
	struct Request
	{
		Kind kind;
		irr::core::stringc name;
	};
	struct Result
	{
		irr::core::stringc name;
		char* bytes = nullptr; // new[]; null with no file read
		long size = 0;
		ImageContent* image = nullptr;
		CXMLReader* reader = nullptr; // a scene's text, decoded
	};

	bool waitForRequest(Request& next);
	Result prepare(const Request& next, std::deque<Request>& pages);
	// The pictures a scene file names that exist, and the pages of the fonts it names.
	std::deque<irr::core::stringc> picturesOf(const irr::core::stringc& sceneName, const char* bytes, long size);
	bool exists(const irr::core::stringc& name);
	// The bytes of a file, read through the file system; null when it does not open or read.
	char* readWhole(const irr::core::stringc& name, long& size);
	static void freeResult(Result& result);
	// Forgets the delivered pictures that no longer wait in manager (taken, or dropped by their owner).
	void forgetTakenPictures(CContentManager* manager);
	// Drops the oldest count of the pictures delivered and passed from manager.
	void dropPassedPictures(CContentManager* manager, size_t count);

	SmartPointer<IFileSystem> fileSystem;
	const int maxWaitingPictures;
	// The thread's own loaders: the shared registry's serve the main thread.
	CImageLoaderManager loaders;

	mutable std::mutex lock;
	std::condition_variable wake;        // the thread: a request came, a picture was taken, or stop
	std::condition_variable resultReady; // the main thread: a result came
	std::deque<Request> requests;
	std::deque<Result> results;
	std::multiset<irr::core::stringc> pending;
	std::map<irr::core::stringc, std::vector<irr::core::stringc>> namedPictures;
	std::set<irr::core::stringc> queuedPictures; // every picture a list or scene named so far
	int readyPictures = 0; // decoded and not delivered
	bool stopping = false;
	// Main thread: the pictures handed to the content manager that still wait there, oldest first, and how many
	// of the first of them the caller is past. Only these make room: pictures someone else prepared are theirs.
	std::deque<ContentRef> deliveredPictures;
	size_t passedPictures = 0;
};
