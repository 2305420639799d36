// The program's main window on Qt, driven as a user would: the start state,
// the About box, an Apply, the typed codes, the end before the window shows,
// and the window's look against its layout. What the logic does with each
// action is the replay scenarios' part; what the toolkit does, the contract's.

#include <gtest/gtest.h>

#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTabBar>
#include <QTest>

#include "ModalAnswerer.h"
#include "ProgramOnQt.h"
#include "app/MainframeLayout.h"
#include "desktop/DesktopStore.h"
#include "platform/registry/mdlRegistry.h"

namespace zorvanel::qt::testing {
namespace {

class MainWindowTest : public ::testing::Test {
 protected:
  void Start() { ASSERT_TRUE(program.toolkit.Start(app::kMainframe)); }
  bool Visible(std::string_view control) { return program.toolkit.Visible(program.Main(control)); }
  std::string Text(std::string_view control) { return program.toolkit.Text(program.Main(control)); }
  QTabBar* Tabs() { return program.Widget("tbsMain")->findChild<QTabBar*>(); }
  void ClickTab(int index) {
    QTest::mouseClick(Tabs(), Qt::LeftButton, {}, Tabs()->tabRect(index - 1).center());
  }
  // Which of the three pages are shown, as "1 0 0".
  std::string Pages() {
    std::string shown;
    for (const char* page : {"fmeIntro", "fmeSysInfo", "fmeSettings"}) {
      shown += std::string(shown.empty() ? "" : " ") + (Visible(page) ? "1" : "0");
    }
    return shown;
  }

  ProgramOnQt program{store::ParseRegFile(desktop::SampleStore(), "sample-xp.reg")};
};

// The start state itself is the replay scenarios' part; here, its widgets.
TEST_F(MainWindowTest, StartsShownWithItsTitleClientAreaAndTabs) {
  Start();
  EXPECT_EQ(Pages(), "1 0 0");
  FormWindow* window = program.toolkit.Window(app::kMainframe);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->windowTitle(), "Zorvanel v2.21f E");
  EXPECT_EQ(program.Widget("tbsMain")->size(), QSize(393, 449)) << "the client area";
  EXPECT_EQ(Tabs()->count(), 3);
  EXPECT_EQ(Tabs()->tabToolTip(1), "A summary of your system's specifications");
}

// About... opens the About box modally over the main window; a link leaves
// it open; its close box brings the main window back as it was.
TEST_F(MainWindowTest, TheAboutBoxOpensModallyAndClosesWithItsCloseBox) {
  Start();
  ClickTab(2);
  FormWindow* main = program.toolkit.Window(app::kMainframe);
  ModalAnswerer answerer([&](QWidget& modal) {
    FormWindow* about = program.toolkit.Window(app::kAboutBox);
    ASSERT_EQ(&modal, about);
    EXPECT_EQ(about->parentWidget(), main) << "owned by the main window";
    EXPECT_EQ(about->windowModality(), Qt::ApplicationModal);
    EXPECT_EQ(about->windowTitle(), "About...");
    EXPECT_EQ(program.toolkit.ControlWidget({app::kAboutBox, "Label5"})->size(),
              QSize(241, 25));
    QTest::mouseClick(program.toolkit.ControlWidget({app::kAboutBox, "LbLink"}),
                      Qt::LeftButton);
    EXPECT_TRUE(about->isVisible());
    about->close();
  });
  main->Action("mnuAbout")->trigger();
  EXPECT_TRUE(answerer.answered());
  EXPECT_EQ(program.Transcript(), "shell open \"http://www.example.org\" \"\" 1\n");
  EXPECT_FALSE(program.toolkit.IsLoaded(app::kAboutBox));
  EXPECT_FALSE(program.toolkit.Ended());
  EXPECT_TRUE(main->isVisible());
  EXPECT_EQ(Pages(), "0 1 0");
}

// The main job with the mouse and keyboard: rates picked in the grid,
// Apply, Yes to the final confirmation, No to the restart.
TEST_F(MainWindowTest, AnApplyWritesTheModeTableAndNoToCompletionKeepsTheWindow) {
  Start();
  ClickTab(3);
  const std::pair<const char*, const char*> picks[] = {
      {"cmb640x480", "85"}, {"cmb800x600", "85"}, {"cmb1024x768", "75"}, {"cmb1280x1024", "75"}};
  for (const auto& [box, rate] : picks) QTest::keyClicks(program.Widget(box), rate);
  for (const auto& [box, rate] : picks) EXPECT_EQ(Text(box), rate);

  ModalAnswerer answerer({Press(QMessageBox::Yes, "The final frontier"),
                          Press(QMessageBox::No, "Completion")});
  QTest::mouseClick(program.Widget("cmdApply"), Qt::LeftButton);
  EXPECT_TRUE(answerer.answered());

  registry::mdlRegistry registry(program.store, program.toolkit);
  EXPECT_EQ(registry.GetStringValue(registry::HKEY_LOCAL_MACHINE,
                                    "SYSTEM\\CurrentControlSet\\Services\\nv\\Device0",
                                    "NV_Modes"),
            "{*}S 1024x768 1280x1024=1FF8; 640x480 800x600=1FF0;");
  EXPECT_EQ(program.Transcript(), "") << "no restart was asked for";
  EXPECT_FALSE(program.toolkit.Ended());
  EXPECT_EQ(Pages(), "0 0 1");
  for (const auto& [box, rate] : picks) EXPECT_EQ(Text(box), rate) << "the grid is kept";
}

// Keys typed on the tab strip reach the typed codes: unlocking, revealing
// the view switch, and the read-me code, which ends the program from inside
// the key's own handling.
TEST_F(MainWindowTest, CodesTypedOnTheTabStripReachTheTypedCodes) {
  Start();
  {
    ModalAnswerer answerer(Press(QMessageBox::Ok, "Cheats enabled!"));
    QTest::keyClicks(Tabs(), "mortlequintar");
    EXPECT_TRUE(answerer.answered());
  }
  QTest::keyClicks(Tabs(), "plovertusk");
  EXPECT_TRUE(Visible("cmdSwitchInfo"));

  QPointer<FormWindow> window = program.toolkit.Window(app::kMainframe);
  ModalAnswerer answerer(Press(QMessageBox::Ok, "Newbie alert!"));
  QTest::keyClicks(Tabs(), "hazelwick");
  EXPECT_TRUE(answerer.answered());
  EXPECT_TRUE(program.toolkit.Ended());
  EXPECT_EQ(program.quits, 1);
  EXPECT_EQ(program.Transcript(), "shell open \"notepad.exe\" \"readme.txt\" 3\n");
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(window.isNull());
}

TEST(MainWindowStartTest, NoToTheVersionQuestionEndsBeforeTheWindowIsShown) {
  ProgramOnQt program(ReadStoreFile(ZORVANEL_TEST_DATA "/stores/product-other-case.reg"));
  ModalAnswerer answerer(Press(QMessageBox::No, "Version conflict"));
  EXPECT_FALSE(program.toolkit.Start(app::kMainframe));
  EXPECT_TRUE(answerer.answered());
  EXPECT_TRUE(program.toolkit.Ended());
  EXPECT_EQ(program.quits, 1);
  EXPECT_FALSE(program.toolkit.IsLoaded(app::kMainframe));
}

// What a screenshot shows is what the layout says (where the Qt toolkit puts
// each control, its own tests check).
TEST_F(MainWindowTest, TheDrawnWindowMatchesTheLayout) {
  Start();
  ClickTab(3);
  QWidget* client = program.Widget("tbsMain")->parentWidget();
  FormWindow* window = program.toolkit.Window(app::kMainframe);
  const QImage shot = window->grab().toImage();
  EXPECT_EQ(shot.size(), window->size());
  // The dark red caption of 1024x768, right of its text and left of the rule.
  const QWidget* caption = program.Widget("lblRes1024x768");
  EXPECT_EQ(QColor(shot.pixel(caption->mapTo(window, QPoint(60, 22)))), QColor(0xC00000));
  // The menu bar above the client area.
  EXPECT_EQ(client->mapTo(window, QPoint(0, 0)).y(), window->findChild<QMenuBar*>()->height());
}

}  // namespace
}  // namespace zorvanel::qt::testing
