#include "app/ProgramEnd.h"

#include "app/WindowNames.h"

namespace zorvanel::app {

void EndProgram(ui::Toolkit& toolkit) {
  if (toolkit.IsLoaded(kAboutBox)) toolkit.Close(kAboutBox);
  toolkit.Close(kMainframe);
  toolkit.EndProgram();
}

}  // namespace zorvanel::app
