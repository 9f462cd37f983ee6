#pragma once
// A tab control whose tabs all have one fixed width, as the main window's
// pages are designed. The width grows and shrinks with the font, so that a
// window scaled up does not cut its tab captions.

#include <QTabBar>
#include <QTabWidget>
#include <cmath>

class Fixed_Width_Tab_Bar final : public QTabBar {
 public:
  Fixed_Width_Tab_Bar(int tab_width, QWidget* parent)
      : QTabBar(parent), tab_width_(tab_width), design_points_(font().pointSizeF()) {}

 protected:
  QSize tabSizeHint(int index) const override {
    const double scale = design_points_ > 0 ? font().pointSizeF() / design_points_ : 1.0;
    return {static_cast<int>(std::lround(tab_width_ * scale)),
            QTabBar::tabSizeHint(index).height()};
  }
  QSize minimumTabSizeHint(int index) const override { return tabSizeHint(index); }

 private:
  int tab_width_;
  double design_points_;
};

class TPageControl final : public QTabWidget {
 public:
  TPageControl(int tab_width, QWidget* parent) : QTabWidget(parent) {
    setTabBar(new Fixed_Width_Tab_Bar(tab_width, this));
  }
};
