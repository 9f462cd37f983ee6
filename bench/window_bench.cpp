// Whole-window conversions: the real main window, offscreen, converting an
// input area of N lines through its buttons' handlers (with the per-line and
// per-token yields to the message loop). N and 4N show how the cost grows.

#include <benchmark/benchmark.h>

#include <QApplication>

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
  Window() { form.show(); }
};

void BM_Window_Text_To_Morse(benchmark::State& state) {
  Window w;
  w.form.Input_Memo->setPlainText(text_input(static_cast<int>(state.range(0))));
  for (auto _ : state) w.form.Convert_Text_to_Morse_ButtonClick();
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_Window_Morse_To_Text(benchmark::State& state) {
  Window w;
  w.form.Input_Memo->setPlainText(text_input(static_cast<int>(state.range(0))));
  w.form.Convert_Text_to_Morse_ButtonClick();
  w.form.Input_Memo->setPlainText(w.form.Output_Memo->toPlainText());
  for (auto _ : state) w.form.Convert_Morse_to_Text_ButtonClick();
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_Window_Text_To_Morse)->Arg(5000)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Window_Morse_To_Text)->Arg(5000)->Arg(20000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM",
          qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
