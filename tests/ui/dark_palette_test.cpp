// Every text of the main window's two pages, the code chart and the About box
// reads on what is drawn behind it, under the desktop's palette (the default
// light one, or a real dark theme in tests/x11/dark_palette_check.sh) and
// under a dark one set here. Each text is measured on the window's own picture: the
// pixels that change when the widget's text colours turn transparent are the
// text's, and the strongest contrast between such a pixel and what shows there
// without the text is the text's contrast. Disabled controls are left out:
// their dimmed text is how they show that they are disabled.

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QStyleOption>
#include <QTest>
#include <functional>

#include "fakes/fake_memory_meter.h"
#include "fakes/fake_messages.h"
#include "fakes/fake_processes.h"
#include "panels/about_box.h"
#include "panels/results_form.h"
#include "shell/main_form.h"
#include "widgets/contrast.h"

namespace {

// The colours Qt takes from the dark variant of GNOME's theme through its GTK
// platform theme.
QPalette dark_palette() {
  const QColor text(0xf0, 0xf0, 0xf0), window(0x32, 0x32, 0x32), light(0x4b, 0x4b, 0x4b);
  return QPalette(text, window, light, QColor(0x21, 0x21, 0x21), QColor(0x26, 0x26, 0x26), text,
                  light, QColor(0x24, 0x24, 0x24), window);
}

struct Reading {
  QString text;
  double contrast = 1;
  QColor colour, behind;
};

QImage picture(QWidget* w, const QRect& area) {
  QWidget* window = w->window();
  return window->grab(QRect(w->mapTo(window, area.topLeft()), area.size())).toImage();
}

// The text's contrast in each area of `w`, from pictures with and without it.
// A text with no pixel of its own is drawn in the colour behind it.
std::vector<Reading> read(QWidget* w, const std::vector<QRect>& areas,
                          const std::function<void(bool shown)>& show_text) {
  std::vector<Reading> readings;
  for (const QRect& area : areas) {
    const QImage with = picture(w, area);
    show_text(false);
    const QImage without = picture(w, area);
    show_text(true);
    Reading r;
    r.text = w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className())
                                       : w->objectName();
    for (int y = 0; y < with.height(); ++y) {
      for (int x = 0; x < with.width(); ++x) {
        const QColor a = with.pixelColor(x, y), b = without.pixelColor(x, y);
        if (a != b && contrast_ratio(a, b) > r.contrast) r = {r.text, contrast_ratio(a, b), a, b};
      }
    }
    readings.push_back(r);
  }
  return readings;
}

std::function<void(bool)> by_palette(QWidget* w) {
  return [w, saved = w->palette()](bool shown) {
    QPalette p = saved;
    if (!shown) {
      for (QPalette::ColorRole role :
           {QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::BrightText,
            QPalette::HighlightedText, QPalette::PlaceholderText, QPalette::Link}) {
        for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
          p.setColor(group, role, Qt::transparent);
        }
      }
    }
    w->setPalette(p);
  };
}

QRect group_box_title(QGroupBox* box) {
  QStyleOptionGroupBox option;
  option.initFrom(box);
  option.text = box->title();
  option.textAlignment = box->alignment();
  option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
  option.lineWidth = 1;
  return box->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, box);
}

QRect button_label(QAbstractButton* button) {
  QStyleOptionButton option;
  option.initFrom(button);
  option.text = button->text();
  const bool radio = qobject_cast<QRadioButton*>(button);
  const bool check = qobject_cast<QCheckBox*>(button);
  if (!radio && !check) return button->rect();
  return button->style()->subElementRect(
      radio ? QStyle::SE_RadioButtonContents : QStyle::SE_CheckBoxContents, &option, button);
}

// Every visible, enabled text of the window as it stands.
std::vector<Reading> read_window(QWidget* window) {
  std::vector<Reading> all;
  auto add = [&all](std::vector<Reading> readings) {
    all.insert(all.end(), readings.begin(), readings.end());
  };
  for (QWidget* w : window->findChildren<QWidget*>()) {
    if (!w->isVisible() || !w->isEnabled()) continue;
    if (auto* label = qobject_cast<QLabel*>(w); label && !label->text().isEmpty()) {
      add(read(w, {w->rect()}, by_palette(w)));
    } else if (auto* button = qobject_cast<QAbstractButton*>(w);
               button && !button->text().isEmpty()) {
      add(read(w, {button_label(button)}, by_palette(w)));
    } else if (auto* box = qobject_cast<QGroupBox*>(w); box && !box->title().trimmed().isEmpty()) {
      add(read(w, {group_box_title(box)}, by_palette(w)));
    } else if (auto* tabs = qobject_cast<QTabBar*>(w)) {
      std::vector<QRect> each;
      for (int i = 0; i < tabs->count(); ++i) each.push_back(tabs->tabRect(i));
      add(read(w, each, by_palette(w)));
    } else if (auto* edit = qobject_cast<QLineEdit*>(w); edit && !edit->text().isEmpty()) {
      add(read(w, {w->rect()}, by_palette(w)));
    } else if (auto* memo = qobject_cast<QPlainTextEdit*>(w);
               memo && !memo->document()->isEmpty()) {
      add(read(w, {memo->viewport()->geometry()}, by_palette(w)));
    } else if (auto* gauge = qobject_cast<QProgressBar*>(w)) {
      add(read(w, {w->rect()}, [gauge](bool shown) { gauge->setTextVisible(shown); }));
    } else if (qobject_cast<QMenuBar*>(w)) {
      add(read(w, {w->rect()}, by_palette(w)));
    }
  }
  return all;
}

class Readable_Texts : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    if (std::string(GetParam()) == "dark") QApplication::setPalette(dark_palette());
  }
  void TearDown() override { QApplication::setPalette(light); }

  static void expect_readable(const std::vector<Reading>& readings) {
    EXPECT_FALSE(readings.empty());
    for (const Reading& r : readings) {
      EXPECT_GE(r.contrast, kReadable_Contrast)
          << r.text.toStdString() << ": " << r.colour.name().toStdString() << " on "
          << r.behind.name().toStdString();
    }
  }

  const QPalette light = QApplication::palette();
};

TEST_P(Readable_Texts, OnBothPagesTheChartAndTheAboutBox) {
  if (qEnvironmentVariableIsSet("TAPWRENZ_DARK_DESKTOP")) {
    ASSERT_LT(relative_luminance(QApplication::palette().color(QPalette::Window)), 0.2)
        << "the desktop's theme is not dark";
  }
  Fake_Messages messages;
  TMainForm1 form{messages};
  TResults_Form results{&form};
  form.set_results_form(&results);
  Fake_Memory_Meter meter;
  meter.status = {1u << 30, 1u << 29, 1u << 30, 1u << 29};
  Fake_Processes processes;
  TAboutBox about(
      meter, processes, [](int) { return 0; }, &form);
  form.set_about_box(&about);
  form.show();
  QCoreApplication::processEvents();

  // The gauges at 0 % (red, the text on the empty part), 100 % (lime), 95 %
  // (yellow) and 90 % (red, the text on the bar).
  const QString morse_and_text[][2] = {
      {"HELLO", ".- -..."},
      {QString(95, u'.') + "AAAAA", QString(90, u'.') + "AAAAAAAAAA"},
  };
  for (const auto& [input, output] : morse_and_text) {
    SCOPED_TRACE(input.toStdString() + " / " + output.toStdString());
    form.Input_Memo->setPlainText(input);
    form.Output_Memo->setPlainText(output);
    expect_readable(read_window(&form));
  }
  form.PageControl1->setCurrentIndex(1);
  expect_readable(read_window(&form));
  form.PageControl1->setCurrentIndex(0);

  QTest::mouseClick(form.Morse_Code_Chart_BitBtn, Qt::LeftButton);
  ASSERT_TRUE(results.isVisible());
  expect_readable(read_window(&results));
  results.hide();

  about.show();
  expect_readable(read_window(&about));
  about.hide();
}

INSTANTIATE_TEST_SUITE_P(Palettes, Readable_Texts, ::testing::Values("desktop", "dark"),
                         [](const auto& info) { return std::string(info.param); });

}  // namespace
