#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "base/vtMsgSubscribe.h"
#include "support/vtTestContext.h"

namespace quellix {
namespace {

using testing::TTestContext;

struct SubscriptionTest : ::testing::Test {
  TTestContext ctx;
  Tvt6Sprite* const owner = reinterpret_cast<Tvt6Sprite*>(0x1000);  // never dereferenced
  Tvt6SubscriptionEngine engine{ctx.Log, owner};
  std::vector<std::string> calls;

  TSubscriptionHandler Record(const std::string& name) {
    return [this, name](Tvt6Sprite* sprite, const void*) {
      EXPECT_EQ(sprite, owner);
      calls.push_back(name);
    };
  }
};

TEST_F(SubscriptionTest, HandlersGetTheSpriteAndSubscriberInOrder) {
  int a = 0, b = 0;
  std::vector<const void*> seen;
  auto handler = [&](Tvt6Sprite* sprite, const void* subscriber) {
    EXPECT_EQ(sprite, owner);
    seen.push_back(subscriber);
  };
  engine.Subscribe(&a, handler);
  engine.Subscribe(&b, handler);
  engine.ExecuteAll();
  EXPECT_EQ(seen, (std::vector<const void*>{&a, &b}));
  // Executing does not remove anything.
  EXPECT_EQ(engine.Count(), 2);
  EXPECT_EQ(engine.Subscription(0)->Sprite, owner);
  EXPECT_EQ(engine.Subscription(2), nullptr);
  EXPECT_EQ(engine.Subscription(-1), nullptr);
}

TEST_F(SubscriptionTest, UnsubscribeRemovesOnlyTheFirstOfADoubleSubscriber) {
  int a = 0, b = 0;
  engine.Subscribe(&a, Record("a1"));
  engine.Subscribe(&b, Record("b"));
  engine.Subscribe(&a, Record("a2"));
  engine.Unsubscribe(&a);
  engine.ExecuteAll();
  EXPECT_EQ(calls, (std::vector<std::string>{"b", "a2"}));
  engine.Unsubscribe(&ctx);  // never subscribed: nothing happens
  EXPECT_EQ(engine.Count(), 2);
}

TEST_F(SubscriptionTest, RaisingHandlerIsLoggedAndTheRestStillRun) {
  int a = 0;
  engine.Subscribe(&a, Record("first"));
  engine.Subscribe(&a, [](Tvt6Sprite*, const void*) { throw std::runtime_error("boom"); });
  engine.Subscribe(&a, Record("third"));
  engine.ExecuteAll();
  EXPECT_EQ(calls, (std::vector<std::string>{"first", "third"}));
  EXPECT_EQ(ctx.Messages(),
            (std::vector<std::string>{
                "Tvt6GameEngine.Tvt6Subscription:Execute reports the following Error: boom"}));
  EXPECT_EQ(engine.Count(), 3);  // a logged error keeps the subscription
}

TEST_F(SubscriptionTest, HandlerRaisingSomethingElseIsDroppedSilently) {
  int a = 0;
  engine.Subscribe(&a, Record("first"));
  engine.Subscribe(&a, [](Tvt6Sprite*, const void*) { throw 42; });
  engine.Subscribe(&a, Record("third"));
  engine.ExecuteAll();
  EXPECT_EQ(calls, (std::vector<std::string>{"first", "third"}));
  EXPECT_EQ(engine.Count(), 2);
  EXPECT_TRUE(ctx.Messages().empty());
  engine.ExecuteAll();
  EXPECT_EQ(calls.size(), 4u);
}

TEST_F(SubscriptionTest, HandlerMayUnsubscribeItself) {
  int a = 0, b = 0;
  engine.Subscribe(&a, [&](Tvt6Sprite*, const void* subscriber) {
    calls.push_back("a");
    engine.Unsubscribe(subscriber);
  });
  engine.Subscribe(&b, Record("b"));
  engine.ExecuteAll();
  EXPECT_EQ(engine.Count(), 1);
  EXPECT_EQ(calls.front(), "a");
}

}  // namespace
}  // namespace quellix
