#include "core/SystemFlowEvents.h"
#include "device/IDevice.h"

#include <cstdio>

namespace
{
// Closes the device after a few seconds of updates; the game's scenes replace it.
class DemoLoop : public EventReceiver
{
public:
	explicit DemoLoop(IDevice* d) : device(d) { mask = EventCategorySystemFlow; }
	bool onEvent(CEvent* event) override
	{
		if (auto* update = eventCast<CEventSystemFlowUpdate>(event))
		{
			elapsed += update->elapsed;
			if (elapsed >= 2000)
				device->closeDevice();
		}
		return false;
	}

private:
	IDevice* device;
	int elapsed = 0;
};
} // namespace

int main()
{
	IDevice* device = getDevice();
	auto* loop = new DemoLoop(device);
	device->addEventListener(loop, 0);
	loop->drop();
	device->run();
	std::printf("Main loop ended.\n");
	return 0;
}
