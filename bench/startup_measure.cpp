// Start-up as a user sees it, on the X server named by $DISPLAY: from the
// exec of a program to its first top-level window being mapped (and the
// processor time its threads had used by then, which a busy machine disturbs
// less), and its resident memory a while later. Two programs run in turn, A B A B ..., so
// that a drift of the machine's speed touches both alike; each pair gives a
// ratio A/B.
//   startup_measure [-n RUNS] [-m MS_TO_MEMORY] PROGRAM_A PROGRAM_B
// Each program runs once more first, uncounted. Runs are ended with SIGTERM.
// The server should have no window manager, so that the map of a program's
// own window is what reaches the root window.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <dirent.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

using Steady = std::chrono::steady_clock;

struct Sample {
  double map_ms;
  double cpu_ms;
  double rss_mb;
};

struct Free_Event {
  void operator()(xcb_generic_event_t* e) const { std::free(e); }
};
using Event = std::unique_ptr<xcb_generic_event_t, Free_Event>;

// The next event, or null once `deadline` has passed.
Event next_event(xcb_connection_t* x, Steady::time_point deadline) {
  for (;;) {
    if (Event e{xcb_poll_for_event(x)}) return e;
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Steady::now()).count();
    if (left <= 0) return nullptr;
    pollfd fd{xcb_get_file_descriptor(x), POLLIN, 0};
    poll(&fd, 1, static_cast<int>(left));
  }
}

// Processor time of all the process's threads so far, from the scheduler's
// own accounting (nanoseconds, unlike the clock ticks of /proc/PID/stat).
double processor_ms(pid_t pid) {
  const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
  DIR* dir = opendir(tasks.c_str());
  if (dir == nullptr) return 0;
  double ns = 0;
  while (const dirent* entry = readdir(dir)) {
    if (entry->d_name[0] == '.') continue;
    std::ifstream stat(tasks + "/" + entry->d_name + "/schedstat");
    double on_cpu = 0;
    if (stat >> on_cpu) ns += on_cpu;
  }
  closedir(dir);
  return ns / 1e6;
}

double resident_mb(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::atof(line.c_str() + 6) / 1024.0;
  }
  return 0;
}

std::optional<Sample> run_once(xcb_connection_t* x, const char* program, int memory_ms) {
  while (Event e{xcb_poll_for_event(x)}) {
  }  // what earlier runs left
  const Steady::time_point start = Steady::now();
  const pid_t pid = fork();
  if (pid == 0) {
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, STDOUT_FILENO);
    dup2(null, STDERR_FILENO);
    execl(program, program, static_cast<char*>(nullptr));
    _exit(127);
  }
  std::optional<double> map_ms;
  double cpu_ms = 0;
  const Steady::time_point give_up = start + std::chrono::seconds(10);
  while (!map_ms) {
    const Event e = next_event(x, give_up);
    if (!e) break;
    if ((e->response_type & 0x7f) != XCB_MAP_NOTIFY) continue;
    const auto* map = reinterpret_cast<const xcb_map_notify_event_t*>(e.get());
    if (map->override_redirect) continue;  // a menu or tooltip, not the window
    map_ms = std::chrono::duration<double, std::milli>(Steady::now() - start).count();
    cpu_ms = processor_ms(pid);
  }
  std::this_thread::sleep_until(start + std::chrono::milliseconds(memory_ms));
  const double rss = resident_mb(pid);
  kill(pid, SIGTERM);
  int status = 0;
  waitpid(pid, &status, 0);
  if (!map_ms) {
    std::fprintf(stderr, "%s: no window mapped within 10 s\n", program);
    return std::nullopt;
  }
  return Sample{*map_ms, cpu_ms, rss};
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

void print_row(const char* what, const char* unit, const std::vector<double>& v) {
  std::printf("  %-26s median %8.2f %s  (min %.2f, max %.2f)\n", what, median(v), unit,
              *std::min_element(v.begin(), v.end()), *std::max_element(v.begin(), v.end()));
}

}  // namespace

int main(int argc, char** argv) {
  int runs = 10;
  int memory_ms = 1000;
  int opt;
  while ((opt = getopt(argc, argv, "n:m:")) != -1) {
    if (opt == 'n') runs = std::max(1, std::atoi(optarg));
    if (opt == 'm') memory_ms = std::max(0, std::atoi(optarg));
  }
  if (argc - optind != 2) {
    std::fprintf(stderr, "usage: %s [-n RUNS] [-m MS_TO_MEMORY] PROGRAM_A PROGRAM_B\n", argv[0]);
    return 2;
  }
  const char* programs[2] = {argv[optind], argv[optind + 1]};

  xcb_connection_t* x = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(x)) {
    std::fprintf(stderr, "cannot open the display\n");
    return 2;
  }
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
  const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
  xcb_change_window_attributes(x, root, XCB_CW_EVENT_MASK, &mask);
  xcb_flush(x);

  std::vector<double> map_ms[2];
  std::vector<double> cpu_ms[2];
  std::vector<double> rss_mb[2];
  std::vector<double> map_ratio;
  std::vector<double> cpu_ratio;
  std::vector<double> rss_ratio;
  for (int round = 0; round <= runs; ++round) {
    std::optional<Sample> pair[2];
    for (int p = 0; p < 2; ++p) {
      pair[p] = run_once(x, programs[p], memory_ms);
      if (!pair[p]) return 1;
    }
    if (round == 0) continue;  // the warm-up
    for (int p = 0; p < 2; ++p) {
      map_ms[p].push_back(pair[p]->map_ms);
      cpu_ms[p].push_back(pair[p]->cpu_ms);
      rss_mb[p].push_back(pair[p]->rss_mb);
    }
    map_ratio.push_back(pair[0]->map_ms / pair[1]->map_ms);
    cpu_ratio.push_back(pair[0]->cpu_ms / pair[1]->cpu_ms);
    rss_ratio.push_back(pair[0]->rss_mb / pair[1]->rss_mb);
  }
  xcb_disconnect(x);

  for (int p = 0; p < 2; ++p) {
    std::printf("%s %s (%d runs)\n", p == 0 ? "A" : "B", programs[p], runs);
    print_row("exec to mapped window", "ms", map_ms[p]);
    print_row("processor time by then", "ms", cpu_ms[p]);
    const std::string memory = "resident after " + std::to_string(memory_ms) + " ms";
    print_row(memory.c_str(), "MB", rss_mb[p]);
  }
  std::printf("A/B, pair by pair\n");
  print_row("exec to mapped window", "x ", map_ratio);
  print_row("processor time by then", "x ", cpu_ratio);
  print_row("resident memory", "x ", rss_ratio);
  return 0;
}
