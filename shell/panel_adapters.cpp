#include "shell/panel_adapters.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "panels/clipboard_text.h"
#include "panels/results_form.h"
#include "shell/main_form.h"
#include "widgets/gauge_bar.h"

namespace {

QPushButton* command_button(TMainForm1& form, Command_Button button) {
  switch (button) {
    case Command_Button::Convert_Text_to_Morse:
      return form.Convert_Text_to_Morse_Button;
    case Command_Button::Convert_Morse_to_Text:
      return form.Convert_Morse_to_Text_Button;
    case Command_Button::Play_Back_Input_Memo:
      return form.Play_Back_Input_Memo_BitBtn;
    case Command_Button::Play_Back_Output_Memo:
      return form.Play_Back_Output_Memo_BitBtn;
  }
  return nullptr;
}

QWidget* widget_of(const TMainForm1& form, int k) {
  return static_cast<QWidget*>(form.components().at(static_cast<size_t>(k)).object);
}

}  // namespace

// Gauges.

void Window_Gauges::set_enabled(Command_Button button, bool enabled) {
  command_button(form_, button)->setEnabled(enabled);
}

void Window_Gauges::set_share_caption(Memo memo, const std::string& caption) {
  QLabel* label =
      memo == Memo::Input ? form_.Morse_Pct_Input_Memo_Label : form_.Morse_Pct_Output_Memo_Label;
  label->setText(QString::fromStdString(caption));
}

void Window_Gauges::set_gauge_progress(Memo memo, int progress) {
  QProgressBar* gauge =
      memo == Memo::Input ? form_.Morse_Pct_Input_Memo_Gauge : form_.Morse_Pct_Output_Memo_Gauge;
  gauge->setValue(progress);
}

void Window_Gauges::set_gauge_bar_colour(Memo memo, Rgb colour) {
  QProgressBar* gauge =
      memo == Memo::Input ? form_.Morse_Pct_Input_Memo_Gauge : form_.Morse_Pct_Output_Memo_Gauge;
  set_gauge_colour(gauge, QColor(colour.red, colour.green, colour.blue));
}

std::string Window_Gauges::decimal_separator() const {
  return QLocale().decimalPoint().toStdString();
}

// Clipboard and reset.

void Window_Memos::set_enabled(Command_Button button, bool enabled) {
  command_button(form_, button)->setEnabled(enabled);
}

bool Window_Memos::clipboard_has_text() const {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  return data && data->hasText();
}

// Clearing an empty area is no change of its text, so its readout is left as
// it stands ("???.???" until the first real change).
void Window_Memos::clear_input() {
  if (!form_.Input_Memo->document()->isEmpty()) form_.Input_Memo->clear();
}

void Window_Memos::clear_output() {
  if (!form_.Output_Memo->document()->isEmpty()) form_.Output_Memo->clear();
}

void Window_Memos::paste_clipboard_into_input() {
  form_.Input_Memo->insertPlainText(QGuiApplication::clipboard()->text());
}

void Window_Memos::place_input_caret(int pos) { form_.input_area().set_selection_start(pos); }

void Window_Memos::select_all_of_output() { form_.Output_Memo->selectAll(); }

// The selection is always the whole area here. An empty one copies nothing,
// so what another program put on the clipboard stays there.
void Window_Memos::copy_output_selection() {
  const QTextDocument& output = *form_.Output_Memo->document();
  if (output.isEmpty()) return;
  QGuiApplication::clipboard()->setText(clipboard_text(output));
}

void Window_Memos::show_information(const std::string& text) {
  form_.messages().show(text, Message_Icon::Information, Message_Buttons::Ok);
}

// Report dialog.

Window_Report::Window_Report(TMainForm1& form, TResults_Form& dialog)
    : dialog_(dialog),
      memo_(
          dialog.Report_Memo, [&form] { return form.code_page(); }, true) {}

void Window_Report::clear_report() { memo_.clear(); }

void Window_Report::append_report_line(std::string_view line) { memo_.append(line); }

void Window_Report::set_report_caption(const std::string& caption) {
  dialog_.setWindowTitle(QString::fromStdString(caption));
}

void Window_Report::show_report() { dialog_.show_non_modal(); }

// Scaling.

int Window_Layout::client_width() const { return form_.client_area()->width(); }

int Window_Layout::client_height() const { return form_.client_area()->height(); }

int Window_Layout::component_count() const { return static_cast<int>(form_.components().size()); }

bool Window_Layout::is_control(int k) const {
  return form_.components().at(static_cast<size_t>(k)).is_control;
}

Control_Layout Window_Layout::layout_of(int k) const {
  const QWidget* w = widget_of(form_, k);
  return {w->x(), w->width(), w->y(), w->height(), w->font().pointSize()};
}

std::string Window_Layout::name_of(int k) const {
  return form_.components().at(static_cast<size_t>(k)).object->objectName().toStdString();
}

void Window_Layout::apply_layout(int k, const Control_Layout& layout) {
  QWidget* w = widget_of(form_, k);
  w->setGeometry(layout.left, layout.top, layout.width, layout.height);
  // A font without a point size is left alone; an unchanged one is not set
  // again, which would re-lay the control out for nothing.
  if (layout.font_size > 0 && w->font().pointSize() != layout.font_size) {
    QFont font = w->font();
    font.setPointSize(layout.font_size);
    w->setFont(font);
  }
}

int Window_Layout::baseline_count() const { return form_.Scaling_ListBox->count(); }

void Window_Layout::add_baseline_line(const std::string& line) {
  form_.Scaling_ListBox->addItem(QString::fromStdString(line));
}

std::string Window_Layout::baseline_line(int n) const {
  const QListWidgetItem* item = form_.Scaling_ListBox->item(n);
  return item ? item->text().toStdString() : std::string();
}
