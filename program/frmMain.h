#pragma once

// The main window: the composition root of Tavizo. It owns the state the
// subsystems share and one object per subsystem, wires them to one another,
// runs the start-up sequence when the window is loaded and the shutdown
// sequence when it is closed, and routes the window's events and the ticks of
// its six timers to the subsystems. It holds none of their logic.

#include <memory>
#include <string>

#include "base/TimerTable.h"
#include "base/WindowEventHandler.h"
#include "input/Joysticks.h"
#include "input/KeyInput.h"
#include "input/MousePointer.h"
#include "input/PointerInput.h"
#include "library/Browser.h"
#include "media/MediaPlayback.h"
#include "navigation/Bindings.h"
#include "navigation/Dispatcher.h"
#include "navigation/FocusNavigator.h"
#include "program/Desktop.h"
#include "program/ForwardingScreen.h"
#include "program/MprisPlayer.h"
#include "program/ProgramPaths.h"
#include "program/frmStartup.h"
#include "render/BrowseState.h"
#include "render/FocusOwner.h"
#include "render/FocusState.h"
#include "render/ListGeometry.h"
#include "render/OverlayState.h"
#include "render/RenderContext.h"
#include "render/StatusLine.h"
#include "render/TextRenderer.h"
#include "render/UiTexts.h"
#include "render/WindowComposer.h"
#include "skin/SkinModel.h"
#include "store/Settings.h"
#include "store/clsHashFile.h"

class Clock;
class CursorControl;
class ErrorMessageBox;
class EventPump;
class FontEngine;
class JoystickSource;
class LoginManager;
class MainWindow;
class MediaEngine;
class PictureLoader;
class Presenter;
class ScreenSaverHold;
class SplashWindow;
struct SkinPicture;

// The platform services the main window is built on.
struct FrmMainServices {
  MainWindow& window;
  EventPump& pump;
  ErrorMessageBox& messageBox;
  const Clock& clock;
  TimerTable& timers;
  ProgramPaths paths;  // where the settings, key bindings and skins live
  Presenter& presenter;
  FontEngine& fonts;
  PictureLoader& pictures;
  MediaEngine& media;
  CursorControl& cursor;
  ScreenSaverHold& screenSaver;
  LoginManager& loginManager;
  SplashWindow& splash;
  std::shared_ptr<const SkinPicture> logo;
  JoystickSource* joysticks = nullptr;  // nothing: no joystick input
};

class frmMain final : public WindowEventHandler {
 public:
  static constexpr const char* kProgramName = "Tavizo";

  explicit frmMain(const FrmMainServices& services);
  ~frmMain() override;
  frmMain(const frmMain&) = delete;
  frmMain& operator=(const frmMain&) = delete;

  // The start-up sequence. Returns false when it ended on its fatal path (an
  // unusable skin); the shutdown sequence must run all the same.
  bool Load();
  // True once Load has finished without its fatal failure.
  bool IsLoaded() const { return mLoaded; }
  // The start window is on the screen: the skin's pictures that it does not
  // show are decoded now, away from the UI thread where the loader allows.
  void StartWindowShown();

  // The shutdown sequence: settings and key bindings written, media closed,
  // the screen-saver hold given back, pending events run once, pointer shown.
  // Runs once, however the program ends.
  void Unload();

  // "*.cmdQuitTavizo": closes the main window; the shutdown sequence follows.
  void QuitProgram();

  // "*.cmdShutdownComputer": closes the program; once it has closed,
  // ShutDownComputerIfAsked powers the computer off.
  void ShutDownComputer();
  void ShutDownComputerIfAsked();

  // One tick of a timer of the main window.
  void OnTimer(TimerId id);

  std::string SettingsFile() const { return mServices.paths.configFolder + "/Tavizo.ini"; }
  std::string KeyBindingFile() const { return mServices.paths.configFolder + "/Tavizo.keys"; }
  std::string ResumeFile() const { return mServices.paths.configFolder + "/Tavizo.resume"; }
  std::string SkinFile() const;

  Dispatcher& Actions() { return mDispatcher; }
  FocusState& Focus() { return mFocus; }
  // What the desktop's media controls drive; only meaningful once loaded.
  MprisPlayer& MediaControls() { return mMediaControls; }

  // WindowEventHandler
  void OnKeyDown(int32_t virtualKey, int32_t modifierMask) override;
  void OnKeyUp(int32_t virtualKey, int32_t modifierMask) override;
  void OnMouseDown(int32_t button, int32_t modifierMask, double x, double y) override;
  void OnMouseMove(int32_t button, int32_t modifierMask, double x, double y) override;
  void OnMouseUp(int32_t button, int32_t modifierMask, double x, double y) override;
  void OnDoubleClick(int32_t button, int32_t modifierMask, double x, double y) override;
  void OnMouseLeave() override;
  void OnCloseRequested() override;
  void OnExposed() override;
  void OnResized() override;
  void OnIdle() override;

 private:
  void SetWindowHook();
  void RemoveWindowHook();
  void LoadSettingsAndBindings();
  void SaveSettingsAndBindings();
  void SaveResumePositions();
  bool LoadSkin();
  void FatalStartupFailure();
  void FocusStartElement(int32_t startElement);
  void ScanPlayList();
  void ShowMainWindow();
  void RegisterCommands();
  NavigationHooks MakeNavigationHooks();
  JoystickActions MakeJoystickActions();
  PointerHooks MakePointerHooks();
  PlayerHooks MakePlayerHooks();
  PlayerSnapshot PlayerState() const;

  FrmMainServices mServices;

  // State the subsystems share.
  Settings mSettings;
  clsHashFile mKeyMap;
  SkinModel mSkin;
  FocusState mFocus;
  BrowseState mBrowse;
  OverlayState mOverlay;
  UiTexts mTexts;
  ListGeometry mListGeometry;

  // Subsystems, in the order they are built; each uses only those above it.
  // Two links run downward, as callbacks that are only called once the whole
  // window stands: the screen forwards to the renderer (which draws the media
  // session's state), and the media's play modes activate rows of the browser
  // (which opens files through the media session).
  TextRenderer mText;
  ForwardingScreen mScreen;
  StatusLine mStatus;
  FocusOwner mFocusOwner;
  MousePointer mPointer;
  Desktop mDesktop;
  MediaPlayback mMedia;
  Browser mBrowser;
  RenderContext mRenderContext;
  WindowComposer mComposer;
  Dispatcher mDispatcher;
  FocusNavigator mNavigator;
  Bindings mBindings;
  KeyInput mKeyInput;
  PointerInput mPointerInput;
  Joysticks mJoysticks;
  MprisPlayer mMediaControls;
  frmStartup mStartup;

  bool mScreenSaverHeld = false;
  bool mShutdownComputerAsked = false;
  bool mLoaded = false;
  bool mUnloaded = false;
};
