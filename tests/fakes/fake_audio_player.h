#pragma once
// Records every sound played and when, on a fake clock that a synchronous
// play moves on by the sound's length.

#include <chrono>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "fakes/fake_clock.h"
#include "platform/audio_player.h"

class Fake_Audio_Player final : public Audio_Player {
 public:
  struct Played {
    std::string sound;  // the name given to the image, or "?" for an unknown one
    double start_ms;    // on the fake clock
    bool loop;
    bool at_once = false;  // asked to start at once, as a key press asks
  };

  explicit Fake_Audio_Player(Fake_Clock& clock) : clock_(clock) {}

  // Names an image for the record and gives its length; a named image plays.
  void know(const Sound_Image& image, const std::string& name,
            std::chrono::milliseconds length = std::chrono::milliseconds(0)) {
    known_[image.get()] = {name, length};
  }

  bool play_sync(const Sound_Image& image) override {
    looping = nullptr;
    const auto it = known_.find(image.get());
    played.push_back({it == known_.end() ? "?" : it->second.name, clock_.elapsed_ms(), false});
    if (it == known_.end() || refuse_all) return false;
    clock_.advance(it->second.length);
    if (while_playing) while_playing();
    return true;
  }
  bool play_sync_at_once(const Sound_Image& image) override {
    const bool result = play_sync(image);
    played.back().at_once = true;
    return result;
  }
  void get_ready() override { ++readied; }
  bool play_loop(const Sound_Image& image) override {
    const auto it = known_.find(image.get());
    played.push_back({it == known_.end() ? "?" : it->second.name, clock_.elapsed_ms(), true});
    if (it == known_.end() || refuse_all) return false;
    looping = image;
    return true;
  }
  std::string no_sound_reason() const override { return no_sound; }
  void stop_all() override {
    looping = nullptr;
    ++stops;
  }

  std::vector<Played> played;
  Sound_Image looping;  // kept alive as a real player keeps the bytes it repeats
  int stops = 0;
  int readied = 0;
  bool refuse_all = false;
  std::string no_sound;  // the reason given when refuse_all stands for a missing library
  std::function<void()> while_playing;

 private:
  struct Known {
    std::string name;
    std::chrono::milliseconds length;
  };
  Fake_Clock& clock_;
  std::map<const void*, Known> known_;
};
