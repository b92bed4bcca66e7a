#include "base/vtMsgSubscribe.h"

#include <exception>
#include <string>

#include "base/vtLog.h"

namespace quellix {

void Tvt6Subscription::Execute(ILog& log) {
  if (!Handler) return;
  // The handler may unsubscribe this very subscription, which frees it: run a copy,
  // so nothing of the freed object is touched while or after the handler runs.
  const TSubscriptionHandler handler = Handler;
  try {
    handler(Sprite, Subscriber);
  } catch (const std::exception& e) {
    log.Log(std::string("Tvt6GameEngine.Tvt6Subscription:Execute reports the following Error: ") +
            e.what());
  }
}

void Tvt6SubscriptionEngine::Subscribe(const void* subscriber, TSubscriptionHandler handler) {
  auto subscription = std::make_unique<Tvt6Subscription>();
  subscription->Subscriber = subscriber;
  subscription->Handler = std::move(handler);
  subscription->Sprite = Sprite;
  fSubscriptions.push_back(std::move(subscription));
}

void Tvt6SubscriptionEngine::Unsubscribe(const void* subscriber) {
  for (auto it = fSubscriptions.begin(); it != fSubscriptions.end(); ++it) {
    if ((*it)->Subscriber == subscriber) {
      fSubscriptions.erase(it);
      return;
    }
  }
}

void Tvt6SubscriptionEngine::ExecuteAll() {
  size_t i = 0;
  while (i < fSubscriptions.size()) {
    try {
      fSubscriptions[i]->Execute(fLog);
      ++i;
    } catch (...) {
      // The handler may have changed the list; drop the entry only if it is still there.
      if (i < fSubscriptions.size()) fSubscriptions.erase(fSubscriptions.begin() + i);
    }
  }
}

Tvt6Subscription* Tvt6SubscriptionEngine::Subscription(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return fSubscriptions[static_cast<size_t>(index)].get();
}

}  // namespace quellix
