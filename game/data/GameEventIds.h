#pragma once

// Type ids of the game messages (category EventCategoryGame). Each message has an id of its own, so a
// receiver's table can tell them apart; the level-completed message took the id nothing else used.
enum GameEventId
{
	EventTypeGEvent = 4096,
	EventTypeGEventNewDay = 4097,
	EventTypeGEventSelectionChanged = 4098,
	EventTypeGEventLevelCompleted = 4099,
	EventTypeGEventLevelStatsChanged = 4100,
	EventTypeGEventWorkCompleted = 4101,
	EventTypeGEventRepairDone = 4102,
	EventTypeGEventCleanDone = 4103,
	EventTypeGEventServeDone = 4104,
	EventTypeGEventBuildingReady = 4105,
	EventTypeGEventFeatureIncome = 4106,
	EventTypeGEventFeatureEnded = 4107,
	EventTypeGEventDestroyDone = 4108,
	EventTypeGEventResourcesReturned = 4109,
	EventTypeGEventRequest = 4110,
	EventTypeGEventSellBuildingRequest = 4111,
	EventTypeGEventBrokenBuildingRequest = 4112,
	EventTypeGEventDirtyBuildingRequest = 4113,
	EventTypeGEventCafeBuildingRequest = 4114,
	EventTypeGEventLetterRequest = 4115,
	EventTypeGEventPauseRequest = 4116,
	EventTypeGEventBuildingExistsQuery = 4117,
	EventTypeGEventWeatherRequest = 4118,
};
