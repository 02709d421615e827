#pragma once

// The numbers the configuration and scene files give building kinds, conditions, sceneries and the
// play screen's tabs. Stored files depend on them: the values never change.

// A building record's Type.
namespace BuildingKind
{
constexpr int Hotel = 0;      // guests and a daily income, upgraded level by level
constexpr int Business = 1;   // joys and factories: one of each on a level, features from the panel
constexpr int Decoration = 2; // an income bonus for the buildings around; they get dirty
// From here on: service buildings, which stand run down on some levels and are restored.
constexpr int FishingCenter = 3;
constexpr int ObservationTower = 4;
constexpr int Pyramid = 5;
constexpr int Station = 6;
constexpr int Headquarters = 7;
constexpr int FirstService = FishingCenter;
} // namespace BuildingKind

// A building's condition; from DeliveryRequest on it asks for the service of the same number.
namespace BuildingCondition
{
constexpr int Normal = 0;
constexpr int Broken = 1;
constexpr int Dirty = 2;
constexpr int RunDown = 3;
constexpr int DeliveryRequest = 4; // answered by a truck station
constexpr int CateringRequest = 5; // answered by a cafe, which sends its bus
constexpr int FirstRequest = DeliveryRequest;
} // namespace BuildingCondition

// The work a building has running.
namespace BuildingWork
{
constexpr int None = 0;
constexpr int Build = 1; // a build or an upgrade
constexpr int Demolition = 2;
constexpr int WorkerJob = 3; // repair, cleaning, restoration or a service bus
constexpr int Serving = 4;
constexpr int Feature = 5;
} // namespace BuildingWork

// A level's scenery (SettingIndex): its music and the look of its buildings.
namespace LevelSetting
{
constexpr int Snow = 4;
} // namespace LevelSetting

// The pages of the play screen's dock, "Tab1" to "Tab10" of its tab scene.
namespace PlayTab
{
constexpr int Hotels = 0; // the three build lists, by building kind
constexpr int Factories = 1;
constexpr int Joys = 2;
constexpr int Materials = 3;
constexpr int Workers = 4;
constexpr int Actions = 5;
constexpr int Buy = 6;
constexpr int Overview = 7;
constexpr int Offer = 8;
constexpr int Place = 9;
constexpr int Count = 10;
} // namespace PlayTab
