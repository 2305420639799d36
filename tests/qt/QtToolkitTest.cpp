// The Qt toolkit on two small windows of every control kind, in what only
// Qt shows: geometry at a given DPI, looks, events from real input, modal
// loops and the end of the program. What any toolkit does with the
// program's requests is the toolkit contract's part.

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTest>
#include <cmath>
#include <memory>

#include "ModalAnswerer.h"
#include "platform/qt/QtToolkit.h"
#include "tests/contract/ContractWindows.h"

namespace zorvanel::qt::testing {
namespace {

using contract::kTestDialog;
using contract::kTestWindow;

class QtToolkitTest : public ::testing::Test {
 protected:
  void SetUp() override { Start(96); }

  void Start(double dpi) {
    toolkit.reset();
    toolkit = std::make_unique<QtToolkit>(
        windows, QtToolkitOptions{dpi, QDir::currentPath().toStdString(), [this] { ++quits; }});
    ASSERT_TRUE(toolkit->Start(kTestWindow));
  }
  ui::ControlRef Ref(std::string_view control) { return {kTestWindow, control}; }
  template <typename T = QWidget>
  T* Get(std::string_view control) {
    return qobject_cast<T*>(toolkit->ControlWidget(Ref(control)));
  }
  QTabBar* Bar() { return Get("tbsStrip")->findChild<QTabBar*>(); }
  FormWindow* Main() { return toolkit->Window(kTestWindow); }
  QColor TextColor(std::string_view control) {
    return Get(control)->palette().color(QPalette::WindowText);
  }
  bool TicksGoOn() {
    const int before = log.Count("tmrTick Timer");
    return QTest::qWaitFor([&] { return log.Count("tmrTick Timer") >= before + 3; }, 2000);
  }

  contract::EventLog log;
  contract::TestWindows windows{log};
  int quits = 0;
  std::unique_ptr<QtToolkit> toolkit;
};

// The pixel a twips position lands on, computed here on its own.
int Px(int twips, double dpi) { return static_cast<int>(std::lround(twips * dpi / 1440)); }

TEST_F(QtToolkitTest, PlacesControlsWhereTheirTwipsSayAtTheGivenDpi) {
  for (double dpi : {96.0, 120.0, 144.0}) {
    SCOPED_TRACE(dpi);
    Start(dpi);
    const QWidget* strip = Get("tbsStrip");
    EXPECT_EQ(strip->size(), QSize(Px(4800, dpi), Px(3600, dpi)));
    EXPECT_EQ(strip->parentWidget()->size(), strip->size()) << "the client area";

    // lblText sits at (120, 120) in the page at (120, 360).
    const QWidget* label = Get("lblText");
    const QPoint inClient = label->mapTo(strip->parentWidget(), QPoint(0, 0));
    EXPECT_NEAR(inClient.x(), Px(240, dpi), 1);
    EXPECT_NEAR(inClient.y(), Px(480, dpi), 1);
    EXPECT_NEAR(label->width(), Px(2000, dpi), 1);
    EXPECT_NEAR(label->height(), Px(255, dpi), 1);
    EXPECT_EQ(label->font().pixelSize(), static_cast<int>(std::lround(8.25 * dpi / 72)));

    const QWidget* rule = Get("linRule");
    EXPECT_EQ(rule->y(), Px(2760, dpi));
    EXPECT_EQ(rule->height(), 1);
    EXPECT_NEAR(rule->width(), Px(4500, dpi) + 1, 1);
  }
}

// Texts are plain text, with CR LF as a line break; colours and fonts are
// each control's own, not its frame's.
TEST_F(QtToolkitTest, RendersTheLookOfTheLayoutAndTheTextsSet) {
  auto* label = Get<QLabel>("lblText");
  EXPECT_EQ(TextColor("lblText"), QColor(0xFF0000));
  EXPECT_TRUE(label->font().bold());
  EXPECT_TRUE(label->font().underline());
  EXPECT_TRUE(label->alignment() & Qt::AlignRight);
  EXPECT_EQ(label->textFormat(), Qt::PlainText) << "registry texts are never read as markup";
  toolkit->SetText(Ref("lblText"), "one\r\ntwo <b>&");
  EXPECT_EQ(label->text(), "one\ntwo <b>&");

  auto* group = Get<QGroupBox>("fmeGroup");
  ASSERT_NE(group, nullptr);
  EXPECT_EQ(group->title(), "Group:");
  toolkit->SetText(Ref("fmeGroup"), "Other:");
  EXPECT_EQ(group->title(), "Other:");
  EXPECT_EQ(TextColor("fmeGroup"), QColor(0xFF0000));
  EXPECT_EQ(TextColor("lblInner"), QApplication::palette().color(QPalette::WindowText));
  toolkit->SetTextColor(Ref("lblInner"), ui::kRed);
  EXPECT_EQ(TextColor("lblInner"), QColor(0xFF0000));
  EXPECT_TRUE(group->font().bold());
  EXPECT_FALSE(Get("lblInner")->font().bold());

  // A list's pop-up, built when first needed, has the list's font.
  auto* list = Get<QComboBox>("cmbList");
  EXPECT_FALSE(list->isEditable());
  EXPECT_EQ(list->font().pixelSize(), 13);
  EXPECT_EQ(list->view()->font(), list->font());

  const QList<QAction*> menus = Main()->findChild<QMenuBar*>()->actions();
  ASSERT_EQ(menus.size(), 2);
  ASSERT_NE(menus[0]->menu(), nullptr);
  EXPECT_EQ(menus[0]->menu()->actions()[0]->text(), "&Item");
  EXPECT_EQ(menus[1]->menu(), nullptr) << "a command directly on the menu bar";

  EXPECT_EQ(Bar()->tabToolTip(1), "Second tip");
  EXPECT_FALSE(Main()->windowIcon().isNull());
  EXPECT_EQ(Main()->minimumSize(), Main()->maximumSize()) << "fixed size";
}

// Mouse, keys and menus reach the logic. The tab strip raises its click for
// a new tab and for the selected one, and typed keys go to the logic without
// being consumed: an arrow key that also carries a character still moves it.
TEST_F(QtToolkitTest, HandsEveryControlEventToTheLogic) {
  toolkit->SetEnabled(Ref("tmrTick"), false);
  EXPECT_EQ(Main()->focusWidget(), Bar()) << "typed codes need the strip to have the keyboard";
  QTest::mouseClick(Get("cmdGo"), Qt::LeftButton);
  QTest::mouseClick(Get("obtA"), Qt::LeftButton);
  QTest::mouseClick(Get("obtB"), Qt::LeftButton);
  EXPECT_FALSE(Get<QRadioButton>("obtA")->isChecked()) << "option buttons exclude each other";
  QTest::keyClick(Get("cmbList"), Qt::Key_Down);
  Main()->Action("mnuItem")->trigger();
  Main()->Action("mnuCommand")->trigger();
  QTest::mouseClick(Get("lblText"), Qt::LeftButton);
  const QPoint second = Bar()->tabRect(1).center();
  for (int i = 0; i < 2; ++i) QTest::mouseClick(Bar(), Qt::LeftButton, {}, second);
  EXPECT_EQ(toolkit->SelectedTab(Ref("tbsStrip")), 2);
  QTest::keyClick(Bar(), 'a');
  QKeyEvent press(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier, QStringLiteral("x"));
  QApplication::sendEvent(Bar(), &press);
  EXPECT_EQ(toolkit->SelectedTab(Ref("tbsStrip")), 3);
  EXPECT_EQ(log.lines,
            (std::vector<std::string>{"load frmTest", "cmdGo Click", "obtA Click", "obtB Click",
                                      "cmbList Click", "mnuItem Click", "mnuCommand Click",
                                      "lblText Click", "tbsStrip Click", "tbsStrip Click",
                                      "tbsStrip KeyPress 97", "tbsStrip KeyPress 120",
                                      "tbsStrip Click"}));
  EXPECT_EQ(toolkit->Text(Ref("cmbList")), "c");
}

// Each box runs its own event loop, in which timers keep ticking.
TEST_F(QtToolkitTest, MessageBoxesAreModalWithTheFirstButtonDefault) {
  using Q = QMessageBox;
  const struct {
    ui::Buttons buttons;
    ui::Icon icon;
    Q::Icon qtIcon;
    Q::StandardButton press;
    ui::Answer expected;
  } cases[] = {
      {ui::Buttons::OK, ui::Icon::Information, Q::Information, Q::Ok, ui::Answer::OK},
      {ui::Buttons::YesNo, ui::Icon::Question, Q::Question, Q::No, ui::Answer::No},
      {ui::Buttons::YesNo, ui::Icon::Exclamation, Q::Warning, Q::Yes, ui::Answer::Yes},
      {ui::Buttons::OK, ui::Icon::Critical, Q::Critical, Q::Ok, ui::Answer::OK},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.icon));
    const bool ok = c.buttons == ui::Buttons::OK;
    ModalAnswerer answerer({[&](QWidget& modal) {
      auto* box = qobject_cast<QMessageBox*>(&modal);
      ASSERT_NE(box, nullptr);
      EXPECT_EQ(box->icon(), c.qtIcon);
      EXPECT_EQ(box->windowTitle(), "Title");
      EXPECT_EQ(box->text(), "Line one\nLine <two>");
      EXPECT_EQ(box->textFormat(), Qt::PlainText);
      EXPECT_EQ(box->windowModality(), Qt::ApplicationModal);
      EXPECT_EQ(box->parentWidget(), Main());
      EXPECT_EQ(box->defaultButton(), box->button(ok ? Q::Ok : Q::Yes));
      EXPECT_EQ(box->buttons().size(), ok ? 1 : 2);
      EXPECT_TRUE(TicksGoOn()) << "no timer ticks while the box is open";
      box->button(c.press)->click();
    }});
    EXPECT_EQ(toolkit->MessageBox("Line one\r\nLine <two>", c.buttons, c.icon, "Title"),
              c.expected);
    EXPECT_TRUE(answerer.answered());
  }
}

TEST_F(QtToolkitTest, ATimerStopsWhenDisabledAndGoesOnWhenEnabled) {
  toolkit->SetEnabled(Ref("tmrTick"), false);
  const int stopped = log.Count("tmrTick Timer");
  QTest::qWait(80);
  EXPECT_EQ(log.Count("tmrTick Timer"), stopped);
  toolkit->SetEnabled(Ref("tmrTick"), true);
  EXPECT_TRUE(TicksGoOn());
}

// A fault that escapes a handler ends the program: nothing runs after it,
// and the window is deleted once the handler returned. (A handler that ends
// the program itself: the main window's typed codes.)
TEST_F(QtToolkitTest, AFaultEscapingAHandlerEndsTheProgram) {
  log.onEvent = [](const ui::Event& event) {
    if (event.control == "cmdGo") throw ui::BadRequest("no control frmTest.lblNone");
  };
  QPointer<FormWindow> window = Main();
  QTest::mouseClick(Get("cmdGo"), Qt::LeftButton);
  EXPECT_TRUE(toolkit->Ended());
  EXPECT_EQ(quits, 1);
  EXPECT_FALSE(window->isVisible());
  const auto lines = log.lines;
  QTest::qWait(60);  // the timer would have ticked
  EXPECT_EQ(log.lines, lines);
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(window.isNull());
}

// A modal window owned by the main one: its close box closes it alone; the
// end of the program closes it with its owner.
TEST_F(QtToolkitTest, AModalWindowClosesAloneOrWithTheProgram) {
  for (bool end : {false, true}) {
    SCOPED_TRACE(end ? "the program ends" : "its close box");
    ModalAnswerer answerer({[&](QWidget& modal) {
      EXPECT_EQ(modal.parentWidget(), Main());
      EXPECT_EQ(modal.windowModality(), Qt::ApplicationModal);
      end ? toolkit->EndProgram() : static_cast<void>(modal.close());
    }});
    toolkit->ShowModal(kTestDialog, kTestWindow);
    EXPECT_TRUE(answerer.answered());
    EXPECT_FALSE(toolkit->IsLoaded(kTestDialog));
    EXPECT_EQ(toolkit->IsLoaded(kTestWindow), !end);
    EXPECT_EQ(quits, end ? 1 : 0);
  }
}

}  // namespace
}  // namespace zorvanel::qt::testing
