#include "widgets/window_functions.h"

#include <QGuiApplication>
#include <cstdint>

#if defined(TAPWRENZ_WITH_XCB)
#include <xcb/xcb.h>

#include <cstdlib>
#endif

void offer_only_moving([[maybe_unused]] QWidget& window) {
#if defined(TAPWRENZ_WITH_XCB)
  // Other platforms may offer the same interface without a connection.
  if (QGuiApplication::platformName() != QLatin1String("xcb")) return;
  const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
  if (!connection) return;
  static constexpr char kName[] = "_MOTIF_WM_HINTS";
  xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
      connection, xcb_intern_atom(connection, 0, sizeof kName - 1, kName), nullptr);
  if (!atom) return;
  // The fields: which of the next two count, the functions, the decorations,
  // the input mode and the status.
  constexpr std::uint32_t kFunctions_And_Decorations = 1 | 2;
  constexpr std::uint32_t kMove = 4;
  constexpr std::uint32_t kBorder_And_Title = 2 | 8;
  const std::uint32_t hints[5] = {kFunctions_And_Decorations, kMove, kBorder_And_Title, 0, 0};
  xcb_change_property(connection, XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(window.winId()),
                      atom->atom, atom->atom, 32, 5, hints);
  std::free(atom);
#endif
}
