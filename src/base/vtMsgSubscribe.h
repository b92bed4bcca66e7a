// Subscriptions: the way other objects learn that a sprite is going. A sprite's
// OnKillSelf runs every subscription once, first thing in the sprite's destruction.
// A subscriber is kept only as an identity, so that it can Unsubscribe later. The
// animation engine keeps a list too, so it sits below both; the sprite is only passed on.
#pragma once

#include <functional>
#include <memory>
#include <vector>

namespace quellix {

class Tvt6Sprite;
class ILog;

// Called with the sprite whose event it is and the subscriber's identity.
using TSubscriptionHandler = std::function<void(Tvt6Sprite* sprite, const void* subscriber)>;

class Tvt6Subscription {
 public:
  const void* Subscriber = nullptr;
  TSubscriptionHandler Handler;
  Tvt6Sprite* Sprite = nullptr;

  // Runs the handler if there is one. A std::exception from it is logged and stays
  // here; anything else leaves Execute.
  void Execute(ILog& log);
};

class Tvt6SubscriptionEngine {
 public:
  Tvt6SubscriptionEngine(ILog& log, Tvt6Sprite* sprite) : Sprite(sprite), fLog(log) {}
  Tvt6SubscriptionEngine(const Tvt6SubscriptionEngine&) = delete;
  Tvt6SubscriptionEngine& operator=(const Tvt6SubscriptionEngine&) = delete;

  // The owning sprite (none for engines that belong to no sprite).
  Tvt6Sprite* const Sprite;

  void Subscribe(const void* subscriber, TSubscriptionHandler handler);
  // Removes the first subscription of this subscriber only.
  void Unsubscribe(const void* subscriber);
  // Runs every subscription in order; one that still raises out of Execute is dropped
  // and the rest are run.
  void ExecuteAll();
  void Clear() { fSubscriptions.clear(); }

  int Count() const { return static_cast<int>(fSubscriptions.size()); }
  // The subscription at index, none outside the list.
  Tvt6Subscription* Subscription(int index) const;

 private:
  ILog& fLog;
  std::vector<std::unique_ptr<Tvt6Subscription>> fSubscriptions;
};

}  // namespace quellix
