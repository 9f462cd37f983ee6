#include "shell/radio_group.h"

#include <QEvent>
#include <QFontMetrics>

TRadioGroup::TRadioGroup(const QString& caption, const QStringList& items, int columns,
                         QWidget* parent)
    : QGroupBox(caption, parent), group_(this), columns_(std::max(columns, 1)) {
  group_.setExclusive(true);
  for (int i = 0; i < items.size(); ++i) {
    auto* button = new QRadioButton(items[i], this);
    group_.addButton(button, i);
    buttons_.push_back(button);
  }
  connect(&group_, &QButtonGroup::idClicked, this, [this](int id) {
    if (id == item_index_) return;
    item_index_ = id;
    emit clicked();
  });
  arrange_buttons();
}

void TRadioGroup::setItemIndex(int index) {
  if (index < -1 || index >= count()) index = -1;
  item_index_ = index;
  if (index >= 0) {
    buttons_[static_cast<size_t>(index)]->setChecked(true);
  } else if (QAbstractButton* checked = group_.checkedButton()) {
    // An exclusive group refuses to uncheck its last button.
    group_.setExclusive(false);
    checked->setChecked(false);
    group_.setExclusive(true);
  }
}

void TRadioGroup::resizeEvent(QResizeEvent* event) {
  QGroupBox::resizeEvent(event);
  arrange_buttons();
}

void TRadioGroup::changeEvent(QEvent* event) {
  QGroupBox::changeEvent(event);
  if (event->type() == QEvent::FontChange) arrange_buttons();
}

// Buttons fill the space under the caption in equal cells, column by column,
// so that the group keeps its look at any size and font.
void TRadioGroup::arrange_buttons() {
  if (buttons_.empty()) return;
  const int per_column = (count() + columns_ - 1) / columns_;
  const int text_height = QFontMetrics(font()).height();
  const int free_height = height() - text_height - 5;
  const int button_height = std::max(free_height / per_column, 0);
  const int top_margin = text_height + 1 + (free_height % per_column) / 2;
  const int button_width = std::max((width() - 10) / columns_, 0);
  for (int i = 0; i < count(); ++i) {
    buttons_[static_cast<size_t>(i)]->setGeometry((i / per_column) * button_width + 8,
                                                  (i % per_column) * button_height + top_margin,
                                                  button_width, button_height);
  }
}
