#pragma once

#include "ToolTestSupport.h"
#include "content/CContentManager.h"
#include "content/CQuadBatcher.h"
#include "content/IArchive.h"
#include "content/IFileSystem.h"
#include "core/SmartPointer.h"
#include "device/IDevice.h"

#include <cstdlib>
#include <string>
#include <unistd.h>

// Folder of the content the build generated and copied (bin/assets).
inline std::string builtAssetsFolder()
{
	return builtProgramsFolder() + "/assets";
}

// The engine's device with the built assets folder mounted as the game mounts it, and a content manager
// that resolves names inside that folder ("scenes/...", "atlases/...").
class MountedAssets
{
public:
	explicit MountedAssets(int driverType, int width = 800, int height = 600)
	{
		setenv("ALSOFT_DRIVERS", "null", 0);
		DeviceCreationParameters parameters;
		parameters.driverType = driverType;
		parameters.windowWidth = width;
		parameters.windowHeight = height;
		parameters.colorBits = 32;
		// The X server under test sometimes refuses the first connection.
		for (int attempt = 0; attempt < 3 && !device; ++attempt)
		{
			device = createDevice(parameters);
			if (!device)
			{
				Singleton<IDevice>::allowRecreation();
				usleep(50000);
			}
		}
		if (!device)
			return;
		IFileSystem* files = device->getFileSystem();
		folder = files ? files->addArchive(builtAssetsFolder().c_str(), false, false) : nullptr;
		manager = device->createContentManager();
	}

	~MountedAssets()
	{
		if (!device)
			return;
		if (manager)
			manager->drop();
		if (folder)
			device->getFileSystem()->removeArchive(folder);
		if (device->getVideoDriver())
			CQuadBatcher::releaseForDriver(device->getVideoDriver());
		device->closeDevice();
		device->run();
		device->drop();
		Singleton<IDevice>::allowRecreation();
	}

	MountedAssets(const MountedAssets&) = delete;
	MountedAssets& operator=(const MountedAssets&) = delete;

	// The content of that type under its name in the assets folder; null when absent or of another class.
	template <class T> SmartPointer<T> load(ContentType type, const std::string& name)
	{
		ContentObject* content = manager ? manager->getContent(type, name.c_str(), false) : nullptr;
		T* typed = dynamic_cast<T*>(content);
		if (content && !typed)
			content->drop();
		return SmartPointer<T>(typed);
	}

	IDevice* device = nullptr;
	IArchive* folder = nullptr;
	CContentManager* manager = nullptr;
};
