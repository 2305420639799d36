#include "app/ProgramEnd.h"

#include "app/WindowNames.h"

namespace zorvanel::app {

void CloseWindows(ui::Toolkit& toolkit) {
  if (toolkit.IsLoaded(kAboutBox)) toolkit.Close(kAboutBox);
  toolkit.Close(kMainframe);
}

void EndProgram(ui::Toolkit& toolkit) {
  CloseWindows(toolkit);
  toolkit.EndProgram();
}

}  // namespace zorvanel::app
