#include "panels/window_scaling.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <utility>
#include <vector>

namespace {

struct Component {
  bool control = true;
  Control_Layout layout;
  std::string name;
  int applied = 0;
};

class Fake_Window : public Scalable_Window {
 public:
  int width = 640;
  int height = 480;
  std::vector<Component> parts;
  std::vector<std::string> baseline;

  int client_width() const override { return width; }
  int client_height() const override { return height; }
  int component_count() const override { return static_cast<int>(parts.size()); }
  bool is_control(int k) const override { return parts.at(k).control; }
  Control_Layout layout_of(int k) const override { return parts.at(k).layout; }
  std::string name_of(int k) const override { return parts.at(k).name; }
  void apply_layout(int k, const Control_Layout& layout) override {
    parts.at(k).layout = layout;
    ++parts.at(k).applied;
  }
  int baseline_count() const override { return static_cast<int>(baseline.size()); }
  void add_baseline_line(const std::string& line) override { baseline.push_back(line); }
  std::string baseline_line(int n) const override { return baseline.at(n); }

  std::vector<Control_Layout> layouts() const {
    std::vector<Control_Layout> all;
    for (const Component& c : parts) all.push_back(c.layout);
    return all;
  }
  int applied() const {
    int total = 0;
    for (const Component& c : parts) total += c.applied;
    return total;
  }
  void resize(int w, int h) {
    width = w;
    height = h;
    Scale_Controls_To_Window_Size(*this);
  }
};

// Memo, menu, logo with negative place, timer, label recorded without a point size.
Fake_Window designed_window() {
  Fake_Window w;
  w.parts = {{true, {13, 200, 8, 100, 11}, "Input_Memo"},
             {false, {}, "MainMenu1"},
             {true, {-13, 40, -3, 30, 9}, "Logo_Image"},
             {false, {}, "Timer1"},
             {true, {100, 60, 200, 20, 0}, "Hint_Label"}};
  return w;
}

Fake_Window recorded_window() {
  Fake_Window w = designed_window();
  Record_Initial_Control_Layout(w);
  return w;
}

TEST(ScalingBaseline, WritesSizeLineThenOneLinePerComponentOnce) {
  Fake_Window w = designed_window();
  w.width = 641;
  w.height = 481;
  Record_Initial_Control_Layout(w);
  const std::vector<std::string> expected = {"641 481 W/H Mainform1",
                                             "13 200 8 100 11 Input_Memo",
                                             "0",
                                             "-13 40 -3 30 9 Logo_Image",
                                             "0",
                                             "100 60 200 20 0 Hint_Label"};
  EXPECT_EQ(w.baseline, expected);

  w.width = 900;
  w.parts[0].layout.left = 77;
  Record_Initial_Control_Layout(w);
  EXPECT_EQ(w.baseline, expected);
}

TEST(ScalingBaseline, EmptyClientAreaIsNeverTheBaseline) {
  Fake_Window w = designed_window();
  for (auto [width, height] : {std::pair{0, 480}, {640, 0}, {-5, 480}, {0, 0}}) {
    w.width = width;
    w.height = height;
    Record_Initial_Control_Layout(w);
    EXPECT_TRUE(w.baseline.empty()) << width << "x" << height;
  }
  w.width = 320;
  w.height = 200;
  Record_Initial_Control_Layout(w);
  ASSERT_EQ(w.baseline.size(), 6u);
  EXPECT_EQ(w.baseline[0], "320 200 W/H Mainform1");
}

TEST(ScalingResize, DoesNothingBeforeRecordingOrWithoutAnArea) {
  Fake_Window w = designed_window();
  w.resize(1280, 960);
  EXPECT_EQ(w.applied(), 0);

  // A size line of 0 must not turn into infinite ratios either.
  w.baseline = {"0 480 W/H Mainform1", "13 200 8 100 11 Input_Memo"};
  w.resize(1280, 960);
  EXPECT_EQ(w.applied(), 0);

  w = recorded_window();
  w.resize(0, 0);
  w.resize(800, -1);
  EXPECT_EQ(w.applied(), 0);
}

TEST(ScalingResize, RecordedSizeRestoresEveryControlAndSkipsTheRest) {
  Fake_Window w = recorded_window();
  const std::vector<Control_Layout> design = w.layouts();
  w.resize(1000, 700);
  w.resize(640, 480);
  EXPECT_EQ(w.layouts(), design);
  EXPECT_EQ(w.parts[1].applied, 0);
  EXPECT_EQ(w.parts[3].applied, 0);
  EXPECT_EQ(w.parts[0].applied, 2);
}

TEST(ScalingResize, WidthAndHeightFollowTheirRatiosFontTheSmallerOneDownToOnePoint) {
  Fake_Window w = recorded_window();
  w.resize(1280, 480);  // only wider: the font keeps ratio 1
  EXPECT_EQ(w.parts[0].layout, (Control_Layout{26, 400, 8, 100, 11}));
  EXPECT_EQ(w.parts[2].layout, (Control_Layout{-26, 80, -3, 30, 9}));

  w.resize(480, 480);  // 0.75 wide: 9.75 -> 9, 8.25 pt -> 8, negatives toward zero
  EXPECT_EQ(w.parts[0].layout, (Control_Layout{9, 150, 8, 100, 8}));
  EXPECT_EQ(w.parts[2].layout, (Control_Layout{-9, 30, -3, 30, 6}));

  w.resize(1280, 240);  // height ratio 0.5 is the smaller
  EXPECT_EQ(w.parts[0].layout, (Control_Layout{26, 400, 4, 50, 5}));

  w.resize(480, 360);  // equal ratios
  EXPECT_EQ(w.parts[0].layout, (Control_Layout{9, 150, 6, 75, 8}));
  EXPECT_EQ(w.parts[4].layout, (Control_Layout{75, 45, 150, 15, 0}));

  w.resize(1, 1);  // a font of 0 points does not exist
  EXPECT_EQ(w.parts[0].layout, (Control_Layout{0, 0, 0, 0, 1}));
  EXPECT_EQ(w.parts[2].layout.font_size, 1);
  EXPECT_EQ(w.parts[4].layout.font_size, 0);
}

TEST(ScalingResize, AnySequenceOfResizesEndsInTheSingleResizeLayout) {
  Fake_Window once = recorded_window();
  once.resize(917, 613);

  Fake_Window many = recorded_window();
  for (auto [width, height] :
       {std::pair{1000, 900}, {3, 2}, {0, 0}, {0, 500}, {777, 333}, {1, 1}, {641, 479}}) {
    many.resize(width, height);
  }
  many.resize(917, 613);
  EXPECT_EQ(many.layouts(), once.layouts());
}

TEST(ScaledLayout, ProductsBeyondTheIntRangeArePinned) {
  const Control_Layout scaled = scaled_layout({-3000, 3000, 3000, 3000, 9}, 1e7, 1e7, 1e7);
  EXPECT_EQ(scaled, (Control_Layout{INT_MIN, INT_MAX, INT_MAX, INT_MAX, 90000000}));
}

}  // namespace
