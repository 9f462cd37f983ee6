#include "platform/audio_capture.h"

#include <windows.h>
// After windows.h, which it needs.
#include <mmsystem.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>

namespace {

// Asked of the device: a rate that holds every tone Morse is sent at, in
// buffers of 64 ms, short beside a letter. The wave mapper converts from what
// the device records.
constexpr DWORD capture_rate = 16000;
constexpr std::size_t buffer_frames = 1024;
// The buffers are only looked at when the owner takes, every 50 ms or so:
// eight of them give the device half a second to fill before it has none
// left and drops what it hears.
constexpr std::size_t buffer_count = 8;
// A device that gives nothing for this long while buffers wait counts as
// gone: a source that stops is not always reported as an error (under Wine, a
// PulseAudio source that stops just leaves the buffers waiting).
constexpr std::chrono::seconds silent_for_good{5};

std::string utf8_of(const wchar_t* text) {
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (bytes <= 1) return {};
  std::string out(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), bytes, nullptr, nullptr);
  out.pop_back();  // the terminating zero
  return out;
}

std::string error_text(MMRESULT error) {
  wchar_t text[MAXERRORLENGTH] = {};
  if (waveInGetErrorTextW(error, text, MAXERRORLENGTH) != MMSYSERR_NOERROR)
    return "error " + std::to_string(error);
  return utf8_of(text);
}

// The devices in the system's order, which is also their identifiers.
std::vector<std::string> names_of_devices() {
  std::vector<std::string> names;
  const UINT count = waveInGetNumDevs();
  for (UINT id = 0; id < count; ++id) {
    WAVEINCAPSW caps{};
    // A device that does not answer keeps its place, under no name.
    const bool known = waveInGetDevCapsW(id, &caps, sizeof caps) == MMSYSERR_NOERROR;
    names.push_back(known ? utf8_of(caps.szPname) : std::string());
  }
  return names;
}

// The driver sets WHDR_DONE from its own thread once it has written a buffer;
// the samples are read only after seeing it.
bool done(const WAVEHDR& header) {
  const bool is_done = (static_cast<const volatile DWORD&>(header.dwFlags) & WHDR_DONE) != 0;
  std::atomic_thread_fence(std::memory_order_acquire);
  return is_done;
}

// Polled rather than called back: take() collects the buffers the device has
// filled, in the order they were queued, and queues them again. No thread, no
// lock, and nothing runs in the driver's callback context (which may call
// almost nothing). What is kept is bounded by the buffers themselves; an
// owner held up for more than their half second loses what was heard
// meanwhile rather than piling it up.
class Wave_In_Capture final : public Audio_Capture {
 public:
  Wave_In_Capture() = default;
  Wave_In_Capture(const Wave_In_Capture&) = delete;
  Wave_In_Capture& operator=(const Wave_In_Capture&) = delete;

  ~Wave_In_Capture() override {
    if (in_ == nullptr) return;
    // Every queued buffer comes back done, so each can be unprepared and the
    // device closed before the memory goes.
    waveInReset(in_);
    for (WAVEHDR& header : headers_)
      if (header.dwFlags & WHDR_PREPARED) waveInUnprepareHeader(in_, &header, sizeof header);
    waveInClose(in_);
  }

  // MMSYSERR_NOERROR, or what went wrong.
  MMRESULT open(UINT device, DWORD flags) {
    WAVEFORMATEX format{};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 1;
    format.nSamplesPerSec = capture_rate;
    format.wBitsPerSample = 16;
    format.nBlockAlign = 2;
    format.nAvgBytesPerSec = capture_rate * format.nBlockAlign;
    MMRESULT result = waveInOpen(&in_, device, &format, 0, 0, CALLBACK_NULL | flags);
    if (result != MMSYSERR_NOERROR) {
      in_ = nullptr;
      return result;
    }
    for (std::size_t i = 0; i < buffer_count; ++i) {
      WAVEHDR& header = headers_[i];
      header.lpData = reinterpret_cast<LPSTR>(memory_[i].data());
      header.dwBufferLength = sizeof memory_[i];
      if ((result = waveInPrepareHeader(in_, &header, sizeof header)) != MMSYSERR_NOERROR ||
          (result = waveInAddBuffer(in_, &header, sizeof header)) != MMSYSERR_NOERROR)
        return result;
    }
    last_heard_ = std::chrono::steady_clock::now();
    return waveInStart(in_);
  }

  double rate() const override { return capture_rate; }

  bool take(std::vector<float>& samples) override {
    if (lost_) return false;
    bool heard = false;
    bool refused = false;
    while (done(headers_[next_])) {
      WAVEHDR& header = headers_[next_];
      const std::size_t count =
          std::min<std::size_t>(header.dwBytesRecorded / sizeof(std::int16_t), buffer_frames);
      const std::int16_t* pcm = memory_[next_].data();
      for (std::size_t i = 0; i < count; ++i) samples.push_back(pcm[i] / 32768.0f);
      heard = heard || count > 0;
      header.dwFlags &= ~WHDR_DONE;
      header.dwBytesRecorded = 0;
      // A device that takes no more buffers has gone; the ones it has filled
      // are still given.
      if (!refused) refused = waveInAddBuffer(in_, &header, sizeof header) != MMSYSERR_NOERROR;
      next_ = (next_ + 1) % buffer_count;
    }
    const auto now = std::chrono::steady_clock::now();
    if (heard) last_heard_ = now;
    lost_ = refused || now - last_heard_ > silent_for_good;
    return !lost_;
  }

 private:
  HWAVEIN in_ = nullptr;
  std::array<WAVEHDR, buffer_count> headers_{};
  std::array<std::array<std::int16_t, buffer_frames>, buffer_count> memory_{};
  std::size_t next_ = 0;  // the buffer due back first
  std::chrono::steady_clock::time_point last_heard_;
  bool lost_ = false;
};

}  // namespace

Capture_Opening open_audio_capture(const std::string& name) {
  if (waveInGetNumDevs() == 0) return {nullptr, Capture_Failure::No_Device, {}};
  UINT device = WAVE_MAPPER;
  DWORD flags = 0;
  if (!name.empty()) {
    const std::vector<std::string> names = names_of_devices();
    const auto found = std::find(names.begin(), names.end(), name);
    if (found == names.end())
      return {nullptr, Capture_Failure::No_Device, "no capture device is named \"" + name + "\""};
    device = static_cast<UINT>(found - names.begin());
    // Through the mapper all the same, which converts from the device's own
    // formats.
    flags = WAVE_MAPPED;
  }
  auto capture = std::make_unique<Wave_In_Capture>();
  const MMRESULT result = capture->open(device, flags);
  if (result == MMSYSERR_NOERROR) return {std::move(capture), Capture_Failure::None, {}};
  const bool no_device =
      result == WAVERR_BADFORMAT || result == MMSYSERR_BADDEVICEID || result == MMSYSERR_NODRIVER;
  return {nullptr, no_device ? Capture_Failure::No_Device : Capture_Failure::Refused,
          error_text(result)};
}

std::vector<std::string> audio_capture_devices(std::string&) {
  std::vector<std::string> names = names_of_devices();
  std::erase(names, std::string());
  return names;
}
