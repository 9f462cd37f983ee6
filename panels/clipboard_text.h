#pragma once
// The text of a whole text area as it goes to the clipboard: a line feed
// between lines, control pictures turned back into the control characters
// they stand for, and every other character as it is (no-break spaces too,
// which QTextDocument::toPlainText would turn into plain spaces).

#include <QString>
#include <QTextDocument>

QString clipboard_text(const QTextDocument& document);
