// The clock behind Timer1: its schedule of deadlines while the timer is enabled.
#include <gtest/gtest.h>

#include <chrono>

#include "host/pacing.h"

namespace zentor {
namespace {

using namespace std::chrono_literals;
using Time = TickClock::Clock::time_point;

const Time kStart = Time{} + 1000s;
constexpr Timer kEnabled{25, true};
constexpr Timer kDisabled{25, false};

TEST(TickClock, FirstTickIsDueOneIntervalAfterTheTimerIsEnabled) {
  TickClock clock;
  clock.Follow(kDisabled, kStart);
  EXPECT_FALSE(clock.Running());
  EXPECT_FALSE(clock.Due(kStart + 1h));
  clock.Follow(kEnabled, kStart + 3ms);
  ASSERT_TRUE(clock.Running());
  EXPECT_EQ(clock.Deadline(), kStart + 28ms);
  EXPECT_FALSE(clock.Due(kStart + 27ms));
  EXPECT_TRUE(clock.Due(kStart + 28ms));
}

TEST(TickClock, LateTicksKeepTheScheduleWithoutDrift) {
  TickClock clock;
  clock.Follow(kEnabled, kStart);
  for (int tick = 1; tick <= 4000; ++tick) {
    ASSERT_EQ(clock.Deadline(), kStart + tick * 25ms) << tick;
    // Every tick starts up to a whole interval late, as a busy machine makes it.
    clock.Ticked(clock.Deadline() + (tick % 6) * 5ms);
  }
}

TEST(TickClock, StallDropsTheMissedTicksInsteadOfRunningThemInABurst) {
  const struct {
    std::chrono::milliseconds late;
    std::chrono::milliseconds nextAfterStart;  // the next deadline, from when the tick began
  } cases[] = {
      {0ms, 25ms},    // on time
      {25ms, 0ms},    // one interval late: still on the schedule, the next is due at once
      {26ms, 25ms},   // more than one interval late: a new schedule from now
      {400ms, 25ms},  // sixteen intervals missed: one tick, not sixteen
  };
  for (const auto& c : cases) {
    TickClock clock;
    clock.Follow(kEnabled, kStart);
    const Time started = clock.Deadline() + c.late;
    clock.Ticked(started);
    EXPECT_EQ(clock.Deadline(), started + c.nextAfterStart) << c.late.count();
  }
}

TEST(TickClock, EnablingAgainWhileRunningKeepsTheSchedule) {
  TickClock clock;
  clock.Follow(kEnabled, kStart);
  clock.Follow(kEnabled, kStart + 20ms);
  EXPECT_EQ(clock.Deadline(), kStart + 25ms);
}

TEST(TickClock, DisablingStopsItAndEnablingStartsAFreshSchedule) {
  TickClock clock;
  clock.Follow(kEnabled, kStart);
  clock.Ticked(kStart + 25ms);
  clock.Follow(kDisabled, kStart + 40ms);
  EXPECT_FALSE(clock.Running());
  clock.Ticked(kStart + 60ms);
  EXPECT_FALSE(clock.Running());
  clock.Follow(kEnabled, kStart + 1000ms);
  EXPECT_EQ(clock.Deadline(), kStart + 1025ms);
}

TEST(TickClock, ResumingAfterABoxSchedulesFromNow) {
  TickClock clock;
  clock.Follow(kEnabled, kStart);
  clock.Resume(kStart + 5s);
  EXPECT_EQ(clock.Deadline(), kStart + 5025ms);
  TickClock stopped;
  stopped.Resume(kStart);
  EXPECT_FALSE(stopped.Running());
}

TEST(TickClock, TimerWithoutIntervalNeverTicks) {
  TickClock clock;
  clock.Follow(Timer{0, true}, kStart);
  EXPECT_FALSE(clock.Running());
}

}  // namespace
}  // namespace zentor
