#pragma once
// A framed group of radio buttons laid out in columns, with one selected index
// (-1 for none). `clicked` fires only when the user changes the selection;
// setting the index from code is silent.

#include <QButtonGroup>
#include <QGroupBox>
#include <QRadioButton>
#include <QStringList>
#include <vector>

class TRadioGroup final : public QGroupBox {
  Q_OBJECT

 public:
  TRadioGroup(const QString& caption, const QStringList& items, int columns, QWidget* parent);

  int itemIndex() const { return item_index_; }
  void setItemIndex(int index);
  int count() const { return static_cast<int>(buttons_.size()); }
  QRadioButton* button(int index) const { return buttons_.at(static_cast<size_t>(index)); }

 signals:
  void clicked();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void arrange_buttons();

  QButtonGroup group_;
  std::vector<QRadioButton*> buttons_;
  int columns_;
  int item_index_ = -1;
};
