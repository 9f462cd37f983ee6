// Repaints held to one per frame interval while every other event runs.

#include "shell/paced_message_loop.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>

#include "ui/quit_request.h"

namespace {

using namespace std::chrono_literals;

class Paint_Counter final : public QObject {
 public:
  explicit Paint_Counter(QWidget* w) { w->installEventFilter(this); }
  int paints = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

class Paced_Message_Loop_Test : public ::testing::Test {
 protected:
  void SetUp() override {
    window.resize(120, 80);
    window.show();
    QCoreApplication::processEvents();
  }
  void change_and_run() {
    window.update();
    loop.run_once();
  }

  QWidget window;
  std::chrono::steady_clock::time_point now = std::chrono::steady_clock::time_point{} + 1h;
  Paced_Message_Loop loop{&window, [this] { return now; }, 16ms};
  Paint_Counter counter{&window};
};

TEST_F(Paced_Message_Loop_Test, PaintsOncePerFrameIntervalAndAfterRelease) {
  change_and_run();
  const int painted = counter.paints;
  EXPECT_GE(painted, 1);
  for (int i = 0; i < 50; ++i) {
    now += 100us;
    change_and_run();
  }
  EXPECT_EQ(counter.paints, painted);
  now += 16ms;
  loop.run_once();  // the held repaint goes out with the next frame
  EXPECT_EQ(counter.paints, painted + 1);
  change_and_run();
  loop.release();
  QCoreApplication::processEvents();
  EXPECT_EQ(counter.paints, painted + 2);
}

TEST_F(Paced_Message_Loop_Test, OtherEventsRunOnEveryCall) {
  change_and_run();
  const int painted = counter.paints;
  int handled = 0;
  for (int i = 0; i < 10; ++i) {
    QMetaObject::invokeMethod(
        &window, [&] { ++handled; }, Qt::QueuedConnection);
    change_and_run();
  }
  EXPECT_EQ(handled, 10);
  EXPECT_EQ(counter.paints, painted);
}

TEST_F(Paced_Message_Loop_Test, ANestedLoopInsideAHeldCallPaints) {
  change_and_run();
  const int painted = counter.paints;
  now += 1ms;
  int painted_in_box = -1;
  QMetaObject::invokeMethod(
      &window,
      [&] {
        // A modal box runs its own event loop; this one ends once the update
        // request posted by update() has been handled, as the quit request is
        // posted after it at the same priority.
        QEventLoop box;
        window.update();
        Quit_Request quit(box);
        box.exec();
        painted_in_box = counter.paints;
      },
      Qt::QueuedConnection);
  loop.run_once();
  EXPECT_EQ(painted_in_box, painted + 1);
}

// Offers come after every token and line; the clock is read only now and
// then, yet a turn is never more than a few steps late, even when the steps
// turn slow at once.
TEST_F(Paced_Message_Loop_Test, ATurnIsDueOnceItsIntervalHasPassed) {
  for (const std::chrono::microseconds slow_step : {1us, 1000us}) {
    loop.run_once();  // the interval (4 ms) counts from the end of a turn
    const auto turn_due = now + 4ms;
    int late_offers = 0;
    bool taken = false;
    for (int offer = 0; offer < 100000 && !taken; ++offer) {
      now += offer < 2000 ? 1us : slow_step;  // fast steps, then maybe slow ones
      taken = loop.due();
      if (now > turn_due) ++late_offers;
      if (now < turn_due) {
        EXPECT_FALSE(taken);
      }
    }
    EXPECT_TRUE(taken);
    EXPECT_LE(late_offers, 8) << "steps of " << slow_step.count() << " us";
  }
  Paced_Message_Loop every_offer(
      &window, [this] { return now; }, 16ms, 0us);
  EXPECT_TRUE(every_offer.due());
  EXPECT_TRUE(every_offer.due());
}

TEST(Paced_Message_Loop, FrameIntervalIs16MsUnlessGiven) {
  QWidget window;
  window.show();
  QCoreApplication::processEvents();
  auto now = std::chrono::steady_clock::time_point{} + 1h;
  Paced_Message_Loop loop(&window, [&] { return now; });
  Paint_Counter counter(&window);
  loop.run_once();
  window.update();
  now += 15ms + 999us;
  loop.run_once();
  EXPECT_EQ(counter.paints, 0);
  now += 1us;
  loop.run_once();
  EXPECT_EQ(counter.paints, 1);
}

}  // namespace
