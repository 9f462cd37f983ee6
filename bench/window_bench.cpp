// Whole-window work: the real main window, offscreen.
// - Conversions of an input area of N lines through the buttons' handlers
//   (with the per-line and per-token yields to the message loop), with the
//   Morse readouts live and with them switched off; N and 4N show how the
//   cost grows.
// - Their floor: the engine's conversion of the same lines into one buffer,
//   put into the output area by one setPlainText (readouts live). At the end
//   each window conversion is printed as a multiple of its floor.
// - One resize of the whole window: the scaling of every control alone, and
//   with the events it sets off (layouts, repaint).

#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "shell/area_conversion.h"
#include "shell/main_form.h"
#include "shell/message_box.h"

namespace {

QString text_input(int lines) {
  const QString line = QStringLiteral("The quick brown fox jumps over the lazy dog, 1234567890?");
  QStringList all;
  all.reserve(lines);
  for (int i = 0; i < lines; ++i) all << line;
  return all.join(QChar(u'\n'));
}

struct Window {
  Message_Boxes messages;
  TMainForm1 form{messages};
  explicit Window(bool gauges) {
    form.show();
    if (!gauges) {
      for (QPlainTextEdit* memo : {form.Input_Memo, form.Output_Memo}) {
        QObject::disconnect(memo, &QPlainTextEdit::textChanged, &form, nullptr);
      }
      QObject::disconnect(form.Input_Memo->document(), nullptr, &form.input_share(), nullptr);
      QObject::disconnect(form.Output_Memo->document(), nullptr, &form.output_share(), nullptr);
    }
  }
};

void BM_Window_Text_To_Morse(benchmark::State& state) {
  Window w(state.range(1) != 0);
  w.form.Input_Memo->setPlainText(text_input(static_cast<int>(state.range(0))));
  for (auto _ : state) w.form.Convert_Text_to_Morse_ButtonClick();
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_Window_Morse_To_Text(benchmark::State& state) {
  Window w(state.range(1) != 0);
  w.form.Input_Memo->setPlainText(text_input(static_cast<int>(state.range(0))));
  w.form.Convert_Text_to_Morse_ButtonClick();
  w.form.Input_Memo->setPlainText(w.form.Output_Memo->toPlainText());
  for (auto _ : state) w.form.Convert_Morse_to_Text_ButtonClick();
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The input area's lines as the conversions read them, and the time of the
// engine's conversion of them plus one setPlainText of the result.
void floor_of(benchmark::State& state, Conversion conversion) {
  Window w(true);
  w.form.Input_Memo->setPlainText(text_input(static_cast<int>(state.range(0))));
  if (conversion == Conversion::Morse_to_Text) {
    w.form.Convert_Text_to_Morse_ButtonClick();
    w.form.Input_Memo->setPlainText(w.form.Output_Memo->toPlainText());
  }
  std::vector<std::string> lines;
  for (int i = 0; i < w.form.input_area().count(); ++i)
    lines.push_back(w.form.input_area().line(i));
  const Code_Page page = w.form.code_page();
  for (auto _ : state) {
    std::string converted;
    for (const std::string& line : lines) {
      append_converted_line(conversion, w.form.Morse_Code_Table, line, converted);
      converted += '\n';
    }
    const std::u16string text = decode_from_code_page(page, converted, false);
    w.form.Output_Memo->setPlainText(QString::fromStdU16String(text));
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_Floor_Text_To_Morse(benchmark::State& state) { floor_of(state, Conversion::Text_to_Morse); }

void BM_Floor_Morse_To_Text(benchmark::State& state) { floor_of(state, Conversion::Morse_to_Text); }

// Alternates between two sizes so that every iteration really moves everything.
void BM_Window_Scale_Controls(benchmark::State& state) {
  Window w(true);
  QWidget* client = w.form.client_area();
  bool large = false;
  for (auto _ : state) {
    large = !large;
    client->resize(large ? QSize(1282, 962) : QSize(900, 700));  // runs the scaling
  }
}

void BM_Window_Resize_With_Repaint(benchmark::State& state) {
  Window w(true);
  const int menu = w.form.MainMenu1->height();
  bool large = false;
  for (auto _ : state) {
    large = !large;
    w.form.resize(large ? QSize(1282, 962 + menu) : QSize(900, 700 + menu));
    QCoreApplication::processEvents();
  }
}

void conversion_sizes(benchmark::internal::Benchmark* b) {
  b->ArgNames({"lines", "gauges"});
  for (int gauges : {1, 0}) {
    for (int lines : {5000, 20000}) b->Args({lines, gauges});
  }
  b->Unit(benchmark::kMillisecond);
}

void floor_sizes(benchmark::internal::Benchmark* b) {
  b->ArgNames({"lines"});
  for (int lines : {5000, 20000}) b->Args({lines});
  b->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_Window_Text_To_Morse)->Apply(conversion_sizes);
BENCHMARK(BM_Floor_Text_To_Morse)->Apply(floor_sizes);
BENCHMARK(BM_Window_Morse_To_Text)->Apply(conversion_sizes);
BENCHMARK(BM_Floor_Morse_To_Text)->Apply(floor_sizes);
BENCHMARK(BM_Window_Scale_Controls)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Window_Resize_With_Repaint)->Unit(benchmark::kMillisecond);

// Keeps each benchmark's time (the median when repeated) to print each window
// conversion against its floor at the end.
class Ratio_Reporter final : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.error_occurred) continue;
      const bool repeated = run.repetitions > 1;
      if (repeated && !(run.run_type == Run::RT_Aggregate && run.aggregate_name == "median"))
        continue;
      times_[run.run_name.str()] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
    }
    ConsoleReporter::ReportRuns(runs);
  }

  void print_ratios() const {
    for (const char* direction : {"Text_To_Morse", "Morse_To_Text"}) {
      for (const char* lines : {"5000", "20000"}) {
        const std::string floor = std::string("BM_Floor_") + direction + "/lines:" + lines;
        const std::string window =
            std::string("BM_Window_") + direction + "/lines:" + lines + "/gauges:1";
        if (!times_.count(floor) || !times_.count(window)) continue;
        const Times& w = times_.at(window);
        const Times& f = times_.at(floor);
        std::printf(
            "%s, %s lines, readouts live: %.1f ms, floor %.1f ms, ratio %.2fx "
            "(processor time %.1f / %.1f ms, %.2fx)\n",
            direction, lines, w.real, f.real, w.real / f.real, w.cpu, f.cpu, w.cpu / f.cpu);
      }
    }
  }

 private:
  struct Times {
    double real;
    double cpu;
  };
  std::map<std::string, Times> times_;
};

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM",
          qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  Ratio_Reporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.print_ratios();
  benchmark::Shutdown();
  return 0;
}
