// `--listen`: recordings rendered by the program itself decode back to what
// the Morse-to-text conversion makes of their Morse code, in every alphabet
// and at delays unlike standard timing; the file forms it reads, and the
// failures it reports.

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <cerrno>
#include <cstring>
#include <functional>
#include <utility>

#include "cli/cli_main.h"
#include "fakes/without_sound_library.h"
#include "string_streams.h"
#include "wav_files.h"

namespace {

class Listen_Command : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    write_file(folder() + "Mores_Code_Dot_Tone.wav", wav_bytes(sine(22050, 1, 80)));
    write_file(folder() + "Mores_Code_Dash_Tone.wav", wav_bytes(sine(22050, 1, 240)));
  }
  std::string folder() const { return dir.path().toStdString() + "/"; }

  int run(const std::vector<std::string>& args, const std::string& input = "") {
    String_Source in(input);
    String_Sink o;
    String_Sink e;
    const int status = run_command_line(args, App_Folders::portable(folder()), in, o, e);
    out = o.text;
    err = e.text;
    return status;
  }

  QTemporaryDir dir;
  std::string out, err;
};

TEST_F(Listen_Command, RenderingsDecodeBackExactlyInEveryAlphabet) {
  const char* alphabets[] = {"english", "european", "norwegian", "russian"};
  // Norwegian has no "@": the spaces either side of it leave a wider gap.
  const char* texts[] = {"CQ de Tapwren, 73! Are you there?", "Grüße aus Köln: 1/2 = 0.5",
                         "Blåbærsyltetøy (2 kg) @ Ås", "Привет мир, 1234 ЭЮЯ"};
  const std::vector<std::vector<std::string>> delays = {
      {},
      {"--element-delay", "25", "--letter-delay", "25"},
      {"--element-delay", "50", "--letter-delay", "400"},
      {"--element-delay", "200", "--letter-delay", "1000"}};
  const std::string wav = folder() + "x.wav";
  for (int a = 0; a < 4; ++a) {
    const std::vector<std::string> alphabet = {"--alphabet", alphabets[a]};
    ASSERT_EQ(run({"--to-morse", alphabet[0], alphabet[1]}, std::string(texts[a]) + "\n"), 0);
    const std::string morse = out;
    ASSERT_EQ(run({"--to-text", alphabet[0], alphabet[1]}, morse), 0);
    const std::string text = out;
    for (const auto& d : delays) {
      std::vector<std::string> render = {"--wav", wav, alphabet[0], alphabet[1]};
      render.insert(render.end(), d.begin(), d.end());
      ASSERT_EQ(run(render, morse), 0) << err;
      EXPECT_EQ(run({"--listen", wav, alphabet[0], alphabet[1]}), 0) << err;
      EXPECT_EQ(out, text) << alphabets[a] << " " << testing::PrintToString(d);
    }
    // The Morse code itself, where no dropped character left a wider gap.
    if (a != 2) {
      EXPECT_EQ(run({"--listen", wav, "--to-morse"}), 0);
      EXPECT_EQ(out, morse) << alphabets[a];
    }
  }
}

TEST_F(Listen_Command, ReadsAnyRateMonoOrStereoFromAFileOrStandardInput) {
  // ".-- . -." built by hand at 48 kHz in stereo, a little off standard timing.
  Test_Wav w{48000, 2, 16, {}};
  const auto add = [&](const Test_Wav& part) {
    w.samples.insert(w.samples.end(), part.samples.begin(), part.samples.end());
  };
  const auto pause = [&](int ms) { w.samples.resize(w.samples.size() + 96 * ms, 0); };
  const Test_Wav dot = sine(48000, 2, 60, 600), dash = sine(48000, 2, 180, 600);
  pause(300);
  for (const char* letter : {".--", ".", "-."}) {
    for (const char* e = letter; *e != 0; ++e) {
      add(*e == '.' ? dot : dash);
      pause(60);
    }
    pause(120);
  }
  pause(300);
  const std::string bytes = wav_bytes(w);
  write_file(folder() + "stereo.wav", bytes);
  EXPECT_EQ(run({"--listen", folder() + "stereo.wav", "--to-morse"}), 0) << err;
  EXPECT_EQ(out, ".-- . -. \n");
  EXPECT_EQ(run({"--listen", "-"}, bytes), 0) << err;
  EXPECT_EQ(out, "WEN\n");
}

TEST_F(Listen_Command, EmptyAndSilentFilesGiveNothingAndBrokenOnesFail) {
  write_file(folder() + "empty.wav", "");
  write_file(folder() + "silent.wav",
             wav_bytes(Test_Wav{8000, 1, 16, std::vector<std::int16_t>(8000)}));
  write_file(folder() + "no-samples.wav", wav_bytes(Test_Wav{8000, 1, 16, {}}));
  write_file(folder() + "broken.wav", "RIFF\x10\0\0\0WAVEfmt junk that is no sound");
  for (const char* name : {"empty.wav", "silent.wav", "no-samples.wav"}) {
    EXPECT_EQ(run({"--listen", folder() + name}), cli_exit_ok) << name << ": " << err;
    EXPECT_EQ(out + err, "") << name;
  }
  EXPECT_EQ(run({"--listen", "-"}), cli_exit_ok);
  EXPECT_EQ(out + err, "");

  EXPECT_EQ(run({"--listen", folder() + "broken.wav"}), cli_exit_failure);
  EXPECT_EQ(err, "tapwrenz: \"" + folder() + "broken.wav\" is no WAV file that can be played\n");
  EXPECT_EQ(run({"--listen", "-"}, "plain text"), cli_exit_failure);
  EXPECT_EQ(err, "tapwrenz: the standard input is no WAV file that can be played\n");
  EXPECT_EQ(run({"--listen", folder()}), cli_exit_failure);  // a folder
  EXPECT_EQ(err.rfind("tapwrenz: cannot open file \"" + folder() + "\".", 0), 0u) << err;
  EXPECT_EQ(run({"--listen", folder() + "missing.wav"}), cli_exit_failure);
  EXPECT_EQ(err.rfind("tapwrenz: cannot open file \"" + folder() + "missing.wav\".", 0), 0u) << err;
  EXPECT_EQ(out, "");

  // A compressed sound, which only the library decodes, fails for want of it
  // and says so.
  const Without_Sound_Library none;
  const std::string no_library = std::string("tapwrenz: ") + none.message + "\n";
  std::string adpcm = wav_bytes(sine(8000, 1, 100));
  adpcm[20] = 2;
  write_file(folder() + "tone.wav", adpcm);
  EXPECT_EQ(run({"--listen", folder() + "tone.wav"}), cli_exit_failure);
  EXPECT_EQ(err, no_library);
  EXPECT_EQ(run({"--listen", "-"}, read_file(folder() + "tone.wav")), cli_exit_failure);
  EXPECT_EQ(err, no_library);
  EXPECT_EQ(run({"--listen", "-"}, "plain text"), cli_exit_failure);
  EXPECT_EQ(err, "tapwrenz: the standard input is no WAV file that can be played\n");
}

// Crafted headers, from a file and from standard input: a decode or a clear
// failure, never a crash or a read beyond the bytes.
TEST_F(Listen_Command, CraftedHeadersDecodeOrFailClearly) {
  const auto le32 = [](std::uint32_t v) {
    std::string s;
    put_le(s, v, 4);
    return s;
  };
  const std::string silent = wav_bytes(Test_Wav{8000, 1, 16, std::vector<std::int16_t>(800)});
  const std::string fmt = silent.substr(12, 24);
  const auto riff = [&](const std::string& chunks) {
    return "RIFF" + le32(static_cast<std::uint32_t>(4 + chunks.size())) + "WAVE" + chunks;
  };
  std::string data_claiming_4_gb = silent, fmt_claiming_4_gb = silent;
  data_claiming_4_gb.replace(40, 4, le32(0xFFFFFFF0u));
  fmt_claiming_4_gb.replace(16, 4, le32(0xFFFFFFFFu));
  const struct {
    const char* what;
    std::string bytes;
    bool plays;
  } cases[] = {
      {"an odd chunk filling the file without its pad byte (21 bytes)",
       riff("junk" + le32(1) + "x"), false},
      {"the same after the format", riff(fmt + "junk" + le32(1) + "x"), false},
      {"an odd data chunk without its pad byte", riff(fmt + "data" + le32(1) + "x"), true},
      {"a data chunk claiming 4 GB", data_claiming_4_gb, true},
      {"a format chunk claiming 4 GB", fmt_claiming_4_gb, false},
      {"a format chunk cut short", silent.substr(0, 30), false},
      {"data cut after an odd byte", silent.substr(0, 101), true},
      {"a header cut after the format", silent.substr(0, 39), false},
  };
  const std::string path = folder() + "crafted.wav";
  for (const auto& c : cases) {
    write_file(path, c.bytes);
    const int status = c.plays ? cli_exit_ok : cli_exit_failure;
    EXPECT_EQ(run({"--listen", path}), status) << c.what << ": " << err;
    EXPECT_EQ(err, c.plays ? "" : "tapwrenz: \"" + path + "\" is no WAV file that can be played\n")
        << c.what;
    EXPECT_EQ(run({"--listen", "-"}, c.bytes), status) << c.what << ": " << err;
    EXPECT_EQ(err,
              c.plays ? "" : "tapwrenz: the standard input is no WAV file that can be played\n")
        << c.what;
    EXPECT_EQ(out, "") << c.what;
  }
}

// A source that hands out its first part, then, before the rest, lets the
// test look at what has been written so far.
class Pausing_Source final : public Byte_Source {
 public:
  Pausing_Source(std::string first, std::string rest, std::function<void()> at_pause)
      : first_(std::move(first)), rest_(std::move(rest)), at_pause_(std::move(at_pause)) {}
  std::size_t read_some(char* buffer, std::size_t size) override {
    std::string& part = first_.empty() ? rest_ : first_;
    if (&part == &rest_ && at_pause_) std::exchange(at_pause_, nullptr)();
    const std::size_t n = std::min(size, part.size());
    std::memcpy(buffer, part.data(), n);
    part.erase(0, n);
    return n;
  }
  // The pause: once, between the parts.
  bool wait_for_input(int) override { return !first_.empty() || std::exchange(paused_, true); }

 private:
  std::string first_, rest_;
  std::function<void()> at_pause_;
  bool paused_ = false;
};

class Failing_Source final : public Byte_Source {
 public:
  std::size_t read_some(char*, std::size_t) override { return 0; }
  int error() const override { return EISDIR; }
};

class Full_Sink final : public Byte_Sink {
 public:
  bool write(std::string_view) override { return false; }
  int error() const override { return ENOSPC; }
};

std::string le32(std::uint32_t v) {
  std::string s;
  put_le(s, v, 4);
  return s;
}

// The header forms streaming recorders leave, from a file and from standard
// input in pieces as small as a byte: the same text as the plain file.
TEST_F(Listen_Command, StreamsTheHeadersRecordersLeave) {
  const std::string wav = folder() + "cq.wav";
  ASSERT_EQ(run({"--wav", wav}, "-.-. --.- \n"), 0) << err;
  const std::string plain = read_file(wav), fmt = plain.substr(12, 24), data = plain.substr(44);
  const auto size = static_cast<std::uint32_t>(data.size());
  const auto riff = [](const std::string& chunks) {
    return "RIFF" + le32(0xFFFFFFFF) + "WAVE" + chunks;
  };
  const struct {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"odd chunks before the format and data with their pad bytes",
       riff("junk" + le32(3) + "abc" + '\0' + fmt + "LIST" + le32(1) + "x" + '\0' + "data" +
            le32(size) + data)},
      {"a data size of 0", riff(fmt + "data" + le32(0) + data)},
      {"a data size of 0xFFFFFFFF", riff(fmt + "data" + le32(0xFFFFFFFF) + data)},
      {"data cut short by the end of the file", riff(fmt + "data" + le32(2 * size) + data + "x")},
      // Left to the player's decoder, which reads the file whole.
      {"a format chunk longer than the stream reads",
       riff("fmt " + le32(5000) + fmt.substr(8) + std::string(5000 - 16, '\0') + "data" +
            le32(size) + data)},
  };
  for (const auto& c : cases) {
    write_file(wav, c.bytes);
    EXPECT_EQ(run({"--listen", wav}), cli_exit_ok) << c.what << ": " << err;
    EXPECT_EQ(out + err, "CQ\n") << c.what;
    for (std::size_t piece : {1, 7, 4096}) {
      String_Source in(c.bytes, piece);
      String_Sink o, e;
      EXPECT_EQ(run_command_line({"--listen", "-"}, App_Folders::portable(folder()), in, o, e),
                cli_exit_ok);
      EXPECT_EQ(o.text + e.text, "CQ\n") << c.what << " in pieces of " << piece;
    }
  }
}

// From a pipe that pauses, all the text before the pause is out during it,
// not when the pipe closes, and the recording goes on after it.
TEST_F(Listen_Command, TextComesOutBeforeTheInputEnds) {
  const std::string wav = folder() + "cq.wav";
  ASSERT_EQ(run({"--to-morse"}, "CQ CQ CQ DE TAPWREN TAPWREN TAPWREN K\n"), 0);
  ASSERT_EQ(run({"--wav", wav}, out), 0) << err;
  const std::string bytes = read_file(wav), data = bytes.substr(44);
  const std::string first = bytes.substr(0, 36) + "data" + le32(0xFFFFFFFF) + data;
  String_Sink o, e;
  std::string during;
  Pausing_Source in(first, data, [&] { during = o.text; });
  EXPECT_EQ(run_command_line({"--listen", "-"}, App_Folders::portable(folder()), in, o, e),
            cli_exit_ok);
  const std::string text = "CQ CQ CQ DE TAPWREN TAPWREN TAPWREN K";
  EXPECT_EQ(during, text + " ");
  EXPECT_EQ(o.text, text + " " + text + "\n");
}

TEST_F(Listen_Command, ReadAndWriteErrorsFailWithOneLine) {
  const std::string wav = folder() + "cq.wav";
  ASSERT_EQ(run({"--wav", wav}, "-.-. --.- \n"), 0) << err;
  Failing_Source failing;
  String_Sink o, e;
  EXPECT_EQ(run_command_line({"--listen", "-"}, App_Folders::portable(folder()), failing, o, e),
            cli_exit_failure);
  EXPECT_EQ(e.text,
            "tapwrenz: cannot read the input: " + std::string(std::strerror(EISDIR)) + "\n");
  for (const std::string& from : {wav, std::string("-")}) {
    String_Source in(read_file(wav));
    Full_Sink full;
    String_Sink errors;
    EXPECT_EQ(
        run_command_line({"--listen", from}, App_Folders::portable(folder()), in, full, errors),
        cli_exit_failure);
    EXPECT_EQ(errors.text,
              "tapwrenz: cannot write the output: " + std::string(std::strerror(ENOSPC)) + "\n");
  }
}

// A recording that is not silent but holds no keyed tone says so; a silent
// one (above) says nothing.
TEST_F(Listen_Command, SaysWhenASoundHoldsNoKeyedTone) {
  Test_Wav noise{8000, 1, 16, {}};
  std::uint32_t x = 1;
  for (int i = 0; i < 8000 * 3; ++i) {
    x = x * 1664525u + 1013904223u;
    noise.samples.push_back(static_cast<std::int16_t>((x >> 16) % 2001) - 1000);
  }
  write_file(folder() + "noise.wav", wav_bytes(noise));
  EXPECT_EQ(run({"--listen", folder() + "noise.wav"}), cli_exit_ok);
  EXPECT_EQ(out + err, "tapwrenz: no keyed tone found\n");
}

}  // namespace

// A letter of dashes alone, rendered with the shortest pauses: the recording
// is nearly all tone, and the filter's own slopes are most of its quiet levels.
TEST_F(Listen_Command, HearsDashesWithHardlyAnySilenceAround) {
  const std::string wav = folder() + "dashes.wav";
  for (const std::string code : {"- \n", "-- \n"}) {
    ASSERT_EQ(run({"--wav", wav, "--element-delay", "25", "--letter-delay", "25"}, code), 0) << err;
    EXPECT_EQ(run({"--listen", wav, "--to-morse"}), 0) << err;
    EXPECT_EQ(out, code);
  }
}
