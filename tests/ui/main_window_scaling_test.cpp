// The real window recorded at its first showing and scaled by resizes.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QListWidget>

#include "fakes/fake_messages.h"
#include "shell/main_form.h"

namespace {

struct Placement {
  QRect bounds;
  int font;
  bool operator==(const Placement&) const = default;
};

std::vector<Placement> placements(const TMainForm1& form) {
  std::vector<Placement> all;
  for (const TComponent& c : form.components()) {
    if (!c.is_control) continue;
    const auto* w = static_cast<const QWidget*>(c.object);
    all.push_back({w->geometry(), w->font().pointSize()});
  }
  return all;
}

class Main_Window_Scaling : public ::testing::Test {
 protected:
  void SetUp() override {
    form.show();
    QCoreApplication::processEvents();
    // The first showing records the design layout, then takes the size the
    // settings give; at the recorded size every control is back in place.
    resize_client(form, 641, 481);
    design = placements(form);
  }
  // The window's size is the client area's plus the menu bar.
  void resize_client(TMainForm1& f, int width, int height) {
    f.resize(QSize(width, height) + QSize(0, f.MainMenu1->height()));
    QCoreApplication::processEvents();
  }
  Placement placement_of(QWidget* w) { return {w->geometry(), w->font().pointSize()}; }

  Fake_Messages messages;
  TMainForm1 form{messages};
  std::vector<Placement> design;
};

TEST_F(Main_Window_Scaling, TheFirstShowingRecordsEveryComponentInOrder) {
  const QListWidget* baseline = form.Scaling_ListBox;
  ASSERT_EQ(baseline->count(), static_cast<int>(form.components().size()) + 1);
  EXPECT_EQ(baseline->item(0)->text(), "641 481 W/H Mainform1");
  EXPECT_EQ(baseline->item(1)->text(), "4 633 2 445 11 PageControl1");
  for (size_t k = 0; k < form.components().size(); ++k) {
    const QString line = baseline->item(static_cast<int>(k) + 1)->text();
    if (form.components()[k].is_control) {
      EXPECT_TRUE(line.endsWith(" " + form.components()[k].object->objectName())) << k;
    } else {
      EXPECT_EQ(line, "0") << k;
    }
  }
  // Showing again records nothing new.
  form.hide();
  form.show();
  EXPECT_EQ(baseline->count(), static_cast<int>(form.components().size()) + 1);
}

TEST_F(Main_Window_Scaling, DoubleSizeDoublesEveryPlaceAndFont) {
  resize_client(form, 1282, 962);
  EXPECT_EQ(placement_of(form.Input_Memo), (Placement{{218, 26, 1010, 242}, 18}));
  EXPECT_EQ(placement_of(form.Exit_BitBtn), (Placement{{972, 898, 300, 60}, 28}));
  EXPECT_EQ(placement_of(form.Label15), (Placement{{10, 122, 110, 30}, 20}));
  // The tabs widen with their font, so the captions stay whole.
  EXPECT_EQ(form.PageControl1->tabBar()->tabRect(0).width(), 280);

  // Only wider: the smaller ratio is 1, so fonts keep their size.
  resize_client(form, 1282, 481);
  EXPECT_EQ(placement_of(form.Exit_BitBtn), (Placement{{972, 449, 300, 30}, 14}));
  resize_client(form, 641, 481);
  EXPECT_EQ(placements(form), design);
}

TEST_F(Main_Window_Scaling, AnySequenceOfResizesEndsInTheLayoutOfOneResize) {
  for (const QSize size : {QSize(900, 700), QSize(300, 150), QSize(2000, 400), QSize(1, 1),
                           QSize(777, 555), QSize(1000, 800)}) {
    resize_client(form, size.width(), size.height());
  }
  TMainForm1 straight{messages};
  straight.show();
  QCoreApplication::processEvents();
  resize_client(straight, 1000, 800);
  EXPECT_EQ(placements(form), placements(straight));
}

TEST(Main_Window_Scaling_Before_Showing, ResizesBeforeTheFirstShowingMoveNothing) {
  Fake_Messages messages;
  TMainForm1 form{messages};
  const auto before = placements(form);
  form.resize(1200, 900);
  EXPECT_EQ(placements(form), before);
  EXPECT_EQ(form.Scaling_ListBox->count(), 0);
}

}  // namespace
