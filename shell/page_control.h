#pragma once
// A tab control whose tabs all have one fixed width, as the main window's
// pages are designed.

#include <QTabBar>
#include <QTabWidget>

class Fixed_Width_Tab_Bar final : public QTabBar {
 public:
  Fixed_Width_Tab_Bar(int tab_width, QWidget* parent) : QTabBar(parent), tab_width_(tab_width) {}

 protected:
  QSize tabSizeHint(int index) const override {
    return {tab_width_, QTabBar::tabSizeHint(index).height()};
  }
  QSize minimumTabSizeHint(int index) const override { return tabSizeHint(index); }

 private:
  int tab_width_;
};

class TPageControl final : public QTabWidget {
 public:
  TPageControl(int tab_width, QWidget* parent) : QTabWidget(parent) {
    setTabBar(new Fixed_Width_Tab_Bar(tab_width, this));
  }
};
