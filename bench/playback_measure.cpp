// Measures a real playback through the window, offscreen, with the system
// player: the processor time it takes, and (with the disk driver, the
// default here) the pauses found in the captured audio against the set
// delays. Before it, keys 20 dots and dashes in the keying box, the first
// some time after the pointer came into it (half a second unless told), and
// times each from the mouse event to the moment the player handed the
// sound's first sample to the device; the captured tones confirm those
// moments.
//   playback_measure [seconds of Morse, default 10] [ms from the pointer's
//                    coming in to the first press, default 500; "cold": it
//                    never came in, as with a press sent straight to the box]
// The capture goes to $SDL_DISKAUDIOFILE (default /tmp/tapwrenz-playback.raw):
// 48 kHz, 32-bit float, stereo, as the player opens the device.

#include <sys/resource.h>

#include <QApplication>
#include <QMouseEvent>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <vector>

#include "shell/main_form.h"
#include "shell/message_box.h"

namespace {

using Steady = std::chrono::steady_clock;

double cpu_seconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double ms_between(Steady::time_point a, Steady::time_point b) {
  return std::chrono::duration<double, std::milli>(b - a).count();
}

// Passes every play on to the system's player and notes when each was asked
// for and when it returned.
class Timed_Player final : public Audio_Player {
 public:
  bool play_sync(const Sound_Image& image) override {
    requests.push_back(Steady::now());
    const bool played = inner->play_sync(image);
    returns.push_back(Steady::now());
    return played;
  }
  bool play_sync_at_once(const Sound_Image& image) override {
    requests.push_back(Steady::now());
    const bool played = inner->play_sync_at_once(image);
    returns.push_back(Steady::now());
    return played;
  }
  bool play_loop(const Sound_Image& image) override { return inner->play_loop(image); }
  void stop_all() override { inner->stop_all(); }
  void get_ready() override { inner->get_ready(); }
  std::optional<Steady::time_point> last_sound_started() const override {
    return inner->last_sound_started();
  }

  std::unique_ptr<Audio_Player> inner = make_system_audio_player();
  std::vector<Steady::time_point> requests;
  std::vector<Steady::time_point> returns;
};

struct Run {
  long start;  // first frame of a tone or a pause
  long length;
};

// Tones and the pauses between them in a mono view of the capture.
void find_runs(const std::vector<float>& mono, std::vector<Run>& tones, std::vector<Run>& pauses) {
  // A sine passes through zero, so a tone ends only after 2 ms of silence.
  constexpr long kQuiet = 96;
  long i = 0;
  const long n = static_cast<long>(mono.size());
  while (i < n && std::fabs(mono[static_cast<size_t>(i)]) < 1e-4f) ++i;
  while (i < n) {
    const long start = i;
    long quiet = 0;
    while (i < n && quiet < kQuiet) {
      quiet = std::fabs(mono[static_cast<size_t>(i)]) < 1e-4f ? quiet + 1 : 0;
      ++i;
    }
    tones.push_back({start, i - quiet - start});
    const long silence = i - quiet;
    while (i < n && std::fabs(mono[static_cast<size_t>(i)]) < 1e-4f) ++i;
    if (i < n) pauses.push_back({silence, i - silence});
  }
}

}  // namespace

int main(int argc, char** argv) {
  const char* capture = std::getenv("SDL_DISKAUDIOFILE");
  if (!std::getenv("SDL_AUDIODRIVER")) qputenv("SDL_AUDIODRIVER", "disk");
  if (!capture) {
    qputenv("SDL_DISKAUDIOFILE", "/tmp/tapwrenz-playback.raw");
    capture = "/tmp/tapwrenz-playback.raw";
  }
  if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
  const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
  const bool cold = argc > 2 && std::strcmp(argv[2], "cold") == 0;
  const int head_start = argc > 2 && !cold ? std::max(0, std::atoi(argv[2])) : 500;

  QApplication app(argc, argv);
  Message_Boxes messages;
  Timed_Player player;
  Window_Services services;
  services.player = &player;
  TMainForm1 form(messages, services);
  form.show();
  bool first_frame = false;
  form.after_first_frame([&] { first_frame = true; });
  while (!first_frame) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);

  // Keying: dots and dashes at uneven intervals, so that the presses fall
  // anywhere in the device's buffers.
  constexpr int kPresses = 20;
  std::vector<double> press_to_sample;
  std::vector<Steady::time_point> first_samples;
  double press_to_request = 0;
  std::mt19937 random(7);
  // The pointer comes into the keying box before the first press, as a hand
  // on its way to a key does.
  if (!cold) {
    QEnterEvent enter(QPointF(30, 30), QPointF(30, 30), QPointF(30, 30));
    QCoreApplication::sendEvent(form.GroupBox1, &enter);
    form.Delay_Millisec(head_start);
  }
  for (int i = 0; i < kPresses; ++i) {
    const Qt::MouseButton button = i % 3 == 2 ? Qt::RightButton : Qt::LeftButton;
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(30, 30), QPointF(30, 30), button, button,
                      Qt::NoModifier);
    const Steady::time_point pressed = Steady::now();
    QCoreApplication::sendEvent(form.GroupBox1, &press);
    press_to_request = std::max(press_to_request, ms_between(pressed, player.requests.back()));
    const auto started = player.last_sound_started();
    if (!started) {
      std::printf("the player cannot tell when a sound starts\n");
      return 1;
    }
    press_to_sample.push_back(ms_between(pressed, *started));
    first_samples.push_back(*started);
    form.Delay_Millisec(60 + static_cast<int>(random() % 90));
  }
  form.Delay_Millisec(500);  // keeps the keyed sounds apart from the playback

  // "-.-. --.-" with D = 50 and L = 300 and the shipped tones (80 / 240 ms)
  // lasts 2.14 s; as many lines as fill the time asked for.
  QStringList lines;
  for (int i = 0; i < (seconds * 1000 + 2139) / 2140; ++i) lines << QStringLiteral("-.-. --.-");
  form.Input_Memo->setPlainText(lines.join(QChar(u'\n')));
  const size_t first_play = player.requests.size();

  const Steady::time_point wall0 = Steady::now();
  const double cpu0 = cpu_seconds();
  form.Play_Back_Input_Memo_BitBtnClick();
  const double cpu = cpu_seconds() - cpu0;
  const double wall = ms_between(wall0, Steady::now()) / 1000.0;
  std::printf("playback of %zu sounds: %.2f s wall, %.3f s processor (%.1f %% of one core)\n",
              player.requests.size() - first_play, wall, cpu, 100.0 * cpu / wall);
  std::vector<double> sorted = press_to_sample;
  std::sort(sorted.begin(), sorted.end());
  std::printf(
      "keying, %d presses: mouse press to first sample handed to the device: first %.2f ms, "
      "median %.2f ms, worst %.2f ms (press to the player's request at most %.3f ms)\n",
      kPresses, press_to_sample.front(), (sorted[kPresses / 2 - 1] + sorted[kPresses / 2]) / 2,
      sorted.back(), press_to_request);

  if (qgetenv("SDL_AUDIODRIVER") != "disk") return 0;
  form.close();
  std::ifstream in(capture, std::ios::binary);
  const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), {});
  std::vector<float> mono(bytes.size() / 8);  // the left of each stereo frame
  for (size_t i = 0; i < mono.size(); ++i) std::memcpy(&mono[i], bytes.data() + 8 * i, 4);

  std::vector<Run> tones;
  std::vector<Run> pauses;
  find_runs(mono, tones, pauses);
  if (tones.size() != player.requests.size()) {
    std::printf("found %zu tones for %zu plays\n", tones.size(), player.requests.size());
    return 1;
  }
  // The keyed tones' starts in the capture against the moments the player
  // gave: the gaps between them agree to within the driver's pacing.
  double keyed_worst = 0;
  const double keyed_rate = static_cast<double>(tones[kPresses - 1].start - tones[0].start) /
                            (ms_between(first_samples.front(), first_samples.back()) / 1000.0);
  for (int i = 1; i < kPresses; ++i) {
    const double heard = 1000.0 *
                         static_cast<double>(tones[static_cast<size_t>(i)].start - tones[0].start) /
                         keyed_rate;
    keyed_worst = std::max(keyed_worst,
                           std::fabs(heard - ms_between(first_samples.front(), first_samples[i])));
  }
  std::printf(
      "keyed tones in the capture against the player's first-sample moments: "
      "within %.2f ms\n",
      keyed_worst);
  // The disk driver's clock is not the wall clock: each pause is compared
  // with the wall-clock time between its play's return and the next request,
  // in frames of the driver's own rate over the playback.
  const double rate =
      static_cast<double>(tones.back().start + tones.back().length - tones[first_play].start) /
      (ms_between(player.requests[first_play], player.returns.back()) / 1000.0);
  double worst = 0;
  double sum = 0;
  int letter_pauses = 0;
  for (size_t k = first_play; k + 1 < tones.size(); ++k) {
    const Run& pause = pauses[k];
    const double heard = 1000.0 * static_cast<double>(pause.length) / rate;
    const double asked = ms_between(player.returns[k], player.requests[k + 1]);
    const double set = asked > 200 ? 350.0 : 50.0;
    letter_pauses += asked > 200;
    worst = std::max(worst, std::fabs(heard - set));
    sum += heard - set;
  }
  const size_t n = tones.size() - 1 - first_play;
  std::printf("capture at %.0f frames/s of wall time: %zu pauses (%d of them letter gaps)\n", rate,
              n, letter_pauses);
  std::printf("pause heard minus set delay (50 or 350 ms): mean %+.2f ms, worst %.2f ms\n",
              sum / static_cast<double>(n), worst);
  return 0;
}
