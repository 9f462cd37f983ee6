#pragma once
// Plays WAV images held in memory, one sound at a time.

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The whole bytes of a WAV file. Shared, so that a sound playing in the
// background keeps its bytes alive whatever the owner does meanwhile.
using Sound_Image = std::shared_ptr<const std::vector<unsigned char>>;

class Audio_Player {
 public:
  virtual ~Audio_Player() = default;
  // Plays the image to its end and returns then; false when it could not be
  // played (no image, not a sound the player accepts, no sound device).
  // Every sound starts the same time after its request, so that the silence
  // between a return and the next request is heard as it was.
  virtual bool play_sync(const Sound_Image& image) = 0;
  // The same for a sound that answers a key: it starts as soon as the device
  // can take it, and returns when it has been handed out whole.
  virtual bool play_sync_at_once(const Sound_Image& image) { return play_sync(image); }
  // Makes the device ready for the first sound without waiting for it, so
  // that the first sound starts as soon as a later one.
  virtual void get_ready() {}
  // When the first sample of the last sound went to the device, once it has;
  // for measuring. Nothing from a player that cannot tell.
  virtual std::optional<std::chrono::steady_clock::time_point> last_sound_started() const {
    return std::nullopt;
  }
  // Why no sound can be played at all, in one message for a user (the sound
  // library could not be loaded); empty when sounds can be played.
  virtual std::string no_sound_reason() const { return {}; }
  // Starts the image repeating in the background and returns at once.
  virtual bool play_loop(const Sound_Image& image) = 0;
  // Stops whatever is playing.
  virtual void stop_all() = 0;
};

std::unique_ptr<Audio_Player> make_system_audio_player();
