// The Qt toolkit on two small windows of every control kind: geometry at a
// given DPI, looks, events into the logic, modal windows and boxes, and the
// end of the program.

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

using contract::EventLog;
using contract::kTestDialog;
using contract::kTestWindow;
using contract::TestWindows;

class QtToolkitTest : public ::testing::Test {
 protected:
  void SetUp() override { Make(96); }
  void TearDown() override { toolkit.reset(); }

  void Make(double dpi) {
    toolkit.reset();
    toolkit = std::make_unique<QtToolkit>(
        windows, QtToolkitOptions{dpi, QDir::currentPath().toStdString(), [this] { ++quits; }});
  }
  ui::ControlRef Ref(std::string_view control) { return {kTestWindow, control}; }
  template <typename T = QWidget>
  T* Get(std::string_view control) {
    return qobject_cast<T*>(toolkit->ControlWidget(Ref(control)));
  }
  QTabBar* Bar() { return Get<QWidget>("tbsStrip")->findChild<QTabBar*>(); }
  FormWindow* Main() { return toolkit->Window(kTestWindow); }

  EventLog log;
  TestWindows windows{log};
  int quits = 0;
  std::unique_ptr<QtToolkit> toolkit;
};

// The pixel a twips position lands on, computed here on its own.
int Px(int twips, double dpi) { return static_cast<int>(std::lround(twips * dpi / 1440)); }

TEST_F(QtToolkitTest, PlacesControlsWhereTheirTwipsSayAtTheGivenDpi) {
  for (double dpi : {96.0, 120.0, 144.0}) {
    SCOPED_TRACE(dpi);
    Make(dpi);
    ASSERT_TRUE(toolkit->Start(kTestWindow));
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

TEST_F(QtToolkitTest, RendersTheLookOfTheLayout) {
  ASSERT_TRUE(toolkit->Start(kTestWindow));
  auto* label = Get<QLabel>("lblText");
  EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(0xFF0000));
  EXPECT_TRUE(label->font().bold());
  EXPECT_TRUE(label->font().underline());
  EXPECT_TRUE(label->alignment() & Qt::AlignRight);
  EXPECT_EQ(label->textFormat(), Qt::PlainText) << "registry texts are never read as markup";

  auto* group = Get<QGroupBox>("fmeGroup");
  ASSERT_NE(group, nullptr);
  EXPECT_EQ(group->title(), "Group:");
  EXPECT_EQ(group->palette().color(QPalette::WindowText), QColor(0xFF0000));
  // The red caption stays on the frame.
  EXPECT_EQ(Get("lblInner")->palette().color(QPalette::WindowText),
            QApplication::palette().color(QPalette::WindowText));
  EXPECT_EQ(Get("fmePage")->metaObject()->className(), QStringLiteral("QFrame"));

  auto* list = Get<QComboBox>("cmbList");
  EXPECT_FALSE(list->isEditable());
  EXPECT_EQ(list->currentText(), "b");
  // Fonts are the controls' own, not their frames'; a list's pop-up, built
  // when first needed, has the list's.
  EXPECT_TRUE(group->font().bold());
  EXPECT_FALSE(Get("lblInner")->font().bold());
  EXPECT_EQ(list->font().pixelSize(), 13);
  EXPECT_EQ(list->view()->font(), list->font());

  QMenuBar* bar = Main()->findChild<QMenuBar*>();
  ASSERT_NE(bar, nullptr);
  ASSERT_EQ(bar->actions().size(), 2);
  EXPECT_EQ(bar->actions()[0]->text(), "&File");
  ASSERT_NE(bar->actions()[0]->menu(), nullptr);
  EXPECT_EQ(bar->actions()[0]->menu()->actions()[0]->text(), "&Item");
  EXPECT_EQ(bar->actions()[1]->text(), "&Command");
  EXPECT_EQ(bar->actions()[1]->menu(), nullptr) << "a command directly on the menu bar";

  EXPECT_EQ(Bar()->tabToolTip(1), "Second tip");
  EXPECT_FALSE(Main()->windowIcon().isNull());
  EXPECT_EQ(Main()->minimumSize(), Main()->maximumSize()) << "fixed size";
}

TEST_F(QtToolkitTest, HandsEveryControlEventToTheLogic) {
  ASSERT_TRUE(toolkit->Start(kTestWindow));
  QTest::mouseClick(Get("cmdGo"), Qt::LeftButton);
  QTest::mouseClick(Get("obtA"), Qt::LeftButton);
  QTest::mouseClick(Get("obtB"), Qt::LeftButton);
  EXPECT_FALSE(Get<QRadioButton>("obtA")->isChecked()) << "option buttons exclude each other";
  QTest::keyClick(Get("cmbList"), Qt::Key_Down);
  Main()->Action("mnuItem")->trigger();
  Main()->Action("mnuCommand")->trigger();
  QTest::mouseClick(Get("lblText"), Qt::LeftButton);
  EXPECT_EQ(log.lines, (std::vector<std::string>{"load frmTest", "cmdGo Click", "obtA Click",
                                                 "obtB Click", "cmbList Click", "mnuItem Click",
                                                 "mnuCommand Click", "lblText Click"}));
  EXPECT_EQ(toolkit->Text(Ref("cmbList")), "c");
}

TEST_F(QtToolkitTest, RaisesTheTabClickForANewTabAndForTheSelectedOne) {
  ASSERT_TRUE(toolkit->Start(kTestWindow));
  QTabBar* bar = Bar();
  QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
  EXPECT_EQ(toolkit->SelectedTab(Ref("tbsStrip")), 2);
  EXPECT_EQ(log.Count("tbsStrip Click"), 1);
  QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
  EXPECT_EQ(toolkit->SelectedTab(Ref("tbsStrip")), 2);
  EXPECT_EQ(log.Count("tbsStrip Click"), 2);
  EXPECT_TRUE(bar->hasFocus() || bar->focusPolicy() == Qt::StrongFocus);
}

TEST_F(QtToolkitTest, ForwardsTypedKeysWithoutConsumingThem) {
  ASSERT_TRUE(toolkit->Start(kTestWindow));
  QTest::keyClick(Bar(), 'a');
  EXPECT_EQ(log.Count("tbsStrip KeyPress 97"), 1);
  // An arrow key that also carries a character: the strip still moves.
  QKeyEvent press(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier, QStringLiteral("x"));
  QApplication::sendEvent(Bar(), &press);
  EXPECT_EQ(log.Count("tbsStrip KeyPress 120"), 1);
  EXPECT_EQ(toolkit->SelectedTab(Ref("tbsStrip")), 2);
  EXPECT_EQ(log.lines.back(), "tbsStrip Click");
}

// Texts are shown as plain text, with CR LF as a line break.
TEST_F(QtToolkitTest, ShowsTextsAsTheProgramSetThem) {
  ASSERT_TRUE(toolkit->Start(kTestWindow));
  toolkit->SetText(Ref("lblText"), "one\r\ntwo <b>&");
  EXPECT_EQ(Get<QLabel>("lblText")->text(), "one\ntwo <b>&");
  toolkit->SetText(Ref("fmeGroup"), "Other:");
  EXPECT_EQ(Get<QGroupBox>("fmeGroup")->title(), "Other:");
  toolkit->SetTextColor(Ref("lblInner"), ui::kRed);
  EXPECT_EQ(Get("lblInner")->palette().color(QPalette::WindowText), QColor(0xFF0000));
}

struct BoxCase {
  ui::Buttons buttons;
  ui::Icon icon;
  QMessageBox::Icon qtIcon;
  QMessageBox::StandardButton press;
  ui::Answer expected;
};

TEST_F(QtToolkitTest, MessageBoxesAreModalWithTheFirstButtonDefault) {
  const BoxCase cases[] = {
      {ui::Buttons::OK, ui::Icon::Information, QMessageBox::Information, QMessageBox::Ok,
       ui::Answer::OK},
      {ui::Buttons::YesNo, ui::Icon::Question, QMessageBox::Question, QMessageBox::No,
       ui::Answer::No},
      {ui::Buttons::YesNo, ui::Icon::Exclamation, QMessageBox::Warning, QMessageBox::Yes,
       ui::Answer::Yes},
      {ui::Buttons::OK, ui::Icon::Critical, QMessageBox::Critical, QMessageBox::Ok,
       ui::Answer::OK},
  };
  ASSERT_TRUE(toolkit->Start(kTestWindow));
  for (const BoxCase& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.icon));
    ModalAnswerer answerer([&](QWidget& modal) {
      auto* box = qobject_cast<QMessageBox*>(&modal);
      ASSERT_NE(box, nullptr);
      EXPECT_EQ(box->icon(), c.qtIcon);
      EXPECT_EQ(box->windowTitle(), "Title");
      EXPECT_EQ(box->text(), "Line one\nLine <two>");
      EXPECT_EQ(box->textFormat(), Qt::PlainText);
      EXPECT_EQ(box->windowModality(), Qt::ApplicationModal);
      EXPECT_EQ(box->parentWidget(), Main());
      const auto first = c.buttons == ui::Buttons::OK ? QMessageBox::Ok : QMessageBox::Yes;
      EXPECT_EQ(box->defaultButton(), box->button(first));
      EXPECT_EQ(box->buttons().size(), c.buttons == ui::Buttons::OK ? 1 : 2);
      box->button(c.press)->click();
    });
    EXPECT_EQ(toolkit->MessageBox("Line one\r\nLine <two>", c.buttons, c.icon, "Title"),
              c.expected);
    EXPECT_TRUE(answerer.answered());
  }
}

TEST_F(QtToolkitTest, TimersKeepTickingWhileAModalBoxIsOpenUntilDisabled) {
  ASSERT_TRUE(toolkit->Start(kTestWindow));
  int ticksWhileOpen = 0;
  ModalAnswerer answerer([&](QWidget& modal) {
    const int before = log.Count("tmrTick Timer");
    EXPECT_TRUE(QTest::qWaitFor([&] { return log.Count("tmrTick Timer") >= before + 3; }, 2000));
    ticksWhileOpen = log.Count("tmrTick Timer") - before;
    static_cast<QMessageBox&>(modal).button(QMessageBox::Ok)->click();
  });
  toolkit->MessageBox("Wait", ui::Buttons::OK, ui::Icon::Information, "Title");
  EXPECT_GE(ticksWhileOpen, 3);
  toolkit->SetEnabled(Ref("tmrTick"), false);
  const int ticks = log.Count("tmrTick Timer");
  QTest::qWait(80);
  EXPECT_EQ(log.Count("tmrTick Timer"), ticks);
}

// A handler that ends the program, or a fault that escapes one: nothing
// runs after it, and the window is deleted once the handler returned.
TEST_F(QtToolkitTest, EndingFromAHandlerStopsEveryFurtherEvent) {
  for (bool fault : {false, true}) {
    SCOPED_TRACE(fault ? "a fault escapes the handler" : "the handler ends the program");
    Make(96);
    quits = 0;
    log.onEvent = [&](const ui::Event& event) {
      if (event.control != "cmdGo") return;
      if (fault) throw ui::BadRequest("no control frmTest.lblNone");
      toolkit->EndProgram();
    };
    ASSERT_TRUE(toolkit->Start(kTestWindow));
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
}

TEST_F(QtToolkitTest, EndingClosesAnOpenModalWindow) {
  ASSERT_TRUE(toolkit->Start(kTestWindow));
  ModalAnswerer answerer([&](QWidget&) { toolkit->EndProgram(); });
  toolkit->ShowModal(kTestDialog, kTestWindow);
  EXPECT_TRUE(answerer.answered());
  EXPECT_FALSE(toolkit->IsLoaded(kTestDialog));
  EXPECT_FALSE(toolkit->IsLoaded(kTestWindow));
  EXPECT_EQ(quits, 1);
}

}  // namespace
}  // namespace zorvanel::qt::testing
