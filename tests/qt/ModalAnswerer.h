#pragma once
// Answers the next modal box or window from inside its own event loop: a
// zero-delay timer looks for QApplication::activeModalWidget(), and a later
// timer fails the test and closes whatever is open rather than hang.

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace zorvanel::qt::testing {

class ModalAnswerer {
 public:
  explicit ModalAnswerer(std::function<void(QWidget& modal)> answer, int timeoutMs = 5000)
      : answer_(std::move(answer)) {
    poll_.setInterval(0);
    QObject::connect(&poll_, &QTimer::timeout, [this] {
      QWidget* modal = QApplication::activeModalWidget();
      if (!modal) return;
      poll_.stop();
      answered_ = true;
      answer_(*modal);
    });
    poll_.start();
    watchdog_.setSingleShot(true);
    QObject::connect(&watchdog_, &QTimer::timeout, [this] {
      poll_.stop();
      ADD_FAILURE() << "no modal window was answered in time";
      if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
    });
    watchdog_.start(timeoutMs);
  }
  bool answered() const { return answered_; }

 private:
  std::function<void(QWidget&)> answer_;
  QTimer poll_;
  QTimer watchdog_;
  bool answered_ = false;
};

// Presses one of a message box's buttons.
inline std::function<void(QWidget&)> Press(QMessageBox::StandardButton which) {
  return [which](QWidget& modal) {
    auto* box = qobject_cast<QMessageBox*>(&modal);
    ASSERT_NE(box, nullptr) << "the modal window is not a message box";
    box->button(which)->click();
  };
}

}  // namespace zorvanel::qt::testing
