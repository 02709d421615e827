#pragma once

#include "content/IContentProcessor.h"

namespace irr::video
{
class IVideoDriver;
}

// Base of the processors that hold the video driver and follow its replacement (events 9 and 10).
class CVideoDriverProcessor : public IContentProcessor
{
public:
	~CVideoDriverProcessor() override;

	bool onDeviceReset(CEventDeviceReset* event) override;
	bool onVideoDriverCreated(CEventDeviceVideoDriverCreated* event) override;

	// Null between a device reset and the next driver.
	irr::video::IVideoDriver* getVideoDriver() const { return videoDriver; }

protected:
	explicit CVideoDriverProcessor(irr::video::IVideoDriver* driver);

private:
	void setVideoDriver(irr::video::IVideoDriver* driver);

	irr::video::IVideoDriver* videoDriver = nullptr;
};
