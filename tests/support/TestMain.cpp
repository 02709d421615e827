#include <gtest/gtest.h>

#include <dlfcn.h>
#include <stdlib.h>

#include <initializer_list>

namespace
{
// Mesa's drivers are unloaded at exit with allocations the leak checker cannot name; keeping
// them loaded lets the suppressions below match the driver's own one-time allocations.
void keepMesaLoaded()
{
	for (const char* name : {"libGLX_mesa.so.0", "swrast_dri.so", "/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so"})
		dlopen(name, RTLD_NOW | RTLD_NODELETE | RTLD_GLOBAL);
}
} // namespace

// In the same object as main so every test program links it.
extern "C" const char* __lsan_default_suppressions()
{
	return "leak:swrast_dri.so\nleak:libGLX_mesa.so\nleak:libLLVM\nleak:libgallium\n";
}

// Defaults the tests rely on; a value already in the environment wins.
void setTestEnvironment()
{
	setenv("ALSOFT_DRIVERS", "null", 0);
	setenv("TEST_SOURCE_DIR", TEST_SOURCE_DIR_DEFAULT, 0);
	setenv("TEST_BINARY_DIR", TEST_BINARY_DIR_DEFAULT, 0);
	// Never the real data folders.
	setenv("XDG_DATA_HOME", TEST_HOME_DEFAULT "/data", 0);
	setenv("ENGINE_COMMON_DATA_ROOT", TEST_HOME_DEFAULT "/common", 0);
}

int main(int argc, char** argv)
{
	setTestEnvironment();
	keepMesaLoaded();
	testing::InitGoogleTest(&argc, argv);
	return RUN_ALL_TESTS();
}
