// Listening in the real window: the sound library's disk driver stands in
// for the microphone (it reads raw samples from a file), a scripted capture
// for a device that goes away, and a recording is opened through the scripted
// file dialog.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <fstream>

#include "cli/listen_command.h"
#include "cli/wav_files.h"
#include "engine/morse_to_text.h"
#include "listen/synth.h"
#include "ui/window_in_folder.h"

namespace {

constexpr int capture_rate = 16000;  // what the device is asked for

// Hands out the samples a tick's worth at a time, then says it has gone.
class Scripted_Capture final : public Audio_Capture {
 public:
  explicit Scripted_Capture(std::vector<float> samples) : samples_(std::move(samples)) {}
  double rate() const override { return capture_rate; }
  bool take(std::vector<float>& out) override {
    const std::size_t n = std::min(samples_.size() - at_, std::size_t(capture_rate / 20));
    out.insert(out.end(), samples_.begin() + std::ptrdiff_t(at_),
               samples_.begin() + std::ptrdiff_t(at_ + n));
    at_ += n;
    return at_ < samples_.size();
  }

 private:
  std::vector<float> samples_;
  std::size_t at_ = 0;
};

std::vector<float> recording(const std::string& text) {
  Synth_Recording r;
  r.text = text;
  r.rate = capture_rate;
  r.wpm = 22;
  r.lead_in = 1.0;
  r.seed = 3;
  std::vector<float> samples = synthesize(r);
  samples.resize(samples.size() + capture_rate * 2, 0.0f);  // the over has ended
  return samples;
}

class Main_Window_Listening : public Window_In_Folder {
 protected:
  std::string input() const { return form->Input_Memo->toPlainText().toStdString(); }
  std::string input_as_text() const {
    return morse_line_to_text(form->Morse_Code_Table, form->input_area().line(0));
  }
  std::string caption() const { return form->GroupBox1->title().trimmed().toStdString(); }

  std::unique_ptr<TMainForm1> form;
};

TEST_F(Main_Window_Listening, TheMicrophoneIsHeardIntoTheInputAreaUntilKeyingStopsIt) {
#ifdef _WIN32
  GTEST_SKIP() << "the Windows program has no capture";
#endif
  const std::string raw = folder() + "microphone.raw";
  const std::vector<float> samples = recording("CQ DE TEST");
  std::ofstream(raw, std::ios::binary)
      .write(reinterpret_cast<const char*>(samples.data()),
             std::streamsize(samples.size() * sizeof(float)));
  const QByteArray driver = qgetenv("SDL_AUDIODRIVER");
  qputenv("SDL_AUDIODRIVER", "disk");
  qputenv("SDL_DISKAUDIOFILEIN", raw.c_str());
  qputenv("SDL_DISKAUDIODELAY", "16");  // four times as fast as heard
  form = make_form();
  form->show();
  form->Input_Memo->setPlainText("...-");  // a V keyed before
  bool indicator_lit = false;
  QObject::connect(form->End_Of_Letter_RadioButton, &QRadioButton::toggled,
                   [&](bool on) { indicator_lit |= on && form->listening(); });

  form->Listen_To_Microphone_Option->trigger();
  qputenv("SDL_AUDIODRIVER", driver);
  ASSERT_TRUE(form->listening()) << (messages.shown.empty() ? "" : messages.shown[0].text);
  EXPECT_TRUE(form->Listen_To_Microphone_Option->isChecked());
  EXPECT_EQ(caption(), "Listening: no tone yet");
  std::string heard_caption;
  const QDeadlineTimer deadline(60000);
  while (input_as_text() != "VCQ DE TEST" && !deadline.hasExpired()) {
    QTest::qWait(20);
    if (caption() != "Listening: no tone yet") heard_caption = caption();
  }
  EXPECT_EQ(input_as_text(), "VCQ DE TEST") << input();
  for (const Shown_Message& m : messages.shown) ADD_FAILURE() << m.text;
  // The tone and speed as measured: near 700 Hz and 22 WPM.
  int hz = 0, wpm = 0;
  ASSERT_EQ(std::sscanf(heard_caption.c_str(), "Listening: %d Hz, %d WPM", &hz, &wpm), 2)
      << heard_caption;
  EXPECT_NEAR(hz, 700, 10);
  EXPECT_NEAR(wpm, 22, 3);
  EXPECT_TRUE(indicator_lit);

  // A key press stops listening first, then keys as ever.
  QTest::mousePress(form->GroupBox1, Qt::LeftButton);
  EXPECT_FALSE(form->listening());
  EXPECT_FALSE(form->Listen_To_Microphone_Option->isChecked());
  EXPECT_FALSE(form->Listening_Timer->isActive());
  EXPECT_EQ(caption(), "Morse Sound Recording");
  EXPECT_EQ(input().substr(0, 5), "...- ");
  EXPECT_EQ(form->input_area().line(0).back(), '.');
}

TEST_F(Main_Window_Listening, ALostDeviceStopsWithOneBoxAndKeepsWhatWasHeard) {
  form = std::make_unique<TMainForm1>(messages, [&] {
    Window_Services s = services();
    s.open_capture = [] {
      return Capture_Opening{
          std::make_unique<Scripted_Capture>(recording("SOS")), Capture_Failure::None, {}};
    };
    return s;
  }());
  form->show();
  form->Listen_To_Microphone_Option->trigger();
  ASSERT_TRUE(form->Listen_To_Microphone_Option->isChecked());
  for (int tick = 0; tick < 1000 && form->listening(); ++tick) form->Listening_TimerTimer();
  EXPECT_FALSE(form->Listen_To_Microphone_Option->isChecked());
  EXPECT_EQ(input_as_text(), "SOS");
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, kCapture_Lost_Message);
  EXPECT_EQ(caption(), "Morse Sound Recording");
}

TEST_F(Main_Window_Listening, NoDeviceOrARefusedOneIsOneBoxAndNoCheckMark) {
  for (const Capture_Failure failure : {Capture_Failure::No_Device, Capture_Failure::Refused}) {
    messages.shown.clear();
    form = std::make_unique<TMainForm1>(messages, [&] {
      Window_Services s = services();
      s.open_capture = [failure] { return Capture_Opening{nullptr, failure, "busy"}; };
      return s;
    }());
    form->show();
    form->Listen_To_Microphone_Option->trigger();
    EXPECT_FALSE(form->Listen_To_Microphone_Option->isChecked());
    EXPECT_FALSE(form->Listening_Timer->isActive());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text,
              capture_failure_message(Capture_Opening{nullptr, failure, "busy"}));
    // The settings file keeps its fourteen keys.
    form->close();
    const std::string ini = read_file(this->ini());
    EXPECT_EQ(std::count(ini.begin(), ini.end(), '='), 14) << ini;
  }
}

TEST_F(Main_Window_Listening, ClosingStopsListeningBeforeTheSettingsAreWritten) {
  form = std::make_unique<TMainForm1>(messages, [&] {
    Window_Services s = services();
    s.open_capture = [] {
      return Capture_Opening{
          std::make_unique<Scripted_Capture>(recording("E")), Capture_Failure::None, {}};
    };
    return s;
  }());
  form->show();
  form->Listen_To_Microphone_Option->trigger();
  ASSERT_TRUE(form->listening());
  form->close();
  EXPECT_FALSE(form->listening());
  EXPECT_FALSE(form->Listen_To_Microphone_Option->isChecked());
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Main_Window_Listening, ARecordingGivesWhatTheCommandLineGives) {
  form = make_form();
  form->show();
  Test_Wav wav{capture_rate, 1, 16, {}};
  for (const float s : recording("PARIS 73")) wav.samples.push_back(std::int16_t(s * 20000));
  const std::string path = folder() + "over.wav";
  write_file(path, wav_bytes(wav));
  std::string chosen = path;
  form->sound_selection.run_dialog = [&](QFileDialog&) -> std::optional<QString> {
    return QString::fromStdString(chosen);
  };

  struct String_Sink final : Byte_Sink {
    std::string bytes;
    bool write(std::string_view b) override {
      bytes += b;
      return true;
    }
  } command_line;
  Fd_Source no_input(-1);
  std::string error, notice;
  ASSERT_TRUE(listen_to_wav({path, true, 0, {}}, no_input, command_line, error, notice));
  form->Open_Recording_Option->trigger();
  EXPECT_EQ(form->input_area().line(0) + "\n", command_line.bytes);
  EXPECT_EQ(input_as_text(), "PARIS 73");
  EXPECT_FALSE(form->Halt_Playing_Sound_BitBtn->isEnabled());

  // A file that is no recording: the command line's message, in a box.
  chosen = folder() + "tapwrenz.ini";
  write_file(chosen, "[tapwrenz]\r\n");
  // The dialog gives the name in the system's spelling.
  const std::string native = QDir::toNativeSeparators(QString::fromStdString(chosen)).toStdString();
  ASSERT_FALSE(listen_to_wav({native, true, 0, {}}, no_input, command_line, error, notice));
  form->Open_Recording_Option->trigger();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, error);
  EXPECT_EQ(input_as_text(), "PARIS 73");
}

TEST_F(Main_Window_Listening, KeyingDuringARecordingEndsItAndKeepsItsOutputApart) {
  form = make_form();
  form->show();
  Test_Wav wav{capture_rate, 1, 16, {}};
  for (const float s : recording("PARIS")) wav.samples.push_back(std::int16_t(s * 20000));
  const std::string path = folder() + "over.wav";
  write_file(path, wav_bytes(wav));
  form->sound_selection.run_dialog = [&](QFileDialog&) -> std::optional<QString> {
    return QString::fromStdString(path);
  };
  // A key press once the decoding has read two blocks and lets the window run.
  QTimer turns;
  int turn = 0;
  QObject::connect(&turns, &QTimer::timeout, [&] {
    if (++turn == 3) QTest::mousePress(form->GroupBox1, Qt::LeftButton);
  });
  turns.start(0);
  form->Open_Recording_Option->trigger();
  EXPECT_GE(turn, 3);
  EXPECT_EQ(form->input_area().line(0), " .");
  EXPECT_FALSE(form->Halt_Playing_Sound_BitBtn->isEnabled());
}

}  // namespace
