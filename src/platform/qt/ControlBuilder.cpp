#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <algorithm>
#include <map>

#include "platform/qt/ControlWidgets.h"
#include "platform/qt/FormControls.h"
#include "platform/qt/Look.h"
#include "platform/qt/ProgramIcon.h"
#include "platform/qt/Twips.h"

namespace zorvanel::qt {

namespace {

using ui::ControlKind;
using ui::ControlSpec;
using ui::EventKind;

Qt::Alignment ToQtAlignment(ui::Align align) {
  switch (align) {
    case ui::Align::Left: return Qt::AlignLeft;
    case ui::Align::Center: return Qt::AlignHCenter;
    case ui::Align::Right: return Qt::AlignRight;
  }
  return Qt::AlignLeft;
}

// Text and background as the layout gives them. Every control sets its own
// text colour, so a frame's coloured caption does not spill onto what it holds.
// System colours come from the application, not from the container, whose
// text may be red.
void SetColors(QWidget* widget, const ControlSpec& spec, bool opaque) {
  const QPalette& system = QApplication::palette();
  QPalette palette = widget->palette();
  palette.setColor(QPalette::WindowText, ToQColor(spec.fore, system));
  palette.setColor(QPalette::Window, ToQColor(spec.back, system));
  widget->setPalette(palette);
  widget->setAutoFillBackground(opaque);
}

// Lets a label or picture be clicked, as the About box's links are.
class ClickForwarder : public QObject {
 public:
  ClickForwarder(QWidget* watched, std::function<void()> clicked)
      : QObject(watched), clicked_(std::move(clicked)) {
    watched->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::MouseButtonRelease) return false;
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() == Qt::LeftButton &&
        static_cast<QWidget*>(watched)->rect().contains(mouse->position().toPoint())) {
      clicked_();
    }
    return false;
  }

 private:
  std::function<void()> clicked_;
};

class Builder {
 public:
  Builder(const ui::WindowLayout& layout, BuildTarget& target)
      : layout_(layout), target_(target) {}

  std::vector<Control> Build() {
    for (const ControlSpec& spec : layout_.controls) {
      Control control{&spec, nullptr, nullptr, nullptr, spec.text};
      Make(control);
      if (control.widget) Place(control);
      controls_.push_back(control);
    }
    Stack();
    return std::move(controls_);
  }

 private:
  void Make(Control& control) {
    const ControlSpec& spec = *control.spec;
    switch (spec.kind) {
      case ControlKind::Label: control.widget = MakeLabel(spec); break;
      case ControlKind::Frame: control.widget = MakeFrame(spec); break;
      case ControlKind::Button: control.widget = MakeButton(spec); break;
      case ControlKind::OptionButton: control.widget = MakeOptionButton(spec); break;
      case ControlKind::DropDownList: control.widget = MakeList(spec); break;
      case ControlKind::TextBox: control.widget = MakeTextBox(spec); break;
      case ControlKind::TabStrip: control.widget = MakeTabStrip(spec); break;
      case ControlKind::Line: control.widget = MakeRule(spec); break;
      case ControlKind::Image: control.widget = MakeImage(spec); break;
      case ControlKind::Timer: control.timer = MakeTimer(spec); break;
      case ControlKind::Menu: control.action = MakeMenu(spec); break;
    }
  }

  void Place(Control& control) {
    const ControlSpec& spec = *control.spec;
    QWidget* widget = control.widget;
    if (spec.kind != ControlKind::Line) {
      widget->setGeometry(TwipsToPixels(spec.twips, target_.dpi));
      // Most controls have their window's font, which they inherit. Setting
      // it again would cost a font change each, and make every drop-down
      // list build its pop-up list there and then.
      const QFont font = ToQFont(spec.font, target_.dpi);
      if (widget->font() != font) widget->setFont(font);
    }
    widget->setEnabled(spec.enabled);
    // Explicitly, so that a control reports its own flag before the window
    // is first shown.
    widget->setVisible(spec.visible);
  }

  QWidget* Container(const ControlSpec& spec) const {
    if (spec.container.empty()) return target_.client;
    for (const Control& control : controls_) {
      if (control.spec->name == spec.container && control.widget) return control.widget;
    }
    return target_.client;
  }

  // The handlers outlive the builder: each keeps its own copy of where
  // events go, and the name from the layout, which outlives the window.
  std::function<void(EventKind, int)> RaiserOf(const ControlSpec& spec) const {
    return [raise = target_.raise, name = std::string_view(spec.name)](EventKind kind, int key) {
      raise(ui::Event{name, kind, key});
    };
  }
  std::function<void()> ClickOf(const ControlSpec& spec) const {
    return [raise = RaiserOf(spec)] { raise(EventKind::Click, 0); };
  }

  QWidget* MakeLabel(const ControlSpec& spec) {
    auto* label = new QLabel(Container(spec));
    label->setTextFormat(Qt::PlainText);  // registry texts are shown, never interpreted
    label->setWordWrap(true);
    label->setAlignment(ToQtAlignment(spec.align) | Qt::AlignTop);
    label->setText(ToDisplayText(spec.text));
    SetColors(label, spec, true);
    new ClickForwarder(label, ClickOf(spec));
    return label;
  }

  QWidget* MakeFrame(const ControlSpec& spec) {
    QWidget* frame = spec.borderless ? static_cast<QWidget*>(new QFrame(Container(spec)))
                                     : new QGroupBox(ToDisplayText(spec.text), Container(spec));
    SetColors(frame, spec, true);
    return frame;
  }

  QWidget* MakeButton(const ControlSpec& spec) {
    auto* button = new QPushButton(ToDisplayText(spec.text), Container(spec));
    button->setAutoDefault(false);  // Enter does not press whichever button is first
    QObject::connect(button, &QPushButton::clicked, button, ClickOf(spec));
    return button;
  }

  QWidget* MakeOptionButton(const ControlSpec& spec) {
    // Radio buttons with one parent exclude each other: one pair per container.
    auto* option = new OptionButtonWidget(ToDisplayText(spec.text), Container(spec));
    SetColors(option, spec, true);
    QObject::connect(option, &QRadioButton::clicked, option, ClickOf(spec));
    return option;
  }

  QWidget* MakeList(const ControlSpec& spec) {
    auto* list = new DropDownListWidget(Container(spec));  // not editable: no typing
    for (const auto& item : spec.items) list->addItem(ToQString(item));
    list->setCurrentIndex(list->findText(ToQString(spec.text), Qt::MatchExactly));
    QObject::connect(list, &QComboBox::activated, list, ClickOf(spec));
    return list;
  }

  QWidget* MakeTextBox(const ControlSpec& spec) {
    return new QLineEdit(ToQString(spec.text), Container(spec));
  }

  QWidget* MakeTabStrip(const ControlSpec& spec) {
    auto* strip = new TabStripWidget(Container(spec));
    QTabBar* bar = strip->bar();
    for (const auto& tab : spec.tabs) {
      const int index = bar->addTab(ToQString(tab.caption));
      bar->setTabToolTip(index, ToQString(tab.tooltip));
    }
    // A tab that becomes selected, by mouse or keyboard, raises the click;
    // so does a click on the tab that is already selected.
    QObject::connect(bar, &QTabBar::currentChanged, bar, ClickOf(spec));
    QObject::connect(bar, &QTabBar::tabBarClicked, bar,
                     [raise = RaiserOf(spec), bar](int index) {
                       if (index >= 0 && index == bar->currentIndex()) raise(EventKind::Click, 0);
                     });
    new KeyForwarder(bar, [raise = RaiserOf(spec)](int key) { raise(EventKind::KeyPress, key); });
    return strip;
  }

  QWidget* MakeRule(const ControlSpec& spec) {
    const double dpi = target_.dpi;
    const ui::Rect& r = spec.twips;
    const QLine line(TwipsToPixels(r.left, dpi), TwipsToPixels(r.top, dpi),
                     TwipsToPixels(r.left + r.width, dpi), TwipsToPixels(r.top + r.height, dpi));
    return new RuleWidget(Container(spec), line, ToQColor(spec.fore, QApplication::palette()));
  }

  QWidget* MakeImage(const ControlSpec& spec) {
    auto* image = new QLabel(Container(spec));
    const QRect area = TwipsToPixels(spec.twips, target_.dpi);
    image->setPixmap(ProgramPixmap(std::min(area.width(), area.height())));
    image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    new ClickForwarder(image, ClickOf(spec));
    return image;
  }

  QTimer* MakeTimer(const ControlSpec& spec) {
    auto* timer = new QTimer(target_.client);
    timer->setInterval(spec.interval);
    QObject::connect(timer, &QTimer::timeout, timer,
                     [raise = RaiserOf(spec)] { raise(EventKind::Timer, 0); });
    return timer;
  }

  // An entry that holds others becomes a menu; any other entry is a command,
  // on the menu bar itself when it has no parent.
  QAction* MakeMenu(const ControlSpec& spec) {
    const bool holdsEntries =
        std::any_of(layout_.controls.begin(), layout_.controls.end(),
                    [&](const ControlSpec& other) { return other.container == spec.name; });
    const QString caption = ToQString(spec.text);
    QMenu* parent = spec.container.empty() ? nullptr : menus_[spec.container];
    QAction* action = nullptr;
    if (holdsEntries) {
      QMenu* menu = parent ? parent->addMenu(caption) : target_.menuBar->addMenu(caption);
      menus_[spec.name] = menu;
      action = menu->menuAction();
    } else {
      action = parent ? parent->addAction(caption) : target_.menuBar->addAction(caption);
      QObject::connect(action, &QAction::triggered, action, ClickOf(spec));
    }
    action->setVisible(spec.visible);
    action->setEnabled(spec.enabled);
    return action;
  }

  // Lines and labels are drawn on their container, beneath every control
  // that has a window of its own; lines over labels, so the grid's rules
  // show across its captions.
  void Stack() {
    auto raiseAll = [&](auto&& wanted) {
      for (const Control& control : controls_) {
        if (control.widget && wanted(control.spec->kind)) control.widget->raise();
      }
    };
    raiseAll([](ControlKind kind) { return kind == ControlKind::Line; });
    raiseAll([](ControlKind kind) {
      return kind != ControlKind::Line && kind != ControlKind::Label && kind != ControlKind::Image;
    });
  }

  const ui::WindowLayout& layout_;
  BuildTarget& target_;
  std::vector<Control> controls_;
  std::map<std::string, QMenu*> menus_;
};

}  // namespace

std::vector<Control> BuildControls(const ui::WindowLayout& layout, BuildTarget& target) {
  return Builder(layout, target).Build();
}

}  // namespace zorvanel::qt
