// The confirm window on Qt: its layout rendered, its countdown on a real
// timer, and Keep ending the program with the pending write forgotten.

#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>

#include "ProgramOnQt.h"
#include "app/ProductKey.h"
#include "platform/registry/mdlRegistry.h"

namespace zorvanel::qt::testing {
namespace {

TEST(ConfirmWindowTest, CountsDownOnItsTimerAndKeepForgetsThePendingWrite) {
  ProgramOnQt program{ReadStoreFile(ZORVANEL_TEST_DATA "/stores/confirm-pending-4523.reg")};
  const ui::ControlRef countdown{app::kConfirm, "lblCountdown"};
  ASSERT_TRUE(program.toolkit.Start(app::kConfirm));
  EXPECT_EQ(program.toolkit.Text(countdown), "Undo in 20 s");
  EXPECT_TRUE(QTest::qWaitFor([&] { return program.toolkit.Text(countdown) == "Undo in 19 s"; },
                              3000));

  QWidget* keep = program.toolkit.ControlWidget({app::kConfirm, "cmdKeep"});
  ASSERT_NE(qobject_cast<QPushButton*>(keep), nullptr);
  QTest::mouseClick(keep, Qt::LeftButton);
  EXPECT_TRUE(program.toolkit.Ended());
  registry::mdlRegistry registry(program.store, program.toolkit);
  EXPECT_FALSE(registry.ValueExists(registry::HKEY_LOCAL_MACHINE, app::kProductKey,
                                    app::kPendingConfirmValue));
  EXPECT_EQ(program.Transcript(), "") << "no restart was asked for";
}

}  // namespace
}  // namespace zorvanel::qt::testing
