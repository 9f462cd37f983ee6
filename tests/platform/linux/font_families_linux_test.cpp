#include <gtest/gtest.h>
#include <QFont>
#include <QFontInfo>
#include <QGuiApplication>

#include "platform/font_families.h"
#include "widgets/design_font.h"

// The stand-in must be the very face the toolkit would have drawn for the
// design family by its own search, or looking it up would change the window.
TEST(Font_Family_Lookup, NamesTheFaceTheToolkitWouldHaveDrawn) {
  // The very list the program looks up at its start.
  const std::vector<std::string> families = design_families();
  start_font_family_lookup(families);
  int argc = 1;
  char name[] = "test_platform";
  char* argv[] = {name, nullptr};
  QGuiApplication app(argc, argv);
  for (const std::string& family : families) {
    for (const bool bold : {false, true}) {
      QFont design(QString::fromStdString(family));
      QFont stand_in(QString::fromStdString(installed_font_family(family)));
      design.setBold(bold);
      stand_in.setBold(bold);
      EXPECT_EQ(QFontInfo(stand_in).family(), QFontInfo(design).family())
          << family << (bold ? " bold" : "");
      EXPECT_EQ(QFontInfo(stand_in).styleName(), QFontInfo(design).styleName());
    }
  }
  // No system but Windows has this one: it is always named by its stand-in.
  EXPECT_NE(installed_font_family("MS Sans Serif"), "MS Sans Serif");
  EXPECT_EQ(installed_font_family("Not Looked Up"), "Not Looked Up");
}
