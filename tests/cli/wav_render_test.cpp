// Rendering Morse to a WAV file: the pacing against the window's own
// playback, the samples read back from the file, and the failures that must
// leave no file behind.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>

#include "cli/cli_main.h"
#include "cli/morse_timeline.h"
#include "fakes/without_sound_library.h"
#include "sound/fake_sound_window.h"
#include "sound/playback.h"
#include "string_streams.h"
#include "wav_files.h"

namespace fs = std::filesystem;

namespace {

// Start frames of the sounds, and where the timeline ends.
class Recording_Sink final : public Timeline_Sink {
 public:
  Recording_Sink(std::int64_t dot, std::int64_t dash) : dot_(dot), dash_(dash) {}
  void sound(Element e) override {
    starts.push_back((e == Element::Dot ? "dot@" : "dash@") + std::to_string(at));
    at += e == Element::Dot ? dot_ : dash_;
  }
  void silence(std::int64_t frames) override {
    pauses.push_back(frames);
    at += frames;
  }
  std::vector<std::string> starts;
  std::vector<std::int64_t> pauses;
  std::int64_t at = 0;

 private:
  std::int64_t dot_, dash_;
};

TEST(MorseTimeline, PacesLikeTheWindowsPlayback) {
  // At 1000 frames a second a frame is a millisecond of the fake clock.
  const std::vector<std::string> pieces = {".", "-", " ", "  ", "/", "A", "\t", "\x01", "&"};
  std::mt19937 gen(99);
  std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
  for (int round = 0; round < 200; ++round) {
    Fake_Sound_Window window;  // dot 60 ms, dash 180 ms, D 50, L 300
    Fake_Text_Lines area;
    for (int l = 0; l < 3; ++l) {
      std::string line;
      for (int i = 0; i < 12; ++i) line += pieces[pick(gen)];
      area.lines.push_back(line);
    }
    Play_Back_Memo_Morse_Code(area, window);

    Recording_Sink sink(60, 180);
    Morse_Timeline timeline(1000, 50, 300, sink);
    for (const std::string& line : area.lines) timeline.play_line(line);
    ASSERT_EQ(sink.starts, window.sounds()) << testing::PrintToString(area.lines);
    ASSERT_EQ(sink.at, window.now_ms());
  }
}

TEST(MorseTimeline, PausesThatAreNoWholeFrameCountNeverDrift) {
  Recording_Sink sink(0, 0);
  Morse_Timeline timeline(22050, 25, 25, sink);  // 551.25 frames a pause
  timeline.play_line("....");
  EXPECT_EQ(sink.pauses, (std::vector<std::int64_t>{551, 551, 551, 552}));
  for (int i = 0; i < 1000; ++i) timeline.play_line(". . . .");  // 7000 pauses more
  EXPECT_EQ(sink.at, std::int64_t{7004} * 25 * 22050 / 1000);
}

class Wav_Render : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    write_file(folder() + "Mores_Code_Dot_Tone.wav", wav_bytes(tone(8000, 1, 80)));
    write_file(folder() + "Mores_Code_Dash_Tone.wav", wav_bytes(tone(8000, 1, 240, -8000)));
  }
  std::string folder() const { return dir.path().toStdString() + "/"; }

  int run(std::vector<std::string> args, const std::string& input = ".-") {
    String_Source in(input);
    out = String_Sink();
    err = String_Sink();
    return run_command_line(args, App_Folders::portable(folder()), in, out, err);
  }
  std::vector<std::string> files() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir.path().toStdString()))
      names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  QTemporaryDir dir;
  String_Sink out;
  String_Sink err;
  const std::vector<std::string> tones_only{"Mores_Code_Dash_Tone.wav", "Mores_Code_Dot_Tone.wav"};
};

// Runs of equal sign, as (sign, length): tones are flat, so every frame of
// the dot is +, of the dash -, of a pause 0.
std::vector<std::pair<int, std::int64_t>> runs(const Test_Wav& w) {
  std::vector<std::pair<int, std::int64_t>> r;
  for (std::int16_t s : w.samples) {
    const int sign = (s > 0) - (s < 0);
    if (r.empty() || r.back().first != sign)
      r.push_back({sign, 1});
    else
      ++r.back().second;
  }
  return r;
}

TEST_F(Wav_Render, TonesAndPausesFallOnTheExactFrames) {
  const std::string out = folder() + "out.wav";
  // Outer blanks, a slash and a line break add nothing; two spaces give D + 2L.
  ASSERT_EQ(run({"--wav", out, "--element-delay", "50", "--letter-delay", "300"},
                "  .- -  \n./.\r\n\n-  ."),
            cli_exit_ok)
      << err.text;
  Test_Wav w;
  ASSERT_TRUE(parse_wav(read_file(out), w));
  EXPECT_EQ(w.rate, 8000);
  EXPECT_EQ(w.channels, 1);
  EXPECT_EQ(w.bits, 16);
  // At 8000 frames a second: dot 80, dash 240, D = 400, L = 2400.
  const std::vector<std::pair<int, std::int64_t>> expected = {
      {1, 80},  {0, 400}, {-1, 240}, {0, 400 + 2400}, {-1, 240},       {0, 400}, {1, 80},
      {0, 400}, {1, 80},  {0, 400},  {-1, 240},       {0, 400 + 4800}, {1, 80},  {0, 400}};
  EXPECT_EQ(runs(w), expected);
}

TEST_F(Wav_Render, SoundsAreBroughtToTheDotsFormat) {
  // A stereo dash at twice the rate: the output keeps the dot's rate and
  // channel, and the dash lasts as long as before.
  write_file(folder() + "dash.wav", wav_bytes(tone(16000, 2, 480, -8000)));
  const std::string out = folder() + "out.wav";
  ASSERT_EQ(run({"--wav", out, "--dash", folder() + "dash.wav", "--element-delay", "25"}, "-."),
            cli_exit_ok)
      << err.text;
  Test_Wav w;
  ASSERT_TRUE(parse_wav(read_file(out), w));
  EXPECT_EQ(w.rate, 8000);
  EXPECT_EQ(w.channels, 1);
  const auto r = runs(w);
  ASSERT_GE(r.size(), 4u);
  EXPECT_NEAR(r[0].second, 240, 2);
  EXPECT_EQ(r.back(), (std::pair<int, std::int64_t>{0, 200}));
}

TEST_F(Wav_Render, ASoundThatCannotBeDecodedLeavesNoFile) {
  write_file(folder() + "broken.wav", "RIFF\x10\0\0\0WAVEfmt junk that is no sound");
  const std::string out = folder() + "out.wav";
  EXPECT_EQ(run({"--wav", out, "--dot", folder() + "broken.wav"}), cli_exit_failure);
  EXPECT_EQ(err.text, "tapwrenz: the dot sound \"" + folder() +
                          "broken.wav\" is no WAV file that can be played\n");
  EXPECT_EQ(run({"--wav", out, "--dash", folder() + "missing.wav"}), cli_exit_failure);
  EXPECT_EQ(err.text.rfind("tapwrenz: cannot open file \"" + folder() + "missing.wav\".", 0), 0u)
      << err.text;
  EXPECT_EQ(files(), (std::vector<std::string>{"Mores_Code_Dash_Tone.wav",
                                               "Mores_Code_Dot_Tone.wav", "broken.wav"}));

  // Without the sound library no sound decodes: the library is the cause.
  const Without_Sound_Library none;
  EXPECT_EQ(run({"--wav", out}, "."), cli_exit_failure);
  EXPECT_EQ(err.text, std::string("tapwrenz: ") + none.message + "\n");
  EXPECT_EQ(files(), (std::vector<std::string>{"Mores_Code_Dash_Tone.wav",
                                               "Mores_Code_Dot_Tone.wav", "broken.wav"}));
}

TEST_F(Wav_Render, AnOutputThatCannotBeWrittenLeavesNothingBehind) {
  // Each of these stops root as well as anyone: a folder that is a file, and
  // a target that is a folder, which the finished file cannot replace.
  write_file(folder() + "plain", "x");
  EXPECT_EQ(run({"--wav", folder() + "plain/out.wav"}), cli_exit_failure);
  // The system's words, in the language of the machine's locale.
  EXPECT_EQ(err.text, "tapwrenz: cannot write \"" + folder() +
                          "plain/out.wav\": " + std::strerror(ENOTDIR) + "\n");
  fs::create_directory(folder() + "taken.wav");
  EXPECT_EQ(run({"--wav", folder() + "taken.wav"}), cli_exit_failure);
  EXPECT_EQ(err.text, "tapwrenz: cannot write \"" + folder() +
                          "taken.wav\": " + std::strerror(EISDIR) + "\n");
  EXPECT_TRUE(fs::is_directory(folder() + "taken.wav"));
  std::vector<std::string> expected = tones_only;
  expected.insert(expected.begin(), "plain");
  expected.push_back("taken.wav");
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(files(), expected);  // no temporary file left
}

TEST_F(Wav_Render, AReadOnlyFolderIsRefused) {
  if (geteuid() == 0)
    GTEST_SKIP() << "root writes into read-only folders; the cases above cover the failure";
  const std::string ro = folder() + "ro";
  fs::create_directory(ro);
  ::chmod(ro.c_str(), 0555);
  EXPECT_EQ(run({"--wav", ro + "/out.wav"}), cli_exit_failure);
  EXPECT_EQ(err.text,
            "tapwrenz: cannot write \"" + ro + "/out.wav\": " + std::strerror(EACCES) + "\n");
  ::chmod(ro.c_str(), 0755);
  EXPECT_TRUE(fs::is_empty(ro));
}

TEST_F(Wav_Render, AnExistingFileIsReplacedWhole) {
  const std::string out = folder() + "out.wav";
  write_file(out, std::string(100000, 'z'));
  ASSERT_EQ(run({"--wav", out, "--element-delay", "25"}, "."), cli_exit_ok) << err.text;
  Test_Wav w;
  ASSERT_TRUE(parse_wav(read_file(out), w));
  EXPECT_EQ(w.frames(), 80 + 200);
  // Not the private rights of a temporary file: those of any new file.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  struct stat st {};
  ASSERT_EQ(::stat(out.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0666 & ~mask);
}

const std::string no_morse =
    "tapwrenz: no Morse code in the input: convert text with --to-morse first\n";

TEST_F(Wav_Render, StandardOutputGetsTheSameWavAsAFile) {
  const struct {
    const char* what;
    std::string input;
    bool morse;
  } cases[] = {
      {"blanks, a slash and every break", "  .- -  \n./.\r\n\n-  .", true},
      {"a pause before what does not sound", ".- x\n", true},
      {"text given by mistake", "hello\n", false},
      {"no input", "", false},
      {"blanks only", " \n\t \n", false},
  };
  const std::string file = folder() + "out.wav";
  for (const auto& c : cases) {
    ASSERT_EQ(run({"--wav", file, "--element-delay", "50"}, c.input), cli_exit_ok) << err.text;
    EXPECT_EQ(err.text, c.morse ? "" : no_morse) << c.what;
    const std::string written = read_file(file);
    EXPECT_EQ(written.size() == 44, !c.morse) << c.what;  // only a header when silent
    ASSERT_EQ(run({"--wav", "-", "--element-delay", "50"}, c.input), cli_exit_ok) << err.text;
    EXPECT_EQ(err.text, c.morse ? "" : no_morse) << c.what;
    EXPECT_EQ(out.text, written) << c.what;
  }
  EXPECT_FALSE(fs::exists("-"));
  EXPECT_FALSE(fs::exists(folder() + "-"));
}

class Failing_Sink final : public Byte_Sink {
 public:
  bool write(std::string_view) override { return false; }
  int error() const override { return EPIPE; }
};

class Broken_Source final : public Byte_Source {
 public:
  std::size_t read_some(char* buffer, std::size_t size) override {
    if (given_ || size == 0) return 0;
    given_ = true;
    buffer[0] = '.';
    return 1;
  }
  int error() const override { return given_ ? EIO : 0; }

 private:
  bool given_ = false;
};

TEST_F(Wav_Render, StandardOutputGetsNoPartOfAWavThatCannotBeWhole) {
  // About 4.3 GB of pauses: refused before a byte is written.
  EXPECT_EQ(run({"--wav", "-", "--letter-delay", "10000"}, ". " + std::string(27000, ' ') + "."),
            cli_exit_failure);
  EXPECT_EQ(out.text, "");
  EXPECT_EQ(err.text, "tapwrenz: the sound is too long for a WAV file\n");

  Broken_Source broken;
  String_Sink nothing;
  err = String_Sink();
  EXPECT_EQ(run_command_line({"--wav", "-"}, App_Folders::portable(folder()), broken, nothing, err),
            cli_exit_failure);
  EXPECT_EQ(nothing.text, "");
  EXPECT_EQ(err.text, std::string("tapwrenz: cannot read the input: ") + std::strerror(EIO) + "\n");

  String_Source in(".-");
  Failing_Sink closed;
  err = String_Sink();
  EXPECT_EQ(run_command_line({"--wav", "-"}, App_Folders::portable(folder()), in, closed, err),
            cli_exit_failure);
  EXPECT_EQ(err.text,
            std::string("tapwrenz: cannot write the output: ") + std::strerror(EPIPE) + "\n");
}

}  // namespace
