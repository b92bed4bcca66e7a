// The pure parts of the message loop: key codes, the Alt+Enter switch, the frame
// timer's schedule and the pacing of smooth motion's refreshes.
#include <gtest/gtest.h>

#include "graphics/vtPlatform.h"
#include "media/vtFrameClock.h"
#include "media/vtKeyMap.h"
#include "media/vtRefreshPacer.h"

namespace quellix::media {
namespace {

TEST(KeyMap, GivesTheClassicVirtualKeyCodes) {
  EXPECT_EQ(VirtualKeyOf(SDLK_ESCAPE), VK_ESCAPE);
  EXPECT_EQ(VirtualKeyOf(SDLK_SPACE), VK_SPACE);
  EXPECT_EQ(VirtualKeyOf(SDLK_RETURN), VK_RETURN);
  EXPECT_EQ(VirtualKeyOf(SDLK_KP_ENTER), VK_RETURN);
  EXPECT_EQ(VirtualKeyOf(SDLK_a), 'A');
  EXPECT_EQ(VirtualKeyOf(SDLK_p), 'P');
  EXPECT_EQ(VirtualKeyOf(SDLK_z), 'Z');
  EXPECT_EQ(VirtualKeyOf(SDLK_0), '0');
  EXPECT_EQ(VirtualKeyOf(SDLK_9), '9');
  EXPECT_EQ(VirtualKeyOf(SDLK_F1), VK_F1);
  EXPECT_EQ(VirtualKeyOf(SDLK_F12), 123);
  EXPECT_EQ(VirtualKeyOf(SDLK_LEFT), VK_LEFT);
  EXPECT_EQ(VirtualKeyOf(SDLK_UP), VK_UP);
  EXPECT_EQ(VirtualKeyOf(SDLK_RIGHT), VK_RIGHT);
  EXPECT_EQ(VirtualKeyOf(SDLK_DOWN), VK_DOWN);
  EXPECT_EQ(VirtualKeyOf(SDLK_LSHIFT), VK_SHIFT);
  EXPECT_EQ(VirtualKeyOf(SDLK_RSHIFT), VK_SHIFT);
  EXPECT_EQ(VirtualKeyOf(SDLK_RCTRL), VK_CONTROL);
  EXPECT_EQ(VirtualKeyOf(SDLK_LALT), VK_MENU);
  EXPECT_EQ(VirtualKeyOf(SDLK_BACKSPACE), VK_BACK);
  EXPECT_EQ(VirtualKeyOf(SDLK_DELETE), VK_DELETE);
  EXPECT_EQ(VirtualKeyOf(SDLK_PAUSE), VK_PAUSE);
  EXPECT_EQ(VirtualKeyOf(SDLK_KP_0), 96);
  EXPECT_EQ(VirtualKeyOf(SDLK_KP_9), 105);
  EXPECT_EQ(VirtualKeyOf(SDLK_MINUS), 189);
  EXPECT_EQ(VirtualKeyOf(SDLK_UNKNOWN), 0);
  EXPECT_EQ(VirtualKeyOf(SDLK_AUDIOPLAY), 0);
}

TEST(AltEnter, SwitchesOnceAndSwallowsItsKeyUps) {
  TAltEnterFilter f;
  EXPECT_FALSE(f.Switches(SDLK_LALT, KMOD_LALT, false));
  EXPECT_TRUE(f.Switches(SDLK_RETURN, KMOD_LALT, false));
  EXPECT_TRUE(f.SwallowsKeyDown(SDLK_RETURN, KMOD_LALT));
  EXPECT_FALSE(f.Switches(SDLK_RETURN, KMOD_LALT, true)) << "a held key's repeat";
  EXPECT_TRUE(f.SwallowsKeyUp(SDLK_RETURN));
  EXPECT_TRUE(f.SwallowsKeyUp(SDLK_LALT));
  // The next Alt and Enter on their own are ordinary keys again.
  EXPECT_FALSE(f.SwallowsKeyUp(SDLK_LALT));
  EXPECT_FALSE(f.Switches(SDLK_RETURN, KMOD_NONE, false));
  EXPECT_FALSE(f.SwallowsKeyDown(SDLK_RETURN, KMOD_NONE));
  EXPECT_FALSE(f.SwallowsKeyUp(SDLK_RETURN));
}

TEST(AltEnter, RightAltAndKeypadEnterCountToo) {
  TAltEnterFilter f;
  EXPECT_TRUE(f.Switches(SDLK_KP_ENTER, KMOD_RALT, false));
  EXPECT_FALSE(f.SwallowsKeyUp(SDLK_LALT));
  EXPECT_TRUE(f.SwallowsKeyUp(SDLK_RALT));
  EXPECT_TRUE(f.SwallowsKeyUp(SDLK_KP_ENTER));
  // Enter pressed twice while Alt is held switches twice; one Alt key-up is swallowed.
  EXPECT_TRUE(f.Switches(SDLK_RETURN, KMOD_LALT, false));
  EXPECT_TRUE(f.SwallowsKeyUp(SDLK_RETURN));
  EXPECT_TRUE(f.Switches(SDLK_RETURN, KMOD_LALT, false));
  EXPECT_TRUE(f.SwallowsKeyUp(SDLK_RETURN));
  EXPECT_TRUE(f.SwallowsKeyUp(SDLK_LALT));
  EXPECT_FALSE(f.SwallowsKeyUp(SDLK_LALT));
}

TEST(FrameClock, ATickIsDueOnceItsDeadlineHasPassed) {
  const TTickPlan early = PlanTick(1000, 999, 40);
  EXPECT_FALSE(early.Fire);
  EXPECT_EQ(early.NextDeadline, 1000u);
  const TTickPlan onTime = PlanTick(1000, 1000, 40);
  EXPECT_TRUE(onTime.Fire);
  EXPECT_EQ(onTime.Lag, 0);
  EXPECT_EQ(onTime.NextDeadline, 1040u);
  const TTickPlan slightlyLate = PlanTick(1000, 1039, 40);
  EXPECT_TRUE(slightlyLate.Fire);
  EXPECT_EQ(slightlyLate.Lag, 0);
  EXPECT_EQ(slightlyLate.NextDeadline, 1040u) << "the grid, not now + period";
}

TEST(FrameClock, ALateTickFiresOnceAndReportsWhatItMissed) {
  const TTickPlan late = PlanTick(1000, 1000 + 2 * 40 + 15, 40);
  EXPECT_TRUE(late.Fire);
  EXPECT_EQ(late.Lag, 2);
  EXPECT_EQ(late.NextDeadline, 1120u);
  EXPECT_FALSE(PlanTick(late.NextDeadline, 1000 + 2 * 40 + 15, 40).Fire) << "no burst";
}

TEST(FrameClock, JitteryWakeUpsDoNotDrift) {
  uint64_t deadline = 40, fired = 0;
  for (uint64_t step = 0; step < 10000; ++step) {
    const uint64_t now = deadline + (step * 7919) % 39;  // woken up to 38 units late
    const TTickPlan plan = PlanTick(deadline, now, 40);
    ASSERT_TRUE(plan.Fire);
    ASSERT_EQ(plan.Lag, 0);
    deadline = plan.NextDeadline;
    ++fired;
  }
  EXPECT_EQ(deadline, 40 * (fired + 1));
}

TEST(FrameClock, WaitsAreRoundedUpToWholeMilliseconds) {
  const uint64_t freq = 1'000'000;  // microseconds
  EXPECT_EQ(WaitMilliseconds(40'000, 0, freq), 40u);
  EXPECT_EQ(WaitMilliseconds(1'200, 0, freq), 2u);
  EXPECT_EQ(WaitMilliseconds(1, 0, freq), 1u);
  EXPECT_EQ(WaitMilliseconds(500, 500, freq), 0u);
  EXPECT_EQ(WaitMilliseconds(500, 900, freq), 0u);
  EXPECT_EQ(WaitMilliseconds(uint64_t{1} << 62, 0, 1000), UINT32_MAX) << "saturates, never wraps";
}

// Counter units of a millisecond: times below are in milliseconds.
constexpr uint64_t Ms = 1000;

TEST(RefreshPacer, WithoutVsyncRefreshesKeepToTheRateOnAGridOfDeadlines) {
  TRefreshPacer pacer(1000 * Ms, 0, false);
  EXPECT_EQ(pacer.Rate(), TRefreshPacer::DefaultRate) << "a display that tells no rate";
  EXPECT_EQ(pacer.NextRefresh(5 * Ms), 5 * Ms) << "the first refresh at once";
  TRefreshPacer hundred(1000 * Ms, 100, false);
  EXPECT_FALSE(hundred.Shown(0));
  EXPECT_EQ(hundred.NextRefresh(1 * Ms), 10 * Ms);
  hundred.Shown(13 * Ms);  // late: the grid stays
  EXPECT_EQ(hundred.NextRefresh(13 * Ms), 20 * Ms);
  hundred.Shown(15 * Ms);  // early (the window asked): the grid stays
  EXPECT_EQ(hundred.NextRefresh(15 * Ms), 20 * Ms);
  hundred.Shown(95 * Ms);  // a pause: the grid starts anew
  EXPECT_EQ(hundred.NextRefresh(95 * Ms), 105 * Ms);
}

TEST(RefreshPacer, VsyncThatDoesNotWaitIsFoundAndPacingGoesToDeadlines) {
  TRefreshPacer waits(1000 * Ms, 60, true);
  uint64_t now = 0;
  for (int i = 0; i < 3 * TRefreshPacer::Sample; ++i, now += 16 * Ms) {
    EXPECT_EQ(waits.NextRefresh(now), now);
    EXPECT_FALSE(waits.Shown(now));
  }
  EXPECT_TRUE(waits.Vsync());
  // A 144 Hz display that says 60 still waits.
  TRefreshPacer fast(1000 * Ms, 60, true);
  for (int i = 0; i <= TRefreshPacer::Sample; ++i) EXPECT_FALSE(fast.Shown(i * 7 * Ms));
  EXPECT_TRUE(fast.Vsync());
  TRefreshPacer busy(1000 * Ms, 60, true);
  int found = 0;
  for (int i = 0; i <= TRefreshPacer::Sample; ++i) found += busy.Shown(i * Ms / 2) ? 1 : 0;
  EXPECT_EQ(found, 1);
  EXPECT_FALSE(busy.Vsync());
  EXPECT_GT(busy.NextRefresh(15 * Ms), 15 * Ms);
}

}  // namespace
}  // namespace quellix::media
