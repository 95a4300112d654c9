// Tavizo: a media-centre front end. It reads no command-line arguments; its
// settings, key bindings and skins live beside the executable.

#include <memory>

#include "app/Clock.h"
#include "app/Log.h"
#include "app/TimerTable.h"
#include "app/frmMain.h"
#include "media/NullMediaEngine.h"
#include "platform/GlPresenter.h"
#include "platform/LogindLoginManager.h"
#include "platform/MpvEngine.h"
#include "platform/ProgramFolder.h"
#include "platform/SdlCursor.h"
#include "platform/SdlJoystickSource.h"
#include "platform/SdlMainWindow.h"
#include "platform/SdlMessageBox.h"
#include "platform/SdlPictureLoader.h"
#include "platform/SdlScreenSaverHold.h"
#include "platform/SdlSplashWindow.h"
#include "platform/SdlUiLoop.h"
#include "platform/SplashLogo.h"
#include "platform/TtfFontEngine.h"

int main() {
  SteadyClock clock;
  std::unique_ptr<SdlMainWindow> window = SdlMainWindow::Create(frmMain::kProgramName, 800, 600);
  if (!window) return 1;
  std::unique_ptr<GlPresenter> presenter = GlPresenter::Create(*window);
  if (!presenter) return 1;
  std::unique_ptr<TtfFontEngine> fonts = TtfFontEngine::Create();
  if (!fonts) return 1;

  TimerTable timers(clock);
  SdlUiLoop loop(*window, timers);
  loop.SetPresenter(presenter.get());
  SdlMessageBox messageBox;
  SdlPictureLoader pictures;
  SdlCursor cursor;
  SdlScreenSaverHold screenSaver;
  LogindLoginManager loginManager;
  SdlSplashWindow splash;
  // Without a working libmpv the program still runs; every open says why nothing plays.
  std::unique_ptr<MpvEngine> mpv = MpvEngine::Create(*window, *presenter, loop);
  NullMediaEngine noEngine("the media engine could not be started");
  MediaEngine& media = mpv ? static_cast<MediaEngine&>(*mpv) : noEngine;

  // Game pads are read also when the window is not in front; without them the
  // program is driven by keys and mouse alone.
  std::unique_ptr<SdlJoystickSource> joysticks = SdlJoystickSource::Create();
  if (joysticks) {
    loop.AddEventWatcher(
        [source = joysticks.get()](const SDL_Event& event) { return source->HandleEvent(event); });
  }

  frmMain form(FrmMainServices{*window, loop, messageBox, clock, timers, ProgramFolder(),
                               *presenter, *fonts, pictures, media, cursor, screenSaver,
                               loginManager, splash, pictures.LoadFromMemory(SplashLogoPng()),
                               joysticks.get()});
  loop.SetHandler(&form);
  timers.SetTickHandler([&form](TimerId id) { form.OnTimer(id); });
  if (form.Load()) loop.Run();
  form.Unload();
  form.ShutDownComputerIfAsked();
  return 0;
}
