#pragma once

// The game started inside a benchmark from the build tree's content: data folders in a fresh temporary
// folder, the game folder as the working folder. Needs the content target built in the same tree.
#include "app/GGameApplication.h"
#include "device/IDevice.h"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace gamebench
{
// The game with a chosen driver (0 null, 3 OpenGL) in a window of the game's own size.
class BenchApplication : public GGameApplication
{
public:
	explicit BenchApplication(int driverType) : driverType(driverType) {}

protected:
	void readDisplaySettings(const CProfile* commonProfile) override
	{
		GGameApplication::readDisplaySettings(commonProfile);
		creationParameters.driverType = driverType;
		creationParameters.fullscreen = false;
		creationParameters.vsync = false;
	}

private:
	int driverType;
};

inline std::string buildTree()
{
	char buffer[4096];
	const ssize_t n = readlink("/proc/self/exe", buffer, sizeof(buffer) - 1);
	std::string program(buffer, n > 0 ? static_cast<size_t>(n) : 0);
	program = program.substr(0, program.rfind('/'));
	return program.substr(0, program.rfind('/'));
}

// Makes the game folder the working folder and points the data folders somewhere temporary; the
// assets folder, or empty when the content is not built.
inline std::string enterGameFolder()
{
	const std::string folder = buildTree() + "/bin";
	if (!std::filesystem::exists(folder + "/assets/atlases/Buildings.xml") || chdir(folder.c_str()) != 0)
		return std::string();
	char pattern[] = "/tmp/game_bench_XXXXXX";
	const char* data = mkdtemp(pattern);
	if (!data)
		return std::string();
	const std::string root = data;
	setenv("HOME", root.c_str(), 1);
	setenv("XDG_DATA_HOME", (root + "/user").c_str(), 1);
	setenv("XDG_RUNTIME_DIR", root.c_str(), 1);
	setenv("ENGINE_COMMON_DATA_ROOT", (root + "/shared").c_str(), 1);
	setenv("ALSOFT_DRIVERS", "null", 0);
	getDevice()->setSetting("PublisherName", L"Pellwick");
	getDevice()->setSetting("TitleName", L"GameBench");
	return folder + "/assets";
}
} // namespace gamebench
