// Tavizo: a media-centre front end. It reads no command-line arguments; its
// settings, key bindings and skins live beside the executable.

#include "app/Clock.h"
#include "app/TimerTable.h"
#include "app/frmMain.h"
#include "platform/GlPresenter.h"
#include "platform/ProgramFolder.h"
#include "platform/SdlMainWindow.h"
#include "platform/SdlMessageBox.h"
#include "platform/SdlUiLoop.h"

int main() {
  SteadyClock clock;
  std::unique_ptr<SdlMainWindow> window = SdlMainWindow::Create(frmMain::kProgramName, 800, 600);
  if (!window) return 1;
  std::unique_ptr<GlPresenter> presenter = GlPresenter::Create(*window);
  if (!presenter) return 1;

  TimerTable timers(clock);
  SdlUiLoop loop(*window, timers);
  loop.SetPresenter(presenter.get());
  SdlMessageBox messageBox;

  frmMain form(FrmMainServices{*window, loop, messageBox, clock, timers, ProgramFolder()});
  loop.SetHandler(&form);
  timers.SetTickHandler([&form](TimerId id) { form.OnTimer(id); });
  if (form.Load()) loop.Run();
  form.Unload();
  return 0;
}
