#include "content/CXMLReader.h"
#include "minigames/GMiniGameAuctionScene.h"
#include "minigames/GMiniGameHidden2Scene.h"
#include "minigames/GMiniGameHiddenScene.h"

#include <cstddef>
#include <cstdint>

namespace
{
// Reads the input as the configuration of one game; the reader stops at the root's end or the input's.
template <class Game> SmartPointer<Game> readAs(const uint8_t* data, size_t size)
{
	SmartPointer<CXMLReader> reader(new CXMLReader(data, size));
	SmartPointer<Game> game(new Game());
	game->parseConfiguration(reader.get());
	return game;
}
} // namespace

// Reads the input as the mini-game configuration of each game, whose own elements differ.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	SmartPointer<GMiniGameHiddenScene> hidden = readAs<GMiniGameHiddenScene>(data, size);
	// Whatever the file says, a read time limit is a real one and no score is negative.
	if (hidden->getMaxLevelTime() < 0 || hidden->getMaxLevelTime() > 3600000 || hidden->getExpertScore() < 0)
		__builtin_trap();
	SmartPointer<GMiniGameHidden2Scene> ordered = readAs<GMiniGameHidden2Scene>(data, size);
	if (!(ordered->getHintTrailVelocity() >= 1.0f) || ordered->getHintTrailPps() < 0)
		__builtin_trap();
	for (const auto& [name, file] : ordered->getPreviewFiles())
		if (name.isEmpty() && !file.empty() && file.size() > size)
			__builtin_trap();
	SmartPointer<GMiniGameAuctionScene> auction = readAs<GMiniGameAuctionScene>(data, size);
	if (auction->getSequence().size() > size ||
	    auction->getSequence().size() > static_cast<irr::u32>(GMiniGameAuctionScene::MaxSequenceSteps))
		__builtin_trap();
	return 0;
}
