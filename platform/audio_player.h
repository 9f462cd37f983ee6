#pragma once
// Plays WAV images held in memory, one sound at a time.

#include <memory>
#include <vector>

// The whole bytes of a WAV file. Shared, so that a sound playing in the
// background keeps its bytes alive whatever the owner does meanwhile.
using Sound_Image = std::shared_ptr<const std::vector<unsigned char>>;

class Audio_Player {
 public:
  virtual ~Audio_Player() = default;
  // Plays the image to its end and returns then; false when it could not be
  // played (no image, not a sound the player accepts, no sound device).
  virtual bool play_sync(const Sound_Image& image) = 0;
  // Starts the image repeating in the background and returns at once.
  virtual bool play_loop(const Sound_Image& image) = 0;
  // Stops whatever is playing.
  virtual void stop_all() = 0;
};

std::unique_ptr<Audio_Player> make_system_audio_player();
