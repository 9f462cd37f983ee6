#include "shell/memo_share.h"

#include <QTextBlock>
#include <QTextDocument>

namespace {

// The block holding `position`, or the last block for a position past the end
// (a change report may run one past the final paragraph separator).
QTextBlock block_at(const QTextDocument* doc, int position) {
  const QTextBlock block = doc->findBlock(position);
  return block.isValid() ? block : doc->lastBlock();
}

}  // namespace

Memo_Share::Memo_Share(QPlainTextEdit* edit, const Text_Area& area, QObject* parent)
    : QObject(parent), edit_(edit), area_(area) {
  connect(edit->document(), &QTextDocument::contentsChange, this, &Memo_Share::contents_change);
  recount();
}

Morse_Count Memo_Share::count_of(const QTextBlock& block) const {
  return count_morse_in_line(area_.encode(block.text()));
}

void Memo_Share::recount() {
  tracker_.clear();
  std::vector<Morse_Count> counts;
  const QTextDocument* doc = edit_->document();
  counts.reserve(static_cast<size_t>(doc->blockCount()));
  for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) counts.push_back(count_of(b));
  tracker_.replace_lines(0, 0, counts);
}

// The report says where the change starts and how long the new text is, but
// not which old lines it replaced: the blocks from the start to the end of the
// new text are recounted, and the change in the block count tells how many old
// lines they stand in for. Every block outside that range is unchanged.
void Memo_Share::contents_change(int position, int /*removed*/, int added) {
  const QTextDocument* doc = edit_->document();
  const QTextBlock first = block_at(doc, position);
  const QTextBlock last = block_at(doc, position + added);
  const int first_line = first.blockNumber();
  const int new_lines = last.blockNumber() - first_line + 1;
  const int old_lines = new_lines - (doc->blockCount() - tracker_.line_count());
  if (new_lines < 1 || old_lines < 0 || first_line + old_lines > tracker_.line_count()) {
    recount();  // a report that does not fit what we hold: start afresh
    return;
  }

  std::vector<Morse_Count> counts;
  counts.reserve(static_cast<size_t>(new_lines));
  for (QTextBlock b = first;; b = b.next()) {
    counts.push_back(count_of(b));
    if (b == last) break;
  }
  tracker_.replace_lines(first_line, old_lines, counts);
}
