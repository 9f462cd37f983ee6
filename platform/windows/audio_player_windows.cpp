#include "platform/audio_player.h"

#include <windows.h>
// After windows.h, which it needs.
#include <mmsystem.h>

#include <cstdint>
#include <cstring>
#include <span>
#include <utility>

#include "engine/riff_chunks.h"

namespace {

void write_le32(unsigned char* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<unsigned char>(v >> (8 * i));
}

// The system reads an image in memory without knowing its length: it follows
// the sizes written in the RIFF headers. So an image whose sizes run past its
// end (a cut-off file, or a writer that left the sizes open) would be read
// beyond its bytes. Returns the image itself when every chunk lies within it,
// a copy whose sizes are cut to the bytes present when some do not, and
// nothing when it is no RIFF WAVE image at all.
Sound_Image within_bounds(const Sound_Image& image) {
  const std::vector<unsigned char>& bytes = *image;
  if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 ||
      std::memcmp(bytes.data() + 8, "WAVE", 4) != 0)
    return nullptr;

  const std::uint64_t riff_size = riff_u32(bytes.data() + 4);
  std::size_t end = bytes.size();
  bool cut = true;
  if (riff_size >= 4 && 8 + riff_size <= bytes.size()) {
    end = static_cast<std::size_t>(8 + riff_size);
    cut = false;
  }
  std::size_t cut_chunk_at = 0;  // where the size of a chunk to shorten is
  Riff_Walker chunks(std::span<const unsigned char>(bytes).first(end), 12);
  while (const auto chunk = chunks.next()) {
    if (chunk->cut_short()) {
      cut_chunk_at = chunk->header + 4;
      cut = true;
    }
  }
  if (chunks.position() < end) {  // a partial chunk header: leave it outside
    end = chunks.position();
    cut = true;
  }
  if (!cut) return image;

  auto copy = std::make_shared<std::vector<unsigned char>>(bytes.begin(), bytes.begin() + end);
  write_le32(copy->data() + 4, static_cast<std::uint32_t>(end - 8));
  if (cut_chunk_at != 0)
    write_le32(copy->data() + cut_chunk_at, static_cast<std::uint32_t>(end - cut_chunk_at - 4));
  return copy;
}

LPCSTR as_sound(const Sound_Image& image) { return reinterpret_cast<LPCSTR>(image->data()); }

class Windows_Audio_Player final : public Audio_Player {
 public:
  ~Windows_Audio_Player() override {
    if (looping_) stop_all();
  }

  bool play_sync(const Sound_Image& image) override {
    if (!image || image->empty()) return false;
    Sound_Image playable = within_bounds(image);
    const bool played = playable && PlaySoundA(as_sound(playable), nullptr, SND_MEMORY) != FALSE;
    // One sound at a time: a played sound has ended any loop. One that was
    // refused may not have got that far, so make sure before letting go.
    if (looping_) {
      if (!played) stop();
      looping_.reset();
    }
    return played;
  }

  bool play_loop(const Sound_Image& image) override {
    if (!image || image->empty()) return false;
    Sound_Image playable = within_bounds(image);
    if (playable &&
        PlaySoundA(as_sound(playable), nullptr, SND_ASYNC | SND_MEMORY | SND_LOOP) != FALSE) {
      // The system has let go of the previous image only now.
      looping_ = std::move(playable);
      return true;
    }
    if (looping_) {
      stop();
      looping_.reset();
    }
    return false;
  }

  void stop_all() override {
    stop();
    looping_.reset();
  }

 private:
  static void stop() { PlaySoundA(nullptr, nullptr, SND_PURGE); }

  // The bytes the system is reading while it repeats a sound.
  Sound_Image looping_;
};

}  // namespace

std::unique_ptr<Audio_Player> make_system_audio_player() {
  return std::make_unique<Windows_Audio_Player>();
}
