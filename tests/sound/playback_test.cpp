// Playback of an area and the wait it paces itself with, on a fake clock:
// which sounds, when, and what the controls show before and after.

#include "sound/playback.h"

#include <gtest/gtest.h>

#include "sound/delay.h"
#include "sound/fake_sound_window.h"
#include "sound/morse_sounds.h"

namespace {

using Sounds = std::vector<std::string>;

// A dot lasts 60 ms and a dash 180 ms; D = 50, L = 300.
Sounds play(Fake_Sound_Window& w, std::vector<std::string> lines) {
  Fake_Text_Lines area;
  area.lines = std::move(lines);
  Play_Back_Memo_Morse_Code(area, w);
  return w.sounds();
}

TEST(Playback, ElementsAreFollowedByTheirDelayAndSpacesByTheLetterDelay) {
  Fake_Sound_Window outer_spaces;
  EXPECT_EQ(play(outer_spaces, {"  .- "}), (Sounds{"dot@0", "dash@110"}));
  EXPECT_EQ(outer_spaces.now_ms(), 340);        // nothing for the outer spaces
  EXPECT_EQ(outer_spaces.sounds_at_once(), 0);  // paced, so that the pauses are heard as set

  Fake_Sound_Window slash;
  EXPECT_EQ(play(slash, {".-/-..."}),
            (Sounds{"dot@0", "dash@110", "dash@340", "dot@570", "dot@680", "dot@790"}));

  Fake_Sound_Window two_spaces;  // D + 2L between the letters
  EXPECT_EQ(play(two_spaces, {".  ."}), (Sounds{"dot@0", "dot@710"}));

  Fake_Sound_Window two_lines;  // no pause of its own for the line break
  EXPECT_EQ(play(two_lines, {".-", "-."}), (Sounds{"dot@0", "dash@110", "dash@340", "dot@570"}));
  EXPECT_EQ(two_lines.now_ms(), 680);

  Fake_Sound_Window blank;
  EXPECT_EQ(play(blank, {"", " \t ", "ABC"}), Sounds{});
  EXPECT_EQ(blank.now_ms(), 0);
}

TEST(Playback, ControlsAreSetForThePlayAndRestoredAfterIt) {
  Fake_Sound_Window w;
  bool checked_during = false;
  w.at(10, [&] {
    checked_during = !w.play_buttons && w.halt_button && !w.timer && !w.halt && w.indicator;
  });
  play(w, {". ."});
  EXPECT_TRUE(checked_during);
  EXPECT_TRUE(w.play_buttons);
  EXPECT_FALSE(w.halt_button);
  EXPECT_TRUE(w.timer);
  EXPECT_EQ(w.events, (std::vector<std::string>{"letter@0", "gap@110", "letter@410"}));
}

TEST(Playback, HaltDuringAPauseLetsThePauseEndThenStops) {
  Fake_Sound_Window w;
  w.at(200, [&] { w.halt = true; });  // inside the letter pause 110..410
  EXPECT_EQ(play(w, {". . .", "-"}), (Sounds{"dot@0"}));
  EXPECT_EQ(w.now_ms(), 410);
  EXPECT_TRUE(w.play_buttons);
  EXPECT_FALSE(w.halt_button);
}

TEST(Playback, AFailedSoundShowsItsBoxThenEndsAfterItsPause) {
  Fake_Sound_Window deleted;
  deleted.existing.erase("dot.wav");  // the buffer still plays
  EXPECT_EQ(play(deleted, {".-"}), (Sounds{"dot@0"}));
  EXPECT_EQ(deleted.events, (std::vector<std::string>{"letter@0", "error@60"}));
  EXPECT_EQ(deleted.errors[0],
            "Error: The \"Dot\" sound does not exist or could NOT be played.\r\n\r\n"
            "Please check the sound(s) and try again.");
  EXPECT_EQ(deleted.now_ms(), 110);
  EXPECT_TRUE(deleted.halt);  // stays set until the next playback

  Fake_Sound_Window unnamed;
  unnamed.dash_name.clear();
  EXPECT_EQ(play(unnamed, {".-."}), (Sounds{"dot@0", "dash@110"}));
  ASSERT_EQ(unnamed.errors.size(), 1u);
  EXPECT_NE(unnamed.errors[0].find("\"Dash\""), std::string::npos);

  Fake_Sound_Window refused;  // not a sound the player takes
  refused.player_.refuse_all = true;
  play(refused, {"-"});
  EXPECT_EQ(refused.errors, (std::vector<std::string>{element_error_text(Element::Dash)}));

  // Without the sound library the box names the library, not the file.
  Fake_Sound_Window no_library;
  no_library.player_.refuse_all = true;
  no_library.player_.no_sound = "the sound library libSDL2-2.0.so.0 could not be loaded: gone";
  play(no_library, {"-"});
  EXPECT_EQ(no_library.errors,
            (std::vector<std::string>{
                "Error: The sound library libSDL2-2.0.so.0 could not be loaded: gone."}));
}

TEST(Playback, LinesAreReadAsTheyComeAndANestedPlayRunsInsideAPause) {
  Fake_Sound_Window w;
  Fake_Text_Lines area;
  area.lines = {".", "."};
  Fake_Text_Lines other;
  other.lines = {"-"};
  w.at(70, [&] {
    area.lines[1] = "-";           // not begun yet: played as edited
    area.lines.emplace_back(".");  // and a line more
    Play_Back_Memo_Morse_Code(other, w);
    EXPECT_TRUE(w.play_buttons);  // the nested play gave them back
  });
  Play_Back_Memo_Morse_Code(area, w);
  EXPECT_EQ(w.sounds(), (Sounds{"dot@0", "dash@70", "dash@300", "dot@530"}));
}

TEST(Delay, WaitsInTheMessageLoopAndEndsOnTime) {
  Fake_Sound_Window w;
  int ran_at = -1;
  w.at(120, [&] { ran_at = static_cast<int>(w.now_ms()); });
  Delay_Millisec(300, w.clock(), w);
  EXPECT_EQ(w.now_ms(), 300);
  EXPECT_EQ(ran_at, 120);  // handled when it came, not at the end
  EXPECT_LE(w.waits, 3);   // blocked, not polled

  // A message that keeps the loop busy eats into the pause instead of lengthening it.
  Fake_Sound_Window busy;
  busy.at(0, [&] { busy.clock_.advance(std::chrono::milliseconds(100)); });
  Delay_Millisec(300, busy.clock(), busy);
  EXPECT_EQ(busy.now_ms(), 300);

  const int runs = w.pending_runs;
  Delay_Millisec(0, w.clock(), w);
  Delay_Millisec(-5, w.clock(), w);
  EXPECT_EQ(w.pending_runs, runs + 2);  // messages once even without a wait
  EXPECT_EQ(w.now_ms(), 300);
}

}  // namespace
