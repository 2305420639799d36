#pragma once
// The widgets a layout needs that Qt has no ready-made one for.

#include <QColor>
#include <QComboBox>
#include <QLine>
#include <QRadioButton>
#include <QTabBar>
#include <QWidget>
#include <functional>

namespace zorvanel::qt {

// A thin rule between two points of its container. It paints over nothing
// but itself and lets clicks through, like a line drawn on the container.
class RuleWidget : public QWidget {
 public:
  RuleWidget(QWidget* container, QLine line, QColor color);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QLine line_;  // in the rule's own coordinates
  QColor color_;
};

// An option button that takes a click anywhere on its area, not only on
// its circle and caption.
class OptionButtonWidget : public QRadioButton {
 public:
  using QRadioButton::QRadioButton;

 protected:
  bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

// A drop-down list. QComboBox builds its pop-up list on a font change, only
// to hand the font on to it: for every list of a window, before the window
// is shown. Until the pop-up exists the change is left to QWidget; the
// pop-up, when it is built, takes the list's font as it is then.
class DropDownListWidget : public QComboBox {
 public:
  using QComboBox::QComboBox;

 protected:
  void changeEvent(QEvent* event) override;
};

// A tab strip: the row of tabs over a raised panel. The pages are separate
// frames laid on top of the panel, as in the layouts.
class TabStripWidget : public QWidget {
 public:
  explicit TabStripWidget(QWidget* container);
  QTabBar* bar() const { return bar_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  QTabBar* bar_;
};

// Hands every typed character to `typed` and lets the watched widget treat
// the key as it would anyway.
class KeyForwarder : public QObject {
 public:
  KeyForwarder(QObject* watched, std::function<void(int key)> typed);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::function<void(int key)> typed_;
};

}  // namespace zorvanel::qt
