// The window's scenarios and the monkey on the in-memory front end: the
// whole of ui/ as a user drives it, in milliseconds.
#include <gtest/gtest.h>

#include "tests/monkey/runner.h"
#include "tests/window/fake_form.h"
#include "tests/window/scenarios.h"

TEST(FakeMonkey, KeepsEveryFactOverTwentyThousandActions) {
  window::FakeDriver driver;
  for (std::uint64_t seed : {20240611u, 11u})
    EXPECT_EQ(monkey::run(driver, {.seed = seed, .actions = 20000}, "fake_monkey"), 0);
}

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  window::FakeDriver driver;
  window::registerScenarios("FakeWindow", [&driver]() -> window::Driver& { return driver; });
  return RUN_ALL_TESTS();
}
