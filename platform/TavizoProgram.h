#pragma once

// The whole program: every platform service built in the order the others
// need them, and the main window over them. main() runs one; display tests
// and benchmarks run one inside their own process.

#include <memory>
#include <string>

#include "base/Clock.h"
#include "base/TimerTable.h"

class DeferredMediaEngine;
class ErrorMessageBox;
class GlVideoTarget;
class LogindLoginManager;
class MediaEnginePreload;
class PictureCache;
class SdBusMpris;
class SdlCursor;
class SdlJoystickSource;
class SdlMainWindow;
class SdlPadHotplug;
class SdlErrorBox;
class SdlPictureLoader;
class SdlScreenSaverHold;
class SdlSplashWindow;
class SdlUiLoop;
class PangoFontEngine;
class WindowPresenter;
class frmMain;

class TavizoProgram {
 public:
  // Sets the program up for the folder of its executable, which decides where
  // the settings, key bindings and skins live (LocateProgramFiles). messageBox
  // replaces the modal error box (tests); nothing (and a log line) when the
  // window or the fonts cannot be set up.
  static std::unique_ptr<TavizoProgram> Create(const std::string& executableFolder,
                                               ErrorMessageBox* messageBox = nullptr);
  ~TavizoProgram();
  TavizoProgram(const TavizoProgram&) = delete;
  TavizoProgram& operator=(const TavizoProgram&) = delete;

  // Start-up, the UI loop until the window closes, shutdown; the exit status.
  int Run();

  frmMain& Form() { return *mForm; }
  SdlUiLoop& Loop() { return *mLoop; }
  SdlMainWindow& Window() { return *mWindow; }
  WindowPresenter& ScreenPresenter() { return *mPresenter; }

 private:
  TavizoProgram() = default;

  // What the start window does not need starts once it is on the screen:
  // OpenGL, the skin's other pictures, the media engine's library and the
  // desktop's media controls.
  void AfterFirstFrame();

  // Members in the order they are built; each is destroyed before those it uses.
  SteadyClock mClock;
  std::unique_ptr<SdlMainWindow> mWindow;
  std::unique_ptr<WindowPresenter> mPresenter;
  std::unique_ptr<PangoFontEngine> mFonts;
  std::unique_ptr<TimerTable> mTimers;
  std::unique_ptr<SdlUiLoop> mLoop;
  std::unique_ptr<SdlErrorBox> mErrorBox;
  std::unique_ptr<SdlPictureLoader> mPictures;
  std::unique_ptr<PictureCache> mPictureCache;
  std::unique_ptr<SdlCursor> mCursor;
  std::unique_ptr<SdlScreenSaverHold> mScreenSaver;
  std::unique_ptr<LogindLoginManager> mLoginManager;
  std::unique_ptr<SdlSplashWindow> mSplash;
  std::unique_ptr<GlVideoTarget> mVideoTarget;
  std::unique_ptr<DeferredMediaEngine> mMedia;
  std::unique_ptr<SdlJoystickSource> mJoysticks;
  std::unique_ptr<SdlPadHotplug> mPadHotplug;
  std::unique_ptr<frmMain> mForm;
  std::unique_ptr<SdBusMpris> mMediaControls;
  std::unique_ptr<MediaEnginePreload> mEnginePreload;
  bool mRunning = false;  // Run drives the loop (not a test running it itself)
  bool mFirstFrameShown = false;
};
