#include "device/CLinuxDevice.h"
#include "device/IDevice.h"
#include "platform/CrashHandler.h"
#include "platform/SingleInstanceGuard.h"

int main()
{
	CrashHandler::install();
	SingleInstanceGuard guard("Verandel Game Instance");
	if (guard.isAnotherInstanceRunning())
		return 0;

	IDevice* device = getDevice();
	DeviceCreationParameters parameters = device->getCreationParameters();
	parameters.driverType = 3;
	parameters.windowWidth = 1024;
	parameters.windowHeight = 768;
	parameters.colorBits = 32;
	if (!device->setCreationParameters(parameters))
		return 1;
	if (auto* platformDevice = dynamic_cast<CLinuxDevice*>(device))
		guard.storeWindowHandle(platformDevice->getWindowId());

	// Runs until the window is closed; the game's scenes come later.
	device->run();
	return 0;
}
