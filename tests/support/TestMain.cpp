#include <gtest/gtest.h>

#include <dlfcn.h>

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

int main(int argc, char** argv)
{
	keepMesaLoaded();
	testing::InitGoogleTest(&argc, argv);
	return RUN_ALL_TESTS();
}
