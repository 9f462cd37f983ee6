// Keying with the mouse on a fake clock: what is written, what sounds, and
// the open-letter indicator.

#include "sound/mouse_keying.h"

#include <gtest/gtest.h>

#include "sound/fake_sound_window.h"

namespace {

class Mouse_Keying : public ::testing::Test {
 protected:
  void press_at(double ms, Key_Button button) {
    w.clock_.advance(std::chrono::microseconds(static_cast<long long>((ms - w.now_ms()) * 1000)));
    keyer.press(button, w);
  }
  std::vector<std::string>& lines() { return w.input.lines; }

  Fake_Sound_Window w;
  Mouse_Keyer keyer;
};

TEST_F(Mouse_Keying, APauseLongerThanTheDelayStartsALetterWithASpace) {
  press_at(0, Key_Button::Left);  // the first press opens a letter
  EXPECT_EQ(lines(), (std::vector<std::string>{" ."}));
  EXPECT_EQ(w.sounds(), (std::vector<std::string>{"dot@0"}));
  press_at(60 + 400, Key_Button::Right);  // measured from the end of the dot: not more than 400
  EXPECT_EQ(lines(), (std::vector<std::string>{" .-"}));
  press_at(640 + 400.5, Key_Button::Left);
  EXPECT_EQ(lines(), (std::vector<std::string>{" .- ."}));
  EXPECT_EQ(w.sounds_at_once(), 3);  // a key's sound does not wait for playback's pacing
}

TEST_F(Mouse_Keying, AMiddlePressWritesOnlyTheSpaceButRestartsTheGap) {
  press_at(0, Key_Button::Left);
  press_at(1000, Key_Button::Middle);
  EXPECT_EQ(lines(), (std::vector<std::string>{" . "}));
  press_at(1300, Key_Button::Middle);
  press_at(1600, Key_Button::Left);  // 300 ms after the last middle press
  EXPECT_EQ(lines(), (std::vector<std::string>{" . ."}));
  EXPECT_EQ(w.sounds().size(), 2u);
}

TEST_F(Mouse_Keying, TheIndicatorOpensWithALetterAndClosesOnTheFirstTickAfterThePause) {
  press_at(0, Key_Button::Left);
  EXPECT_TRUE(w.indicator);
  w.clock_.advance(std::chrono::milliseconds(400));
  keyer.tick(w);  // exactly the delay since the end of the dot: still open
  EXPECT_TRUE(w.indicator);
  w.clock_.advance(std::chrono::milliseconds(25));
  keyer.tick(w);
  EXPECT_FALSE(w.indicator);
  keyer.tick(w);
  EXPECT_FALSE(w.indicator);
}

TEST_F(Mouse_Keying, AFailedSoundStillWritesItsCharacterAfterTheBox) {
  w.existing.clear();
  keyer.press(Key_Button::Right, w);
  EXPECT_EQ(w.errors.size(), 1u);
  EXPECT_EQ(lines(), (std::vector<std::string>{" -"}));
}

TEST_F(Mouse_Keying, AfterTheWindowIsActivatedAgainTheNextPressOpensALetter) {
  press_at(0, Key_Button::Left);
  keyer.forget_last_key();
  press_at(100, Key_Button::Left);
  EXPECT_EQ(lines(), (std::vector<std::string>{" . ."}));
}

}  // namespace
