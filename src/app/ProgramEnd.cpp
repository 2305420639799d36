#include "app/ProgramEnd.h"

#include "app/WindowNames.h"

namespace zorvanel::app {

// The About box goes before the main window it belongs to.
void CloseWindows(ui::Toolkit& toolkit) {
  for (const char* window : {kAboutBox, kMainframe, kConfirm}) {
    if (toolkit.IsLoaded(window)) toolkit.Close(window);
  }
}

void EndProgram(ui::Toolkit& toolkit) {
  CloseWindows(toolkit);
  toolkit.EndProgram();
}

}  // namespace zorvanel::app
