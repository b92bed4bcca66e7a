// Calls an outside handler on every run for a number of runs, then a second handler
// once, and ends. Params carries plain values for the handlers.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/vtSpriteMovement.h"

namespace quellix {

class Tvt6Behavior_ERE : public Tvt6SpriteMovement {
 public:
  // Integers, or references the behaviour does not own.
  using TParam = intptr_t;

  std::vector<TParam> Params;
  int32_t Count = 0;  // runs left
  TMovementEvent<Tvt6Behavior_ERE> OnDone;
  TMovementEvent<Tvt6Behavior_ERE> OnTick;

  void Init(int32_t count, TMovementEvent<Tvt6Behavior_ERE> onTick,
            TMovementEvent<Tvt6Behavior_ERE> onDone);
  void SetCount(int32_t count) { Count = count; }
  void SetOnTick(TMovementEvent<Tvt6Behavior_ERE> handler) { OnTick = std::move(handler); }
  void SetOnDone(TMovementEvent<Tvt6Behavior_ERE> handler) { OnDone = std::move(handler); }

  // Appends a value and answers its index.
  int AddParam(TParam value);
  // Throws std::out_of_range outside the list.
  TParam Param(int index) const;
  int ParamCount() const { return static_cast<int>(Params.size()); }
  void DeleteParam(int index);
  void ClearParams() { Params.clear(); }

  void Execute() override;
};

}  // namespace quellix
