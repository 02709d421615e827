#include "app/GGameApplication.h"
#include "content/CQuadBatcher.h"
#include "core/ILogger.h"
#include "core/TextUtils.h"
#include "device/CLinuxDevice.h"
#include "device/IDevice.h"
#include "platform/CrashHandler.h"
#include "platform/SingleInstanceGuard.h"
#include "platform/StartupProblems.h"

namespace
{
// Ends the application's hold on the engine before it goes, then gives the exit code.
int finish(GGameApplication* application, int exitCode)
{
	application->shutdown();
	application->drop();
	return exitCode;
}
} // namespace

int main()
{
	CrashHandler::install();
	SingleInstanceGuard guard("Verandel Game Instance");
	if (guard.isAnotherInstanceRunning())
		return 0;

	auto* application = new GGameApplication();
	if (!application->init())
	{
		if (!application->getStartupFailure().empty())
			showStartupFailure(narrow(getDevice()->getSetting("TitleCaption")).c_str(),
			                   application->getStartupFailure());
		getLogger()->log("Failed to initialize game", 2);
		return finish(application, 1);
	}
	if (auto* platformDevice = dynamic_cast<CLinuxDevice*>(getDevice()))
		guard.storeWindowHandle(platformDevice->getWindowId());

	if (!application->run())
	{
		getLogger()->log("Failed to run game", 2);
		return finish(application, 1);
	}
	return finish(application, 0);
}
