// Measures a real playback through the window, offscreen, with the system
// player: the processor time it takes, and (with the disk driver, the
// default here) the pauses found in the captured audio against the set
// delays. Also times a keying press from the mouse event to its sound
// request.
//   playback_measure [seconds of Morse, default 10]
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
  bool play_loop(const Sound_Image& image) override { return inner->play_loop(image); }
  void stop_all() override { inner->stop_all(); }

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

  QApplication app(argc, argv);
  Message_Boxes messages;
  Timed_Player player;
  Window_Services services;
  services.player = &player;
  TMainForm1 form(messages, services);
  form.show();
  QCoreApplication::processEvents();

  // A keying press, first: from the mouse event to the player's request.
  const Steady::time_point pressed = Steady::now();
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(30, 30), QPointF(30, 30), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(form.GroupBox1, &press);
  const double press_to_request = ms_between(pressed, player.requests.at(0));
  form.Delay_Millisec(500);  // keeps the keyed dot apart from the playback

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
  std::printf("keying press to sound request: %.3f ms\n", press_to_request);

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
