// Whole-window work: the real main window, offscreen.
// - Conversions of an input area of N lines through the buttons' handlers
//   (with the per-line and per-token yields to the message loop), with the
//   Morse readouts live and with them switched off; N and 4N show how the
//   cost grows.
// - One resize of the whole window: the scaling of every control alone, and
//   with the events it sets off (layouts, repaint).

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

BENCHMARK(BM_Window_Text_To_Morse)->Apply(conversion_sizes);
BENCHMARK(BM_Window_Morse_To_Text)->Apply(conversion_sizes);
BENCHMARK(BM_Window_Scale_Controls)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Window_Resize_With_Repaint)->Unit(benchmark::kMillisecond);

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
