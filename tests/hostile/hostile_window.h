// The window in a folder of its own, with the steps the hostile-input tests repeat.
#pragma once

#include <QApplication>
#include <QClipboard>
#include <QTest>

#include "ui/window_in_folder.h"

class Hostile_Window : public Window_In_Folder {
 protected:
  static void paste(TMainForm1& form, const QString& text) {
    QGuiApplication::clipboard()->setText(text);
    QTest::mouseClick(form.Paste_From_Clipboard_To_Input_Memo_BitBtn, Qt::LeftButton);
  }
};
