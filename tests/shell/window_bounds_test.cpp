#include "shell/window_bounds.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

const Window_Rect kScreen{0, 0, 1600, 1000};
const Window_Rect kRightScreen{1600, 0, 1280, 1024};
// The primary screen less a task bar along its bottom.
const Window_Rect kWorkArea{0, 0, 1600, 960};

struct Case {
  const char* what;
  Window_Rect saved;
  std::vector<Window_Rect> screens;
  Window_Rect expected;
};

TEST(Window_Bounds, SavedBoundsOnNoScreenComeBackToThePrimaryOne) {
  const Case cases[] = {
      {"on screen", {10, 10, 636, 505}, {kScreen}, {10, 10, 636, 505}},
      {"beyond the bottom right", {3000, 3000, 636, 505}, {kScreen}, {10, 10, 636, 505}},
      {"above and left of it", {-700, -600, 636, 505}, {kScreen}, {10, 10, 636, 505}},
      {"one pixel still on it", {1599, 999, 636, 505}, {kScreen}, {1599, 999, 636, 505}},
      {"just past its right edge", {1600, 10, 636, 505}, {kScreen}, {10, 10, 636, 505}},
      {"mostly off the top", {100, -500, 636, 505}, {kScreen}, {100, -500, 636, 505}},
      {"on a second screen", {2000, 100, 636, 505}, {kScreen, kRightScreen}, {2000, 100, 636, 505}},
      {"that screen gone", {2000, 100, 636, 505}, {kScreen}, {10, 10, 636, 505}},
      {"larger than the work area", {5000, 0, 3000, 2000}, {kScreen}, {10, 10, 1590, 950}},
      {"no width", {3000, 10, 0, 505}, {kScreen}, {10, 10, 1, 505}},
      {"at the limits of int", {INT_MAX, INT_MAX, 636, 505}, {kScreen}, {10, 10, 636, 505}},
      {"no screen known", {3000, 3000, 636, 505}, {}, {3000, 3000, 636, 505}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(keep_on_some_screen(c.saved, c.screens, kWorkArea), c.expected) << c.what;
  }
}

TEST(Window_Bounds, TheWindowComesBackInsideTheWorkAreaOfAPrimaryScreenNotAtTheOrigin) {
  const Window_Rect left_screen{-1280, 0, 1280, 1024};
  EXPECT_EQ(keep_on_some_screen({-3000, 50, 636, 505}, {left_screen, kScreen}, {0, 30, 1600, 970}),
            (Window_Rect{10, 40, 636, 505}));
}

TEST(Window_Bounds, BoundsLargerThanTheAvailableAreaAreBroughtWithinItAlongThatAxisOnly) {
  const Window_Rect area{0, 30, 1600, 1170};  // a 1600 x 1200 screen, a panel along its top
  const struct {
    const char* what;
    Window_Rect saved;
    Window_Rect expected;
  } cases[] = {
      {"fits", {10, 40, 636, 505}, {10, 40, 636, 505}},
      {"fits, moved partly off", {1400, 1000, 636, 505}, {1400, 1000, 636, 505}},
      {"exactly the area", {0, 30, 1600, 1170}, {0, 30, 1600, 1170}},
      {"too large both ways", {0, 0, 3002, 2425}, {0, 30, 1600, 1170}},
      {"too wide only", {-50, 300, 1700, 505}, {0, 300, 1600, 505}},
      {"too high only, off the bottom", {900, 800, 636, 1300}, {900, 30, 636, 1170}},
  };
  for (const auto& c : cases) EXPECT_EQ(fit_to_available_area(c.saved, area), c.expected) << c.what;
}

TEST(Window_Bounds, TheScreenAWindowLandsOnHoldsMostOfIt) {
  const std::vector<Window_Rect> screens{kScreen, kRightScreen};
  EXPECT_EQ(screen_holding_most_of({1000, 10, 636, 505}, screens), 0);
  EXPECT_EQ(screen_holding_most_of({1300, 10, 636, 505}, screens), 1);
  EXPECT_EQ(screen_holding_most_of({-3000, 10, 636, 505}, screens), -1);
  EXPECT_EQ(screen_holding_most_of({INT_MAX - 5, 10, 636, 505}, screens), -1);
}

}  // namespace
