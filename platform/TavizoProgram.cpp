#include "platform/TavizoProgram.h"

#include <langinfo.h>

#include <clocale>
#include <cstring>

#include "base/Log.h"
#include "media/DeferredMediaEngine.h"
#include "platform/GlVideoTarget.h"
#include "platform/LogindLoginManager.h"
#include "platform/MediaEngineFactories.h"
#include "platform/PangoFontEngine.h"
#include "platform/PictureCache.h"
#include "platform/ProgramFolder.h"
#include "platform/SdBusMpris.h"
#include "platform/SdlCursor.h"
#include "platform/SdlErrorBox.h"
#include "platform/SdlJoystickSource.h"
#include "platform/SdlMainWindow.h"
#include "platform/SdlPadHotplug.h"
#include "platform/SdlPictureLoader.h"
#include "platform/SdlScreenSaverHold.h"
#include "platform/SdlSplashWindow.h"
#include "platform/SdlUiLoop.h"
#include "platform/SplashLogo.h"
#include "platform/WindowPresenter.h"
#include "program/frmMain.h"

namespace {

// The program's text is UTF-8, and Xlib stores the window's caption for
// desktops that read only WM_NAME in the encoding of the character locale: a
// non-ASCII title needs a UTF-8 one. The user's locale when it is UTF-8, else
// C.UTF-8. Only the character category changes: numbers stay in the C locale,
// which libmpv insists on.
void UseUtf8CharacterLocale() {
  const char* users = std::setlocale(LC_CTYPE, "");
  if (users && std::strcmp(nl_langinfo(CODESET), "UTF-8") == 0) return;
  if (!std::setlocale(LC_CTYPE, "C.UTF-8")) {
    WriteLog("no UTF-8 character locale: window captions show only ASCII correctly");
  }
}

}  // namespace

std::unique_ptr<TavizoProgram> TavizoProgram::Create(const std::string& executableFolder,
                                                     ErrorMessageBox* messageBox) {
  const ProgramPaths paths = LocateProgramFiles(executableFolder);
  std::unique_ptr<TavizoProgram> program(new TavizoProgram());
  TavizoProgram& p = *program;
  UseUtf8CharacterLocale();
  p.mWindow = SdlMainWindow::Create(frmMain::kProgramName, 800, 600);
  if (!p.mWindow) return nullptr;
  p.mPresenter = std::make_unique<WindowPresenter>(*p.mWindow);
  // OpenGL is made once the start window is on the screen, and its outcome
  // is logged first all the same: what start-up logs until then waits.
  HoldLog();
  p.mFonts = PangoFontEngine::Create();
  if (!p.mFonts) return nullptr;

  p.mTimers = std::make_unique<TimerTable>(p.mClock);
  p.mLoop = std::make_unique<SdlUiLoop>(*p.mWindow, *p.mTimers);
  p.mLoop->SetPresenter(p.mPresenter.get());
  p.mErrorBox = std::make_unique<SdlErrorBox>(*p.mFonts);
  p.mPictures = std::make_unique<SdlPictureLoader>();
  const std::string cache = CacheFolder();
  p.mPictureCache =
      std::make_unique<PictureCache>(*p.mPictures, cache.empty() ? cache : cache + "/pictures");
  p.mCursor = std::make_unique<SdlCursor>();
  p.mScreenSaver = std::make_unique<SdlScreenSaverHold>();
  p.mLoginManager = std::make_unique<LogindLoginManager>();
  p.mSplash = std::make_unique<SdlSplashWindow>();

  // The media engine starts at the first open, and what it needs is loaded
  // once the first frame is on the screen: the start window waits for none
  // of it. Without a working libmpv the program still runs; every open says
  // why nothing plays.
  p.mVideoTarget = std::make_unique<GlVideoTarget>(*p.mWindow, *p.mPresenter);
  p.mMedia = std::make_unique<DeferredMediaEngine>(MediaEngineFactories(*p.mVideoTarget, *p.mLoop));
  MediaEngine& media = *p.mMedia;
  p.mLoop->AddPresentHandler([&p] { p.AfterFirstFrame(); });

  // Game pads are read also when the window is not in front; without them the
  // program is driven by keys and mouse alone.
  p.mJoysticks = SdlJoystickSource::Create();
  if (p.mJoysticks) {
    SdlJoystickSource* source = p.mJoysticks.get();
    p.mLoop->AddEventWatcher(
        [source](const SDL_Event& event) { return source->HandleEvent(event); });
    p.mPadHotplug = SdlPadHotplug::Create(*p.mLoop, [source] { source->Detect(); });
    source->SetHotplugWatched(p.mPadHotplug != nullptr);
  }

  p.mForm = std::make_unique<frmMain>(
      FrmMainServices{*p.mWindow, *p.mLoop, messageBox ? *messageBox : *p.mErrorBox, p.mClock,
                      *p.mTimers, paths, *p.mPresenter, *p.mFonts, *p.mPictureCache, media,
                      *p.mCursor, *p.mScreenSaver, *p.mLoginManager, *p.mSplash,
                      p.mPictures->LoadFromMemory(SplashLogoPng()), p.mJoysticks.get()});
  p.mLoop->SetHandler(p.mForm.get());
  p.mTimers->SetTickHandler([form = p.mForm.get()](TimerId id) { form->OnTimer(id); });
  return program;
}

TavizoProgram::~TavizoProgram() {
  ReleaseLog();
  // The loop must not reach the main window while it goes.
  if (mLoop) {
    mLoop->SetHandler(nullptr);
    mTimers->SetTickHandler(nullptr);
  }
}

void TavizoProgram::AfterFirstFrame() {
  // Presents during start-up show no start window yet: the main window
  // appears only at its end.
  if (mFirstFrameShown || !mForm->IsLoaded()) return;
  mFirstFrameShown = true;
  // OpenGL draws every later frame; made now, and the frame drawn again with
  // it, the first key press does not wait for the driver and its shaders.
  ReleaseLog([this] {
    if (mPresenter->Gl()) mPresenter->PresentIfChanged();
  });
  mPictureCache->StopStoring();
  mForm->StartWindowShown();
  mEnginePreload = std::make_unique<MediaEnginePreload>();
  // The desktop's media controls reach the program once it is ready for
  // commands, and leave before it shuts down.
  if (mRunning) mMediaControls = SdBusMpris::Create(mForm->MediaControls(), *mLoop);
}

int TavizoProgram::Run() {
  if (mForm->Load()) {
    mRunning = true;
    mLoop->Run();
    mRunning = false;
    mMediaControls.reset();
  }
  ReleaseLog();
  mForm->Unload();
  mForm->ShutDownComputerIfAsked();
  return 0;
}
