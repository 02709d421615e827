#include "EffectNodeClasses.h"

#include "GBaloonNode.h"
#include "GBirdNode.h"
#include "GCarNode.h"
#include "GCircularBirdNode.h"
#include "GFireworkNode.h"
#include "GHOHintParticlesNode.h"
#include "GLakeWaveNode.h"
#include "GMainMenuBikeNode.h"
#include "GMainMenuCarNode.h"
#include "GMainMenuCloudNode.h"
#include "GMainMenuPedestrianNode.h"
#include "GPathMovableNode.h"
#include "GPedestrianNode.h"
#include "GPicEffectNode.h"
#include "GSelectGridNode.h"
#include "GShieldEffectNode.h"
#include "GShieldStarNode.h"
#include "GSpiralMovableNode.h"
#include "GTextTrailNode.h"
#include "GWeatherParticlesNode.h"
#include "OnceSpawnerNode.h"

const std::vector<GameNodeClass>& effectNodeClasses()
{
	static const std::vector<GameNodeClass> classes = {
	    gameNodeClassOf<GMainMenuPedestrianNode>(),
	    gameNodeClassOf<GMainMenuCarNode>(),
	    gameNodeClassOf<GMainMenuBikeNode>(),
	    gameNodeClassOf<GMainMenuCloudNode>(),
	    gameNodeClassOf<GPathMovableNode>(),
	    gameNodeClassOf<GSpiralMovableNode>(),
	    gameNodeClassOf<GBaloonNode>(),
	    gameNodeClassOf<GPicEffectNode>(),
	    gameNodeClassOf<GShieldStarNode>(),
	    gameNodeClassOf<GShieldEffectNode>(),
	    gameNodeClassOf<GLakeWaveNode>(),
	    gameNodeClassOf<GBirdNode>(),
	    gameNodeClassOf<GCircularBirdNode>(),
	    gameNodeClassOf<GCarNode>(),
	    gameNodeClassOf<GPedestrianNode>(),
	    gameNodeClassOf<GTextTrailNode>(),
	    gameNodeClassOf<GFireworkNode>(),
	    gameNodeClassOf<OnceSpawnerNode>(),
	    gameNodeClassOf<GHOHintParticlesNode>(),
	    gameNodeClassOf<GWeatherParticlesNode>(),
	    gameNodeClassOf<GSelectGridNode>(),
	};
	return classes;
}
