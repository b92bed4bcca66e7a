// The sprite Kind codes the game units set and the collision passes and hit handlers
// read. 0 marks texts and decorations.
#pragma once

#include <cstdint>

namespace quellix::kinds {

constexpr int32_t PlayerShot = 1;
constexpr int32_t Hole = 2;
constexpr int32_t Starfish = 3;
constexpr int32_t Castle = 4;
constexpr int32_t Spiker = 5;
constexpr int32_t Spiral = 6;
constexpr int32_t SpiralShot = 7;
constexpr int32_t Aztek = 8;
constexpr int32_t AztekShot = 9;
constexpr int32_t Squid = 10;
constexpr int32_t Floud = 11;
constexpr int32_t FloudShot = 12;
constexpr int32_t Spinner = 13;
constexpr int32_t Spike = 14;
constexpr int32_t HorizontalWave = 15;
constexpr int32_t VerticalWave = 16;
constexpr int32_t Drip = 17;
constexpr int32_t Base = 18;
constexpr int32_t Shield = 19;
// The bonuses, in the order of BonusNames.
constexpr int32_t ShotPowerBonus = 20;
constexpr int32_t WavePowerBonus = 21;
constexpr int32_t ShieldPowerBonus = 22;
constexpr int32_t ExtraLifeBonus = 23;
constexpr int32_t PlayerShip = 24;

}  // namespace quellix::kinds
