#include "widgets/app_style.h"

#include "widgets/glyphs.h"

QIcon App_Style::standardIcon(StandardPixmap which, const QStyleOption* option,
                              const QWidget* widget) const {
  if (which == SP_ToolBarHorizontalExtensionButton || which == SP_ToolBarVerticalExtensionButton) {
    return glyph_icon(Glyph::Chevron);
  }
  return QProxyStyle::standardIcon(which, option, widget);
}
