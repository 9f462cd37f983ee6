#pragma once

#include <QIcon>
#include <QPixmap>

// Small pictures drawn in code for the glyph buttons and the main window.

enum class Glyph {
  Door,
  Stop_Sign,
  Clipboard,
  Copy_Pages,
  Loudspeaker,
  Open_Folder,
  Circular_Arrow,
  Document,
  Check_Mark,
  Chevron
};

// A 16x16 glyph (with a 32x32 version for high DPI) with its normal and its disabled
// (greyed) look, for glyph buttons; each picture is drawn when first shown.
QIcon glyph_icon(Glyph g);

// The thick downward arrow drawn between the input and output areas (38 x 41, transparent
// background).
QPixmap down_arrow_picture();
