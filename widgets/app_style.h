#pragma once
// The desktop's style, except for the arrow of a tool or menu bar's overflow
// button, which is drawn in code. The stock arrow is a picture file, and
// reading it made the program search its image plugins while the main window
// was being built, for a button that shows only when the window is too narrow
// for its menus.

#include <QProxyStyle>

class App_Style final : public QProxyStyle {
 public:
  // Takes `base`, normally the application's style, over.
  explicit App_Style(QStyle* base) : QProxyStyle(base) {}

  QIcon standardIcon(StandardPixmap which, const QStyleOption* option = nullptr,
                     const QWidget* widget = nullptr) const override;
};
