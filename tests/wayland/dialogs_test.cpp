// Every dialog of the window under a real Wayland compositor, maximised and
// minimised the way Qt's own title bar asks for it. A compositor that finds a
// window at the wrong size for its state ends the connection, and with it
// this process: the run then fails with no report.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <functional>

#include "shell/message_box.h"
#include "ui/window_in_folder.h"
#include "widgets/dialogs_in_reach.h"

namespace {

constexpr int kCompositor_Wait_Ms = 5000;

// Maximises as the title bar's button does, then waits until the dialog is
// back in sight at the size it was designed with.
void maximise_and_survive(QWidget* dialog) {
  ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog, kCompositor_Wait_Ms));
  QCoreApplication::processEvents();  // what follows the showing, as before a user's click
  const QSize size = dialog->size();
  for (int time = 0; time < 2; ++time) {
    dialog->windowHandle()->setWindowStates(Qt::WindowMaximized);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
          QWindow* handle = dialog->windowHandle();
          return handle->isExposed() && handle->windowStates() == Qt::WindowNoState &&
                 dialog->size() == size;
        },
        kCompositor_Wait_Ms))
        << qPrintable(dialog->objectName());
    // A frame drawn now meets the compositor's check of the state it holds.
    dialog->repaint();
    QTest::qWait(50);
  }
}

// The title bar's minimise; the dialog closes rather than vanish for good.
void minimise(QWidget* dialog) {
  dialog->windowHandle()->setWindowStates(Qt::WindowMinimized);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !dialog->isVisible(); }, kCompositor_Wait_Ms))
      << qPrintable(dialog->objectName());
}

// Runs `act` on the modal dialog that `open` shows, from inside its loop.
void with_modal(const std::function<void()>& open, const std::function<void(QWidget*)>& act) {
  bool acted = false;
  QTimer::singleShot(0, [&] {
    ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::activeModalWidget() != nullptr; },
                                kCompositor_Wait_Ms));
    act(QApplication::activeModalWidget());
    acted = true;
  });
  open();
  EXPECT_TRUE(acted);
}

class Dialogs_Under_Wayland : public Window_In_Folder {};

TEST_F(Dialogs_Under_Wayland, SurviveTheirTitleBarsAndTheWindowSavesOnClose) {
  ASSERT_TRUE(QGuiApplication::platformName().startsWith("wayland"))
      << "run under a Wayland compositor with QT_QPA_PLATFORM=wayland";
  Message_Boxes boxes;
  TMainForm1 form(boxes, services());
  boxes.set_owner(&form);
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form, kCompositor_Wait_Ms));
  form.Input_Memo->setPlainText(QStringLiteral("kept"));

  with_modal([&] { form.AboutOptionClick(); },
             [&](QWidget* about) {
               maximise_and_survive(about);
               minimise(about);
             });
  with_modal([&] { form.AboutOptionClick(); },
             [&](QWidget* about) {
               maximise_and_survive(about);
               form.about_box().OKButton->click();
             });

  for (bool by_minimising : {true, false}) {
    form.Show_Codes_OptionClick();
    TResults_Form& chart = form.results_form();
    maximise_and_survive(&chart);
    if (by_minimising) {
      minimise(&chart);
    } else {
      chart.Exit_BitBtn->click();
    }
  }

  // The question is answered No either way: the areas keep their text.
  with_modal([&] { form.Restore_Factory_Defaults_OptionClick(); },
             [&](QWidget* question) {
               maximise_and_survive(question);
               minimise(question);
             });
  with_modal([&] { form.Restore_Factory_Defaults_OptionClick(); },
             [&](QWidget* question) {
               maximise_and_survive(question);
               static_cast<QMessageBox*>(question)->button(QMessageBox::No)->click();
             });
  EXPECT_EQ(form.Input_Memo->toPlainText(), QStringLiteral("kept"));

  // A click reaches the window through the compositor: no dialog blocks it.
  QPushButton* exit = form.Exit_BitBtn;
  QTest::mouseClick(form.windowHandle(), Qt::LeftButton, {},
                    exit->mapTo(&form, exit->rect().center()));
  EXPECT_TRUE(QTest::qWaitFor([&] { return !form.isVisible(); }, kCompositor_Wait_Ms));
  EXPECT_NE(read_file(ini()).find("window_Width="), std::string::npos);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  keep_dialogs_in_reach(app);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
