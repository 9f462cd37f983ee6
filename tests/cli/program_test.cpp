// The built program run as a user runs it: options and their exit status,
// no display needed, and the settings file beside it read but never written.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <filesystem>

#include "listen/synth.h"
#include "wav_files.h"

namespace fs = std::filesystem;

namespace {

struct Result {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs `program` with the input on stdin, without DISPLAY, WAYLAND_DISPLAY
// and QT_QPA_PLATFORM (a program that made a window would fail to start),
// then with the variables of `environment` ("NAME=value") set.
Result run(const std::string& program, const std::vector<std::string>& args,
           const std::string& input, const std::string& work,
           const std::vector<std::string>& environment = {}) {
  const std::string in = work + "/stdin", out = work + "/stdout", err = work + "/stderr";
  write_file(in, input);
  const pid_t pid = fork();
  if (pid == 0) {
    const int fds[] = {::open(in.c_str(), O_RDONLY),
                       ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644),
                       ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644)};
    for (int i = 0; i < 3; ++i) ::dup2(fds[i], i);
    ::unsetenv("DISPLAY");
    ::unsetenv("WAYLAND_DISPLAY");
    ::unsetenv("QT_QPA_PLATFORM");
    for (const std::string& variable : environment) ::putenv(const_cast<char*>(variable.c_str()));
    if (::chdir(work.c_str()) != 0) ::_exit(126);  // where a relative name would land
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
  }
  Result r;
  int status = 0;
  ::waitpid(pid, &status, 0);
  r.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  r.out = read_file(out);
  r.err = read_file(err);
  return r;
}

// The program runs from a copy of its folder, so that the settings file
// beside it is the test's own.
class Program : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    fs::create_directory(bin());
    fs::copy_file(TAPWRENZ_BINARY, program());
    write_file(bin() + "/Mores_Code_Dot_Tone.wav", wav_bytes(tone(1000, 1, 10)));
    write_file(bin() + "/Mores_Code_Dash_Tone.wav", wav_bytes(tone(1000, 1, 30)));
  }
  std::string bin() const { return dir.path().toStdString() + "/bin"; }
  std::string program() const { return bin() + "/tapwrenz"; }
  std::string ini() const { return bin() + "/tapwrenz.ini"; }
  Result run(const std::vector<std::string>& args, const std::string& input = "",
             const std::vector<std::string>& environment = {}) {
    return ::run(program(), args, input, dir.path().toStdString(), environment);
  }

  QTemporaryDir dir;
};

TEST_F(Program, ConvertsBothWaysWithoutADisplay) {
  const Result morse = run({"--to-morse"}, "CQ CQ DE TAPWREN\n");
  EXPECT_EQ(morse.status, 0) << morse.err;
  EXPECT_EQ(morse.out, "-.-. --.-   -.-. --.-   -.. .   - .- .--. .-- .-. . -. \n");
  EXPECT_EQ(morse.err, "");
  const Result text = run({"--to-text", "--alphabet", "russian"}, ".-.- ......\n");
  EXPECT_EQ(text.out, "Я.\n");
  EXPECT_EQ(run({"--version"}).out, "Tapwren v2.0f\n");
  EXPECT_NE(run({"--help"}).out.find("--wav FILE"), std::string::npos);
  EXPECT_FALSE(fs::exists(ini()));  // nothing written where there was nothing
}

TEST_F(Program, WrongOptionsExitWithStatusTwoAndOneLine) {
  const std::vector<std::vector<std::string>> wrong = {{"--to-morse", "--nonsense"},
                                                       {"--to-text", "--alphabet"},
                                                       {"--wav", "o.wav", "--letter-delay", "soon"},
                                                       {"--wav", "o.wav", "--element-delay", "5"},
                                                       {"--alphabet", "english"}};
  for (const auto& args : wrong) {
    const Result r = run(args, ".-\n");
    EXPECT_EQ(r.status, 2) << testing::PrintToString(args);
    EXPECT_EQ(r.out, "");
    ASSERT_FALSE(r.err.empty());
    EXPECT_EQ(r.err.rfind("tapwrenz: ", 0), 0u) << r.err;
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
  }
  EXPECT_EQ(run({"--to-morse", "--nonsense"}).err,
            "tapwrenz: unknown option '--nonsense' (see --help)\n");
}

TEST_F(Program, ListensToARecordingFromAFileOrStandardInput) {
  Test_Wav w = sine(8000, 1, 300);  // a dash at 12 WPM, then silence
  w.samples.resize(w.samples.size() + 4000, 0);
  const std::string wav = dir.path().toStdString() + "/t.wav";
  write_file(wav, wav_bytes(w));
  const Result text = run({"--listen", "-"}, wav_bytes(w));
  EXPECT_EQ(text.status, 0) << text.err;
  EXPECT_EQ(text.out, "T\n");
  const Result morse = run({"--listen", wav, "--to-morse"});
  EXPECT_EQ(morse.out, "- \n");
  EXPECT_EQ(run({"--listen", wav + ".missing"}).status, 1);
}

TEST_F(Program, TakesItsDefaultsFromTheSettingsFileAndLeavesItAlone) {
  // Russian, a letter delay below the bounds (read as 25, as the window
  // reads it) and an element delay of 100.
  const std::string settings =
      "[tapwrenz]\r\nAlphabet_RadioGroup=3\r\nLetter_Playback_Delay_Millisec_SpinEdit=5\r\n"
      "Dot_Dash_Playback_Delay_Millisec_SpinEdit=100\r\n";
  write_file(ini(), settings);
  const auto stamp = fs::last_write_time(ini());

  EXPECT_EQ(run({"--to-text"}, ".-.-\n").out, "Я\n");
  EXPECT_EQ(run({"--to-text", "--alphabet", "english"}, "...\n").out, "S\n");

  const std::string wav = dir.path().toStdString() + "/out.wav";
  const Result r = run({"--wav", wav}, ". .");
  ASSERT_EQ(r.status, 0) << r.err;
  Test_Wav w;
  ASSERT_TRUE(parse_wav(read_file(wav), w));
  EXPECT_EQ(w.rate, 1000);
  EXPECT_EQ(w.frames(), 10 + 100 + 25 + 10 + 100);

  EXPECT_EQ(read_file(ini()), settings);
  EXPECT_EQ(fs::last_write_time(ini()), stamp);
}

TEST_F(Program, SaysOnceWhatTheInputLackedAndStillDoesItsWork) {
  const struct {
    std::vector<std::string> args;
    std::string input;
    std::string out;
    std::string err;
  } cases[] = {
      {{"--to-morse"}, "CQ\n", "-.-. --.- \n", ""},
      {{"--to-morse"},
       "\xC3\xA9\n",  // é
       "\n",
       "tapwrenz: 1 character had no code in the English alphabet and was left out\n"},
      // Characters as typed, not bytes: two of two bytes each and one of four.
      {{"--to-morse", "--alphabet", "norwegian"},
       "E\xC3\xBC\xD0\xB6\xF0\x9F\x98\x80"
       "E\nE\n",  // Eüж😀E, E
       ". . \n. \n",
       "tapwrenz: 3 characters had no code in the Norwegian alphabet and were left out\n"},
      // Russian has no code for a space or a small letter.
      {{"--to-morse", "--alphabet", "russian"},
       "\xD0\x9C\xD0\x98\xD0\xA0 \xD0\xBC\n",  // МИР м
       "-- .. .-. \n",
       "tapwrenz: 2 characters had no code in the Russian alphabet and were left out\n"},
      {{"--to-text"}, "...\n", "S\n", ""},
  };
  for (const auto& c : cases) {
    const Result r = run(c.args, c.input);
    EXPECT_EQ(r.status, 0) << testing::PrintToString(c.input);
    EXPECT_EQ(r.out, c.out) << testing::PrintToString(c.input);
    EXPECT_EQ(r.err, c.err) << testing::PrintToString(c.input);
  }

  // Text where Morse belongs: the silent file is written all the same.
  const std::string wav = dir.path().toStdString() + "/out.wav";
  const Result text = run({"--wav", wav}, "hello\n");
  EXPECT_EQ(text.status, 0);
  EXPECT_EQ(text.err, "tapwrenz: no Morse code in the input: convert text with --to-morse first\n");
  Test_Wav silent;
  ASSERT_TRUE(parse_wav(read_file(wav), silent));
  EXPECT_EQ(silent.frames(), 0);
}

TEST_F(Program, AWavToStandardOutputIsNoFileNamedDash) {
  const Result r = run({"--wav", "-", "--element-delay", "25", "--letter-delay", "40"}, ". .");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  Test_Wav w;
  ASSERT_TRUE(parse_wav(r.out, w));
  EXPECT_EQ(w.rate, 1000);
  EXPECT_EQ(w.frames(), 10 + 25 + 40 + 10 + 25);  // dot, D, L, dot, D
  EXPECT_FALSE(fs::exists(dir.path().toStdString() + "/-"));
}

TEST_F(Program, AFailedRenderExitsWithStatusOne) {
  write_file(bin() + "/Mores_Code_Dot_Tone.wav", "not a sound");
  const std::string wav = dir.path().toStdString() + "/out.wav";
  const Result r = run({"--wav", wav}, ".-");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "tapwrenz: the dot sound \"" + bin() +
                       "/Mores_Code_Dot_Tone.wav\" is no WAV file that can be played\n");
  EXPECT_FALSE(fs::exists(wav));
}

TEST_F(Program, AnInterruptedRenderLeavesNoFile) {
  int input[2];
  ASSERT_EQ(::pipe(input), 0);
  const std::string out = dir.path().toStdString() + "/out";
  fs::create_directory(out);
  const pid_t pid = fork();
  if (pid == 0) {
    ::dup2(input[0], 0);
    ::close(input[1]);
    ::execl(program().c_str(), program().c_str(), "--wav", (out + "/x.wav").c_str(), nullptr);
    ::_exit(127);
  }
  ::close(input[0]);
  // A render that waits for more input once its temporary file exists.
  ASSERT_EQ(::write(input[1], ".-\n", 3), 3);
  int status = 0;
  while (fs::is_empty(out)) {
    ASSERT_EQ(::waitpid(pid, &status, WNOHANG), 0) << "the render ended by itself";
    ::usleep(1000);
  }
  ::kill(pid, SIGINT);
  ::waitpid(pid, &status, 0);
  ::close(input[1]);
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGINT);
  EXPECT_TRUE(fs::is_empty(out));
}

// The sound library's disk driver as the microphone, four times as fast as
// heard: the text goes out as it is decided, and an interrupt ends the
// listening cleanly, its line ended.
TEST_F(Program, ListensToTheCaptureDeviceUntilInterrupted) {
  Synth_Recording r;
  r.text = "CQ DE TEST";
  r.rate = 16000;  // what the device is asked for
  r.wpm = 22;
  const std::vector<float> samples = synthesize(r);
  const std::string raw = dir.path().toStdString() + "/microphone.raw";
  write_file(raw, std::string(reinterpret_cast<const char*>(samples.data()),
                              samples.size() * sizeof(float)));
  const std::string out = dir.path().toStdString() + "/heard";
  for (const bool morse : {false, true}) {
    const pid_t pid = fork();
    if (pid == 0) {
      ::dup2(::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 1);
      ::dup2(::open("/dev/null", O_WRONLY), 2);
      ::setenv("SDL_AUDIODRIVER", "disk", 1);
      ::setenv("SDL_DISKAUDIOFILEIN", raw.c_str(), 1);
      ::setenv("SDL_DISKAUDIODELAY", "16", 1);
      ::execl(program().c_str(), program().c_str(), "--listen-device",
              morse ? "--to-morse" : "--to-text", nullptr);
      ::_exit(127);
    }
    const std::string all = morse ? "-.-. --.-   -.. .   - . ... -   " : "CQ DE TEST ";
    int status = 0;
    for (int wait = 0; wait < 60000 && read_file(out) != all; ++wait) {
      ASSERT_EQ(::waitpid(pid, &status, WNOHANG), 0) << "the listening ended by itself";
      ::usleep(1000);
    }
    ::kill(pid, morse ? SIGTERM : SIGINT);
    ::waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(read_file(out), all + "\n");
  }
  // The disk driver has one device, the default one.
  const Result listed = run({"--list-devices"}, "", {"SDL_AUDIODRIVER=disk"});
  EXPECT_EQ(listed.status, 0);
  EXPECT_EQ(std::count(listed.out.begin(), listed.out.end(), '\n'), 1) << listed.out;
}

// Without a display the window cannot start: one line of ours says so and
// where the command line is, with no core dump and none of the toolkit's
// text; a display that is set but cannot be reached ends the same way.
TEST_F(Program, WithoutADisplayTheWindowSaysSoInOneLine) {
  const std::string line =
      "tapwrenz: there is no display to show the window on; for the command line, see "
      "tapwrenz --help\n";
  const struct {
    std::vector<std::string> args;
    std::vector<std::string> environment;
  } cases[] = {
      {{}, {}},
      // A file manager's send-to passes file names alone: the program goes
      // for its window, not for the command line (whose wrong-option line
      // would end with status 2).
      {{"letter one.txt", "b.wav"}, {}},
      {{}, {"DISPLAY=:99"}},
      {{"message.txt"}, {"DISPLAY=:99"}},
      {{}, {"QT_QPA_PLATFORM=xcb"}},
  };
  for (const auto& c : cases) {
    const Result r = run(c.args, "", c.environment);
    const std::string what = testing::PrintToString(c.args) + testing::PrintToString(c.environment);
    EXPECT_EQ(r.status, 1) << what;
    EXPECT_EQ(r.err, line) << what;
    EXPECT_TRUE(r.out.empty()) << what;
  }
  // An option anywhere still makes it the command line, which takes no file names.
  const Result mixed = run({"b.wav", "--to-morse"}, "E\n");
  EXPECT_EQ(mixed.status, 2) << mixed.err;
  EXPECT_EQ(mixed.err.rfind("tapwrenz: ", 0), 0u) << mixed.err;
}

}  // namespace
