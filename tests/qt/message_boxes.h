#pragma once
#include <QApplication>
#include <QList>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

// Dismisses each modal message box that opens while it lives, with a mouse
// click on its OK button, and records what the box showed.
class MessageBoxes {
 public:
  struct Seen {
    QString text, title;
    QMessageBox::Icon icon;
    QMessageBox::StandardButtons buttons;
  };

  MessageBoxes() {
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [this] { dismiss(); });
    timer_.start();
  }

  QList<Seen> seen;

 private:
  void dismiss() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible()) return;
    seen.push_back({box->text(), box->windowTitle(), box->icon(), box->standardButtons()});
    if (QAbstractButton* ok = box->button(QMessageBox::Ok))
      QTest::mouseClick(ok, Qt::LeftButton);
    else
      box->reject();  // fails the caller's check of `buttons`
  }

  QTimer timer_;
};
