#include "platform/qt/ControlWidgets.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionTabWidgetFrame>

namespace zorvanel::qt {

RuleWidget::RuleWidget(QWidget* container, QLine line, QColor color)
    : QWidget(container), color_(color) {
  // QRect(p1, p2) holds both end points: a rule of length n covers n + 1 pixels.
  const QRect area = QRect(line.p1(), line.p2()).normalized();
  setGeometry(area);
  line_ = line.translated(-area.topLeft());
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void RuleWidget::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.setPen(QPen(color_, 0));
  painter.drawLine(line_);
}

void DropDownListWidget::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange && !findChild<QAbstractItemView*>()) {
    QWidget::changeEvent(event);  // NOLINT(bugprone-parent-virtual-call): no pop-up yet
    return;
  }
  QComboBox::changeEvent(event);
}

TabStripWidget::TabStripWidget(QWidget* container) : QWidget(container), bar_(new QTabBar(this)) {
  bar_->setExpanding(false);
  bar_->setDrawBase(false);
  // A click on a tab gives the strip the keyboard, as typed codes expect.
  bar_->setFocusPolicy(Qt::StrongFocus);
}

void TabStripWidget::resizeEvent(QResizeEvent* /*event*/) {
  bar_->setGeometry(0, 0, width(), bar_->sizeHint().height());
}

void TabStripWidget::paintEvent(QPaintEvent* /*event*/) {
  QStyleOptionTabWidgetFrame pane;
  pane.initFrom(this);
  const int overlap = style()->pixelMetric(QStyle::PM_TabBarBaseOverlap, nullptr, this);
  const int top = bar_->sizeHint().height() - overlap;
  pane.rect = QRect(0, top, width(), height() - top);
  pane.tabBarSize = bar_->sizeHint();
  pane.shape = QTabBar::RoundedNorth;
  pane.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
  QPainter painter(this);
  style()->drawPrimitive(QStyle::PE_FrameTabWidget, &pane, &painter, this);
}

KeyForwarder::KeyForwarder(QObject* watched, std::function<void(int key)> typed)
    : QObject(watched), typed_(std::move(typed)) {
  watched->installEventFilter(this);
}

bool KeyForwarder::eventFilter(QObject* /*watched*/, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const QString text = static_cast<QKeyEvent*>(event)->text();
    if (!text.isEmpty()) typed_(text.at(0).unicode());
  }
  return false;  // never consumed: the strip still sees the key
}

}  // namespace zorvanel::qt
