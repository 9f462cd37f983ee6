// The About dialog, offscreen, against a fake memory meter and fake process
// starter: its design, what shows at once, the timers and the logo, how it
// closes, and the links.

#include "panels/about_box.h"

#include <gtest/gtest.h>

#include <QtTest/qtestspontaneevent.h>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <deque>
#include <set>

#include "fakes/fake_memory_meter.h"
#include "fakes/fake_processes.h"

namespace {

const QString kQuote[] = {
    "I hope this program makes your work a little simpler, your play a little better, or your "
    "day a bit easier.",
    "If you have any comments, suggestions, improvements, or feedback, please email me.",
    "Useful software needn't take up Gigabytes of disk space, and my catalog of software proves "
    "this.",
};

class About_Box_Test : public ::testing::Test {
 protected:
  About_Box_Test() {
    // 4 GiB of 16 free, and 1 of 4 GiB of page file: 5 of 20, 25%.
    meter.status = {16ull << 30, 4ull << 30, 4ull << 30, 1ull << 30};
    box.set_texts({"About Tapwren v2.0f ...", "Tapwren v2.0f", "Developed using C++20 and Qt 6",
                   "Comments", "Web page:", "tapwren@example.com",
                   "https://www.example.com/tapwren"});
  }
  ~About_Box_Test() override { box.hide(); }

  void expect_running(bool running) {
    EXPECT_EQ(box.Quote_Change_Timer->isActive(), running);
    EXPECT_EQ(box.Free_Resources_Timer->isActive(), running);
    EXPECT_EQ(box.Pelko_Logo_GIFImage->animating(), running);
  }

  Fake_Memory_Meter meter;
  Fake_Processes processes;
  std::deque<int> picks{2, 0, 0, 1};
  std::vector<int> counts_asked;
  TAboutBox box{meter, processes, [this](int count) {
                  counts_asked.push_back(count);
                  const int pick = picks.empty() ? 0 : picks.front();
                  if (!picks.empty()) picks.pop_front();
                  return pick;
                }};
};

TEST_F(About_Box_Test, HasItsDesignAndNoCloseBox) {
  EXPECT_TRUE(box.isHidden());
  EXPECT_EQ(box.objectName(), "AboutBox");
  EXPECT_EQ(box.windowTitle(), "About Tapwren v2.0f ...");
  EXPECT_EQ(box.windowType(), Qt::Dialog);
  EXPECT_TRUE(box.windowFlags() & Qt::CustomizeWindowHint);
  EXPECT_FALSE(box.windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(box.windowFlags() & Qt::WindowSystemMenuHint);
  EXPECT_FALSE(box.windowFlags() & Qt::WindowMinMaxButtonsHint);
  EXPECT_EQ(box.minimumSize(), QSize(622, 411));
  EXPECT_EQ(box.maximumSize(), QSize(622, 411));

  EXPECT_FALSE(box.Pelko_Logo_Banner_Image->pixmap().isNull());
  EXPECT_EQ(box.Pelko_Logo_GIFImage->frame_count(), 0);  // decoded when first shown
  EXPECT_EQ(box.Product_Name_Label->text(), "Tapwren v2.0f");
  EXPECT_TRUE(box.OKButton->isDefault());

  ASSERT_EQ(box.Quotes_From_Pelko_ListBox->count(), 3);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(box.Quotes_From_Pelko_ListBox->item(i)->text(), kQuote[i]);
  EXPECT_EQ(box.Quote_Change_Timer->interval(), 10000);
  EXPECT_EQ(box.Free_Resources_Timer->interval(), 500);
  expect_running(false);
}

TEST_F(About_Box_Test, OpeningShowsBothReadingsAtOnceAndStartsTheTimersAndLogo) {
  box.show();
  EXPECT_EQ(meter.reads, 1);
  EXPECT_EQ(box.Free_Resources_Label->text(), "25%");
  EXPECT_EQ(box.Quote_From_Pelko_Label->text(), kQuote[2]);
  EXPECT_EQ(counts_asked, std::vector<int>{3});
  expect_running(true);

  // The links stand in for the hidden buttons.
  EXPECT_TRUE(box.Email_Button->isHidden());
  EXPECT_TRUE(box.WEB_Button->isHidden());
  EXPECT_EQ(box.Email_Address_Label->text(), "tapwren@example.com");
  EXPECT_EQ(box.Email_Address_Label->y(), box.Email_Button->y());
  EXPECT_EQ(box.Email_Address_Label->toolTip(), "Click to send an E-Mail to Pelko.");
  EXPECT_EQ(box.WEB_Address_Label->text(), "https://www.example.com/tapwren");
  EXPECT_EQ(box.WEB_Address_Label->y(), box.WEB_Button->y());
  EXPECT_EQ(box.WEB_Address_Label->toolTip(), "Click to visit Pelko's WEB Page.");
  EXPECT_NE(box.Email_Address_Label->y(), box.WEB_Address_Label->y());
  EXPECT_EQ(box.WEB_Address_Label->cursor().shape(), Qt::PointingHandCursor);
  EXPECT_EQ(box.Pelko_Logo_GIFImage->cursor().shape(), Qt::PointingHandCursor);

  // Each tick takes a fresh pick and reading; the same message may come twice.
  box.Quote_Change_TimerTimer();
  EXPECT_EQ(box.Quote_From_Pelko_Label->text(), kQuote[0]);
  box.Quote_Change_TimerTimer();
  EXPECT_EQ(box.Quote_From_Pelko_Label->text(), kQuote[0]);
  box.Quote_Change_TimerTimer();
  EXPECT_EQ(box.Quote_From_Pelko_Label->text(), kQuote[1]);
  meter.status.available_physical = 12ull << 30;
  box.Free_Resources_TimerTimer();
  EXPECT_EQ(box.Free_Resources_Label->text(), "65%");
}

TEST_F(About_Box_Test, TheOwnRandomSourceGivesEveryMessageAndRepeats) {
  TAboutBox own{meter, processes};
  std::set<QString> seen;
  bool repeated = false;
  QString last;
  for (int i = 0; i < 200; ++i) {
    own.Quote_Change_TimerTimer();
    const QString now = own.Quote_From_Pelko_Label->text();
    seen.insert(now);
    repeated = repeated || now == last;
    last = now;
  }
  EXPECT_EQ(seen, (std::set<QString>{kQuote[0], kQuote[1], kQuote[2]}));
  EXPECT_TRUE(repeated);
}

TEST(Free_Memory_Reading, AddsPhysicalAndPageFileAndRoundsHalvesUp) {
  // Physical bytes are whole KiB (shifted), page file bytes fractional KiB.
  EXPECT_EQ(free_memory_reading({200 * 1024, 87 * 1024, 0, 0}), "44%");  // 43.5
  EXPECT_EQ(free_memory_reading({200 * 1024, 87 * 1024 + 1023, 0, 0}), "44%");
  EXPECT_EQ(free_memory_reading({100 * 1024, 0, 100 * 1024, 1536}), "1%");  // 1.5 of 200 KiB
  EXPECT_EQ(free_memory_reading({1024, 1024, 0, 0}), "100%");
  EXPECT_EQ(free_memory_reading({1ull << 50, 1ull << 49, 0, 0}), "50%");
  // A meter that read nothing does not make a "nan%".
  EXPECT_EQ(free_memory_reading({}), "n/a");
  EXPECT_EQ(free_memory_reading({1023, 1023, 0, 0}), "n/a");
}

TEST_F(About_Box_Test, ClosesByOkEscapeOrEnterAndStopsEverything) {
  struct Way {
    const char* name;
    std::function<void()> close;
  };
  const Way ways[] = {
      {"OK", [&] { box.OKButton->click(); }},
      {"Escape", [&] { QTest::keyClick(&box, Qt::Key_Escape); }},
      {"Enter", [&] { QTest::keyClick(&box, Qt::Key_Return); }},
      {"keypad Enter", [&] { QTest::keyClick(&box, Qt::Key_Enter, Qt::KeypadModifier); }},
  };
  for (const Way& way : ways) {
    box.setResult(-1);
    box.show();
    expect_running(true);
    way.close();
    EXPECT_TRUE(box.isHidden()) << way.name;
    EXPECT_EQ(box.result(), QDialog::Accepted) << way.name;
    expect_running(false);
  }
  // Each opening read the meter afresh.
  EXPECT_EQ(meter.reads, 4);
}

TEST_F(About_Box_Test, TheWindowManagersCloseAndOtherKeysLeaveItOpen) {
  box.show();
  // What the window system sends for its close command.
  QCloseEvent close;
  QSpontaneKeyEvent::setSpontaneous(&close);
  QApplication::instance()->notify(&box, &close);
  EXPECT_FALSE(close.isAccepted());
  EXPECT_TRUE(box.isVisible());
  QTest::keyClick(&box, Qt::Key_A);
  QTest::keyClick(&box, Qt::Key_Space);
  EXPECT_TRUE(box.isVisible());
  expect_running(true);
}

TEST_F(About_Box_Test, ModalShowIsCentredOnTheScreenAndEndsWithOk) {
  QTimer::singleShot(0, &box, [this] {
    const QRect area = box.screen()->availableGeometry();
    const QSize frame = box.frameGeometry().size();
    EXPECT_EQ(box.pos(), area.topLeft() + QPoint((area.width() - frame.width()) / 2,
                                                 (area.height() - frame.height()) / 2));
    EXPECT_TRUE(box.isModal());
    box.OKButton->click();
  });
  EXPECT_EQ(box.show_modal(), QDialog::Accepted);
  expect_running(false);
}

TEST_F(About_Box_Test, LinksOpenTheMailProgramAndTheWebPage) {
  box.show();
  const QString program = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
  QTest::mouseClick(box.Email_Address_Label, Qt::LeftButton);
  QTest::mouseClick(box.WEB_Address_Label, Qt::LeftButton);
  QTest::mouseClick(box.Pelko_Logo_GIFImage, Qt::LeftButton);
  QTest::mouseClick(box.Pelko_Logo_Banner_Image, Qt::LeftButton);
  QTest::mouseClick(box.WEB_Address_Label, Qt::RightButton);
  const std::string web = "https://www.example.com/tapwren";
  EXPECT_EQ(processes.opened_urls,
            (std::vector<std::string>{
                "mailto:tapwren@example.com?subject=Shareware: " + program.toStdString(), web, web,
                web}));

  // No address, nothing opened.
  processes.opened_urls.clear();
  box.Email_Button->setText("");
  box.WEB_Button->setText("");
  box.Email_ButtonClick();
  box.WEB_ButtonClick();
  EXPECT_TRUE(processes.opened_urls.empty());
}

TEST_F(About_Box_Test, TheLogoAnimatesWhileShown) {
  box.show();
  Animated_Gif_Image* logo = box.Pelko_Logo_GIFImage;
  EXPECT_GT(logo->frame_count(), 1);
  EXPECT_EQ(logo->current_frame(), 0);
  const QImage first = logo->pixmap().toImage();
  for (int i = 0; i < 200 && logo->current_frame() == 0; ++i) QTest::qWait(10);
  EXPECT_GT(logo->current_frame(), 0);
  EXPECT_NE(logo->pixmap().toImage(), first);
  box.OKButton->click();
  const int stopped_at = logo->current_frame();
  QTest::qWait(logo->frame_delay_ms(stopped_at) + 50);
  EXPECT_EQ(logo->current_frame(), stopped_at);
}

}  // namespace
