#pragma once
// The report viewer: a fixed-size dialog with one read-only fixed-pitch text
// area that a caller fills line by line, a button that copies the whole report
// to the clipboard and a button that closes the dialog. It is shown without
// blocking the main window, centred on the screen each time it opens, and
// reused: a new report replaces the old one in the same window.

#include <QDialog>
#include <QPlainTextEdit>
#include <QPushButton>

class TResults_Form final : public QDialog {
  Q_OBJECT

 public:
  explicit TResults_Form(QWidget* parent = nullptr);

  // Shows the dialog without blocking; an open dialog is raised as it is.
  void show_non_modal();

  void Clipboard_BitBtnClick();
  void Exit_BitBtnClick();

  QPlainTextEdit* Report_Memo;
  QPushButton* Clipboard_BitBtn;
  QPushButton* Exit_BitBtn;

 private:
};
