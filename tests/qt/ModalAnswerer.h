#pragma once
// Answers the next modal boxes or windows, in order, each from inside its
// own event loop: a zero-delay timer looks for the active modal widget, and
// a watchdog fails the test and closes what is open rather than hang.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <vector>

namespace zorvanel::qt::testing {

class ModalAnswerer {
 public:
  using Answer = std::function<void(QWidget& modal)>;

  explicit ModalAnswerer(std::vector<Answer> answers) : answers_(std::move(answers)) {
    QObject::connect(&poll_, &QTimer::timeout, [this] {
      QWidget* modal = QApplication::activeModalWidget();
      if (!modal || modal == last_) return;  // the last one may not be gone yet
      last_ = modal;
      if (++answered_ == answers_.size()) poll_.stop();
      answers_[answered_ - 1](*modal);
    });
    poll_.start(0);
    QTimer::singleShot(5000, &poll_, [this] {
      poll_.stop();
      if (answered() && !QApplication::activeModalWidget()) return;
      ADD_FAILURE() << answered_ << " of " << answers_.size() << " modal windows answered, "
                    << (QApplication::activeModalWidget() ? "one more open" : "none open");
      while (QWidget* modal = QApplication::activeModalWidget()) modal->close();
    });
  }
  bool answered() const { return answered_ == answers_.size(); }

 private:
  std::vector<Answer> answers_;
  std::size_t answered_ = 0;
  QPointer<QWidget> last_;
  QTimer poll_;
};

// Checks a message box's title and presses one of its buttons.
inline ModalAnswerer::Answer Press(QMessageBox::StandardButton which, QString title) {
  return [which, title](QWidget& modal) {
    auto* box = qobject_cast<QMessageBox*>(&modal);
    ASSERT_NE(box, nullptr) << "the modal window is not a message box";
    EXPECT_EQ(box->windowTitle(), title);
    box->button(which)->click();
  };
}

}  // namespace zorvanel::qt::testing
