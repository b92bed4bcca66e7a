#include "movement/vtBehaviorExtRepEvents.h"

#include <stdexcept>
#include <string>

namespace quellix {

namespace {

size_t CheckedIndex(int index, size_t count) {
  if (index < 0 || static_cast<size_t>(index) >= count)
    throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
  return static_cast<size_t>(index);
}

}  // namespace

void Tvt6Behavior_ERE::Init(int32_t count, TMovementEvent<Tvt6Behavior_ERE> onTick,
                            TMovementEvent<Tvt6Behavior_ERE> onDone) {
  Count = count;
  OnTick = std::move(onTick);
  OnDone = std::move(onDone);
}

int Tvt6Behavior_ERE::AddParam(TParam value) {
  Params.push_back(value);
  return ParamCount() - 1;
}

Tvt6Behavior_ERE::TParam Tvt6Behavior_ERE::Param(int index) const {
  return Params[CheckedIndex(index, Params.size())];
}

void Tvt6Behavior_ERE::DeleteParam(int index) {
  Params.erase(Params.begin() + static_cast<std::ptrdiff_t>(CheckedIndex(index, Params.size())));
}

void Tvt6Behavior_ERE::Execute() {
  if (Done) return;
  if (OnTick) OnTick(*this);
  --Count;
  if (Count > 0) return;
  if (OnDone) OnDone(*this);
  Done = true;
}

}  // namespace quellix
