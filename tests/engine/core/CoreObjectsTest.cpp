#include "core/CLogger.h"
#include "core/SmartPointer.h"
#include "core/Singleton.h"
#include "core/Thread.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace
{
struct Counted : ReferenceCounted
{
	explicit Counted(int* deaths) : deaths(deaths) {}
	~Counted() override { ++*deaths; }
	int* deaths;
};
} // namespace

TEST(ReferenceCounting, AdoptCopyAndDestroyOnce)
{
	int deaths = 0;
	{
		SmartPointer<Counted> a(new Counted(&deaths));
		EXPECT_EQ(a->getReferenceCount(), 1);
		{
			SmartPointer<Counted> b(a);
			EXPECT_EQ(a->getReferenceCount(), 2);
		}
		EXPECT_EQ(a->getReferenceCount(), 1);
	}
	EXPECT_EQ(deaths, 1);
}

TEST(ReferenceCounting, SelfAndSameObjectAssignmentKeepCount)
{
	int deaths = 0;
	SmartPointer<Counted> a(new Counted(&deaths));
	SmartPointer<Counted> b(a);
	SmartPointer<Counted>& alias = a;
	a = alias;
	a = b;
	EXPECT_EQ(a->getReferenceCount(), 2);
	SmartPointer<Counted> empty;
	b = empty;
	EXPECT_TRUE(b.isNull());
	EXPECT_EQ(a->getReferenceCount(), 1);
	a = empty;
	EXPECT_EQ(deaths, 1);
}

TEST(ReferenceCounting, DropReportsTheDestroyingCall)
{
	int deaths = 0;
	auto* c = new Counted(&deaths);
	c->grab();
	EXPECT_FALSE(c->drop());
	EXPECT_TRUE(c->drop());
	EXPECT_EQ(deaths, 1);
}

TEST(ReferenceCounting, ResetToTheHeldPointerDoesNotLeakOrFree)
{
	int deaths = 0;
	SmartPointer<Counted> a(new Counted(&deaths));
	a->grab(); // a second reference that reset adopts
	a.reset(a.get());
	EXPECT_EQ(a->getReferenceCount(), 1);
	a.release();
	EXPECT_EQ(deaths, 1);
}

namespace
{
struct Service
{
	static int made;
	Service() { ++made; }
};
int Service::made = 0;
} // namespace

TEST(SingletonTest, CreatedOnceThenDeadAfterDestruction)
{
	Service* first = Singleton<Service>::instance();
	EXPECT_EQ(Singleton<Service>::instance(), first);
	EXPECT_EQ(Service::made, 1);
	Singleton<Service>::destroyAtExit();
	EXPECT_THROW(Singleton<Service>::instance(), std::logic_error);
	try
	{
		Singleton<Service>::instance();
	}
	catch (const std::logic_error& e)
	{
		EXPECT_STREQ(e.what(), "Dead Reference Detected");
	}
	Singleton<Service>::allowRecreation();
}

namespace
{
struct Slow
{
	static std::atomic<int> made;
	Slow()
	{
		++made;
		sleepMilliseconds(5);
	}
};
std::atomic<int> Slow::made{0};
} // namespace

TEST(SingletonTest, ConcurrentFirstUseMakesOneInstance)
{
	std::atomic<Slow*> seen[8] = {};
	std::vector<std::thread> threads;
	for (int i = 0; i < 8; ++i)
		threads.emplace_back([&, i] { seen[i] = Singleton<Slow>::instance(); });
	for (auto& t : threads)
		t.join();
	for (auto& s : seen)
		EXPECT_EQ(s.load(), seen[0].load());
	EXPECT_EQ(Slow::made.load(), 1);
}

TEST(Logger, ComesBackAfterDestruction)
{
	getLogger()->setLogLevel(1);
	Singleton<CLogger>::destroyAtExit();
	ILogger* logger = getLogger();
	ASSERT_NE(logger, nullptr);
	EXPECT_EQ(logger->getLogLevel(), 0);
}

TEST(Logger, LevelFilterAppliesToWideCallsOnly)
{
	LogCapture capture;
	ILogger* logger = getLogger();
	logger->setLogLevel(1);
	logger->setLogLevel(3);
	logger->setLogLevel(7);
	EXPECT_EQ(logger->getLogLevel(), 1);
	logger->log(L"wide info", 0);
	logger->log(L"wide warn", 1);
	logger->log(L"\x263A smile", L"hint", 2);
	logger->log("narrow info", 0);
	EXPECT_FALSE(capture.contains("wide info"));
	EXPECT_TRUE(capture.contains("wide warn", 1));
	EXPECT_TRUE(capture.contains("\xE2\x98\xBA smile", 2)) << "wide text is logged as UTF-8";
	EXPECT_TRUE(capture.contains("narrow info", 0));
	logger->setLogLevel(-1);
	EXPECT_EQ(logger->getLogLevel(), -1);
	logger->setLogLevel(0);
}

TEST(ThreadTest, StartTwiceWithoutJoinIsRefused)
{
	std::atomic<bool> release{false};
	struct Worker : Thread
	{
		explicit Worker(std::atomic<bool>& r) : release(r) {}
		int run() override
		{
			while (!release)
				sleepMilliseconds(1);
			++runs;
			return 0;
		}
		std::atomic<bool>& release;
		std::atomic<int> runs{0};
	};
	auto* w = new Worker(release);
	EXPECT_TRUE(w->start());
	EXPECT_FALSE(w->start());
	release = true;
	w->join();
	EXPECT_EQ(w->runs.load(), 1);
	EXPECT_TRUE(w->start()) << "a joined thread can start again";
	w->drop(); // joins
	SUCCEED();
}
