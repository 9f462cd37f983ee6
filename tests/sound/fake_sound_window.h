#pragma once
// The window as playback and keying see it, on a fake clock: the player moves
// the clock by each sound's length, waits move it to their end, and "user
// actions" scheduled at given times run from the message loop when due.

#include <algorithm>
#include <charconv>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "fakes/fake_audio_player.h"
#include "fakes/fake_clock.h"
#include "sound/sound_window.h"

class Fake_Text_Lines final : public Text_Lines {
 public:
  int count() const override { return static_cast<int>(lines.size()); }
  std::string line(int i) const override {
    return i >= 0 && i < count() ? lines[static_cast<size_t>(i)] : std::string();
  }
  void set_line(int i, std::string_view text) override { lines.at(static_cast<size_t>(i)) = text; }
  void append(std::string_view text) override { lines.emplace_back(text); }
  std::vector<std::string> lines;
};

class Fake_Sound_Window final : public Sound_Window, public Message_Loop {
 public:
  Fake_Sound_Window() {
    player_.know(dot, "dot", std::chrono::milliseconds(60));
    player_.know(dash, "dash", std::chrono::milliseconds(180));
  }

  // Runs `action` from the message loop once the clock reaches `at_ms`.
  void at(double at_ms, std::function<void()> action) {
    actions_.emplace(at_ms, std::move(action));
  }
  // "name@ms" for every sound, error box and indicator change, in order.
  std::vector<std::string> events;

  Audio_Player& player() override { return player_; }
  Sound_Image sound(Element e) const override { return e == Element::Dot ? dot : dash; }
  std::string sound_file_name(Element e) const override {
    return e == Element::Dot ? dot_name : dash_name;
  }
  bool file_exists(const std::string& path) const override { return existing.count(path) > 0; }
  void show_error(const std::string& text) override {
    errors.push_back(text);
    log("error");
  }
  Clock& clock() override { return clock_; }
  Message_Loop& message_loop() override { return *this; }
  bool halt_flag() const override { return halt; }
  void set_halt_flag(bool on) override { halt = on; }
  void set_play_buttons_enabled(bool enabled) override { play_buttons = enabled; }
  void set_halt_button_enabled(bool enabled) override { halt_button = enabled; }
  void set_letter_timer_running(bool running) override { timer = running; }
  void set_letter_indicator(bool on) override {
    if (on != indicator) log(on ? "letter" : "gap");
    indicator = on;
  }
  int letter_playback_delay() const override { return letter_delay; }
  int dot_dash_playback_delay() const override { return element_delay; }
  int letter_input_delay() const override { return input_delay; }
  void append_to_input_last_line(char c) override {
    if (input.lines.empty()) input.lines.emplace_back();
    input.lines.back() += c;
  }

  void run_pending() override {
    ++pending_runs;
    while (!actions_.empty() && actions_.begin()->first <= clock_.elapsed_ms()) {
      auto action = std::move(actions_.begin()->second);
      actions_.erase(actions_.begin());
      action();
    }
  }
  void wait(std::chrono::microseconds at_most) override {
    ++waits;
    auto step = at_most;
    if (!actions_.empty()) {
      const auto until_action = std::chrono::microseconds(
          static_cast<long long>((actions_.begin()->first - clock_.elapsed_ms()) * 1000));
      step = std::max(std::chrono::microseconds(0), std::min(step, until_action));
    }
    clock_.advance(step);
    run_pending();
  }

  // Sounds as "dot@0", "dash@110"...
  std::vector<std::string> sounds() const {
    std::vector<std::string> all;
    for (const auto& p : player_.played) all.push_back(p.sound + "@" + ms(p.start_ms));
    return all;
  }
  double now_ms() const { return clock_.elapsed_ms(); }
  int sounds_at_once() const {
    return static_cast<int>(std::count_if(player_.played.begin(), player_.played.end(),
                                          [](const auto& p) { return p.at_once; }));
  }

  Sound_Image dot = std::make_shared<const std::vector<unsigned char>>(1, 'd');
  Sound_Image dash = std::make_shared<const std::vector<unsigned char>>(1, 'D');
  std::string dot_name = "dot.wav";
  std::string dash_name = "dash.wav";
  std::set<std::string> existing{"dot.wav", "dash.wav"};
  std::vector<std::string> errors;
  bool halt = true;
  bool play_buttons = true;
  bool halt_button = false;
  bool timer = true;
  bool indicator = false;
  int letter_delay = 300;
  int element_delay = 50;
  int input_delay = 400;
  int pending_runs = 0;
  int waits = 0;
  Fake_Text_Lines input;
  Fake_Clock clock_;
  Fake_Audio_Player player_{clock_};

 private:
  static std::string ms(double v) {
    // Not std::to_string, which writes the C library locale's decimal point.
    char text[64];
    const std::to_chars_result end =
        std::to_chars(text, text + sizeof text, v, std::chars_format::fixed, 6);
    std::string s(text, end.ptr);
    s.erase(s.find_last_not_of('0') + 1);
    if (s.back() == '.') s.pop_back();
    return s;
  }
  void log(const std::string& what) { events.push_back(what + "@" + ms(clock_.elapsed_ms())); }
  std::multimap<double, std::function<void()>> actions_;
};
