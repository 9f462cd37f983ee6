#pragma once
// The window's file-open dialog as a component: it exists from the window's
// creation on, but the dialog itself is made when first used. A dialog of
// widgets is costly to make (its file system model starts a thread and reads
// icons: a fifth of the window's start-up), and most runs never open it.

#include <QFileDialog>
#include <QObject>
#include <QPointer>

class TOpenDialog final : public QObject {
 public:
  explicit TOpenDialog(QWidget* owner) : QObject(owner), owner_(owner) {}

  // Made at the first call, for existing files only, and kept.
  QFileDialog& dialog() {
    if (!dialog_) {
      dialog_ = new QFileDialog(owner_);
      dialog_->setObjectName(objectName());
      dialog_->setFileMode(QFileDialog::ExistingFile);
    }
    return *dialog_;
  }

 private:
  QWidget* owner_;
  QPointer<QFileDialog> dialog_;
};
