// The contrast arithmetic against figures the relative-luminance formula
// gives, and the choice of a readable text colour.

#include "widgets/contrast.h"

#include <gtest/gtest.h>

namespace {

TEST(Contrast, RatiosOfKnownPairsEitherWayRound) {
  const struct {
    QColor a, b;
    double ratio;
  } cases[] = {
      {Qt::black, Qt::white, 21.0},
      {Qt::white, Qt::white, 1.0},
      {Qt::black, QColor(255, 0, 0), 5.25},         // the red gauge
      {Qt::white, QColor(255, 0, 0), 4.0},          // white on it does not read
      {Qt::white, QColor(0, 255, 0), 1.37},         // nor on the lime box
      {Qt::black, QColor(0x24, 0x24, 0x24), 1.35},  // a dark theme's text areas
      {Qt::blue, QColor(0xef, 0xef, 0xef), 7.47},   // links under the light palette
      {QColor(0x76, 0x76, 0x76), Qt::white, 4.54},  // the lightest grey that reads on white
  };
  for (const auto& c : cases) {
    SCOPED_TRACE((c.a.name() + " on " + c.b.name()).toStdString());
    EXPECT_NEAR(contrast_ratio(c.a, c.b), c.ratio, 0.01);
    EXPECT_NEAR(contrast_ratio(c.b, c.a), c.ratio, 0.01);
  }
}

TEST(Contrast, ReadableTextKeepsWhatReadsAndMovesTheRestJustFarEnough) {
  EXPECT_EQ(readable_text(Qt::blue, QColor(0xef, 0xef, 0xef)), QColor(Qt::blue));
  EXPECT_EQ(readable_text(Qt::black, QColor(0, 255, 0)), QColor(Qt::black));

  // On a dark dialog, blue turns a lighter blue, not white.
  const QColor link = readable_text(Qt::blue, QColor(0x31, 0x31, 0x31));
  EXPECT_TRUE(reads_on(link, QColor(0x31, 0x31, 0x31)));
  EXPECT_EQ(link.blue(), 255);
  EXPECT_EQ(link.red(), link.green());
  EXPECT_LT(link.red(), 200);

  // Whatever the background, the answer reads there, and only just where it had to move.
  for (int level = 0; level <= 255; level += 15) {
    for (const QColor& wanted : {QColor(Qt::blue), QColor(Qt::black), QColor(Qt::white),
                                 QColor(0, 255, 0), QColor(level, level, level)}) {
      const QColor background(level, level / 2, 255 - level);
      SCOPED_TRACE((wanted.name() + " on " + background.name()).toStdString());
      const QColor text = readable_text(wanted, background);
      EXPECT_GE(contrast_ratio(text, background), kReadable_Contrast);
      if (text != wanted && text != Qt::white && text != Qt::black) {
        EXPECT_LT(contrast_ratio(text, background), kReadable_Contrast + 1.0);
      }
    }
  }
}

}  // namespace
