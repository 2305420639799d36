// The program's main window on Qt, in what only Qt shows: the drawn window,
// typed keys through the real tab strip to boxes answered from their own
// event loops, and the program ending from inside a key's handling or before
// its window shows. What the logic does with each action is the replay
// scenarios' part; what the toolkit does with each control, its own tests'.

#include <gtest/gtest.h>

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QMenuBar>
#include <QPointer>
#include <QTabBar>
#include <QTest>
#include <fstream>
#include <iterator>
#include <sstream>

#include "ModalAnswerer.h"
#include "app/ProgramWindows.h"
#include "app/WindowNames.h"
#include "desktop/DesktopStore.h"
#include "platform/headless/FakeServices.h"
#include "platform/qt/QtToolkit.h"
#include "platform/store/RegFile.h"
#include "platform/store/SubstituteStore.h"

namespace zorvanel::qt::testing {
namespace {

// The program's real windows on the Qt toolkit, over a store in memory, with
// the recording fakes of the platform services. The windows refer to the
// services and the toolkit to the windows; each only keeps the reference
// until the program runs.
struct ProgramOnQt {
  explicit ProgramOnQt(const std::string& regText)
      : store(store::ParseRegFile(regText, "store")),
        windows(services),
        toolkit(windows, {96, folder, [this] { ++quits; }}),
        services{toolkit, store, system, restart, shell, music} {}

  QWidget* Widget(std::string_view control) {
    return toolkit.ControlWidget({app::kMainframe, control});
  }

  std::ostringstream out;
  headless::Transcript transcript{out};
  std::string folder = QDir::currentPath().toStdString();
  store::SubstituteStore store;
  headless::FakeSystemInfo system{2};
  headless::FakeRestart restart{transcript, true};
  headless::RecordingShell shell{transcript};
  headless::FakeMusic music{transcript, true, folder};
  int quits = 0;
  app::ProgramWindows windows;
  QtToolkit toolkit;
  app::Services services;
};

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(program.toolkit.Start(app::kMainframe)); }
  FormWindow* Window() { return program.toolkit.Window(app::kMainframe); }
  QTabBar* Tabs() { return program.Widget("tbsMain")->findChild<QTabBar*>(); }

  ProgramOnQt program{desktop::SampleStore()};
};

// What a screenshot shows is what the layout says.
TEST_F(MainWindowTest, TheDrawnWindowMatchesTheLayout) {
  EXPECT_TRUE(Window()->isVisible());
  EXPECT_EQ(Window()->windowTitle(), "Zorvanel v2.21f E");
  EXPECT_EQ(Tabs()->tabToolTip(1), "A summary of your system's specifications");
  QWidget* client = program.Widget("tbsMain")->parentWidget();
  EXPECT_EQ(client->size(), QSize(393, 449));
  EXPECT_EQ(client->mapTo(Window(), QPoint(0, 0)).y(), Window()->findChild<QMenuBar*>()->height())
      << "the menu bar above the client area";
  QTest::mouseClick(Tabs(), Qt::LeftButton, {}, Tabs()->tabRect(2).center());
  const QImage shot = Window()->grab().toImage();
  // The dark red caption of 1024x768, right of its text and left of the rule.
  const QWidget* caption = program.Widget("lblRes1024x768");
  EXPECT_EQ(QColor(shot.pixel(caption->mapTo(Window(), QPoint(60, 22)))), QColor(0xC00000));
}

// The read-me code ends the program from inside the key's own handling,
// after two boxes; the keys typed after it are never read.
TEST_F(MainWindowTest, CodesTypedOnTheTabStripCanEndTheProgram) {
  QPointer<FormWindow> window = Window();
  ModalAnswerer answerer({Press(QMessageBox::Ok, "Cheats enabled!"),
                          Press(QMessageBox::Ok, "Newbie alert!")});
  QTest::keyClicks(Tabs(), "mortlequintarhazelwickombra7kel");
  EXPECT_TRUE(answerer.answered());
  EXPECT_TRUE(program.toolkit.Ended());
  EXPECT_EQ(program.quits, 1);
  EXPECT_EQ(program.out.str(), "shell open \"notepad.exe\" \"readme.txt\" 3\n");
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(window.isNull());
}

// The limits window is a modal dialog: what the user types in its fields
// reaches its logic, and its OK has the main window's label changed before
// the click that opened it returns.
TEST_F(MainWindowTest, TypedLimitsReachTheLabelThroughTheModalWindow) {
  QTest::mouseClick(Tabs(), Qt::LeftButton, {}, Tabs()->tabRect(1).center());
  ModalAnswerer answerer({[](QWidget& modal) {
    auto* limits = dynamic_cast<FormWindow*>(&modal);
    ASSERT_NE(limits, nullptr) << "the modal window is not the limits window";
    EXPECT_EQ(limits->windowTitle(), "Monitor limits");
    QTest::keyClicks(limits->Widget("txtHorizontal"), "30-70");
    QTest::keyClicks(limits->Widget("txtVertical"), "50-85");
    QTest::mouseClick(limits->Widget("cmdOK"), Qt::LeftButton);
  }});
  QTest::mouseClick(program.Widget("cmdMonitorLimits"), Qt::LeftButton);
  EXPECT_TRUE(answerer.answered());
  EXPECT_FALSE(program.toolkit.IsLoaded(app::kMonitorLimits));
  EXPECT_EQ(static_cast<QLabel*>(program.Widget("lblMonitor"))->text(),
            "Entered: 30-70 kHz, 50-85 Hz");
}

TEST(ProgramStartTest, NoToTheVersionQuestionEndsBeforeTheWindowIsShown) {
  std::ifstream file(ZORVANEL_TEST_DATA "/stores/product-other-case.reg", std::ios::binary);
  ProgramOnQt program({std::istreambuf_iterator<char>(file), {}});
  ModalAnswerer answerer({Press(QMessageBox::No, "Version conflict")});
  EXPECT_FALSE(program.toolkit.Start(app::kMainframe));
  EXPECT_TRUE(answerer.answered());
  EXPECT_TRUE(program.toolkit.Ended());
  EXPECT_EQ(program.quits, 1);
  EXPECT_FALSE(program.toolkit.IsLoaded(app::kMainframe));
}

}  // namespace
}  // namespace zorvanel::qt::testing
