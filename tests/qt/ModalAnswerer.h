#pragma once
// Answers the next modal boxes or windows, in order, each from inside its
// own event loop: a zero-delay timer looks for
// QApplication::activeModalWidget(), and a later timer fails the test and
// closes whatever is open rather than hang.

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <vector>

namespace zorvanel::qt::testing {

class ModalAnswerer {
 public:
  using Answer = std::function<void(QWidget& modal)>;

  explicit ModalAnswerer(Answer answer, int timeoutMs = 5000)
      : ModalAnswerer(std::vector<Answer>{std::move(answer)}, timeoutMs) {}

  explicit ModalAnswerer(std::vector<Answer> answers, int timeoutMs = 5000)
      : answers_(std::move(answers)) {
    poll_.setInterval(0);
    QObject::connect(&poll_, &QTimer::timeout, [this] { AnswerOpenModal(); });
    poll_.start();
    watchdog_.setSingleShot(true);
    QObject::connect(&watchdog_, &QTimer::timeout, [this] {
      poll_.stop();
      ADD_FAILURE() << "only " << answered_ << " of " << answers_.size()
                    << " modal windows were answered in time";
      while (QWidget* modal = QApplication::activeModalWidget()) modal->close();
    });
    watchdog_.start(timeoutMs);
  }

  bool answered() const { return answered_ == answers_.size(); }

 private:
  void AnswerOpenModal() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal == last_) return;  // the last one may not be gone yet
    last_ = modal;
    if (++answered_ == answers_.size()) poll_.stop();
    answers_[answered_ - 1](*modal);
  }

  std::vector<Answer> answers_;
  std::size_t answered_ = 0;
  QPointer<QWidget> last_;
  QTimer poll_;
  QTimer watchdog_;
};

// Checks a message box's title and presses one of its buttons.
inline ModalAnswerer::Answer Press(QMessageBox::StandardButton which, QString title = {}) {
  return [which, title](QWidget& modal) {
    auto* box = qobject_cast<QMessageBox*>(&modal);
    ASSERT_NE(box, nullptr) << "the modal window is not a message box";
    if (!title.isEmpty()) {
      EXPECT_EQ(box->windowTitle(), title);
    }
    box->button(which)->click();
  };
}

}  // namespace zorvanel::qt::testing
