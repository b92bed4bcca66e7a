// The numbers of every enemy kind, by their names in "data/config.txt": the groups in
// loading order, the four difficulty sections, and each kind's fields in record order.
#pragma once

#include <string_view>
#include <vector>

namespace quellix::assetgen {

inline constexpr std::string_view DifficultySections[] = {"child", "easy", "medium", "hard"};

struct TEnemyKindFields {
  std::string_view Group;
  std::vector<std::string_view> Fields;
};

// starfish, spirals, spikes, castles, spinners, spikers, flouds, azteks, squids, bases.
std::vector<TEnemyKindFields> EnemyKindFields();

// An interval is a number of levels that the game divides by: every Inc_ value but the
// three _Increase steps, and active_mod. It must be at least 1.
bool IsIntervalField(std::string_view field);

}  // namespace quellix::assetgen
