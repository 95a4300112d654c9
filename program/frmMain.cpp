#include "program/frmMain.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <exception>

#include "base/Clock.h"
#include "base/ErrorMessageBox.h"
#include "base/EventPump.h"
#include "base/Log.h"
#include "base/LoginManager.h"
#include "base/MainWindow.h"
#include "base/ScreenSaverHold.h"
#include "base/Text.h"
#include "media/MediaEngine.h"
#include "navigation/CheckDefaultKeys.h"
#include "program/ShutdownMachine.h"
#include "render/Presenter.h"
#include "skin/SkinLoader.h"

frmMain::frmMain(const FrmMainServices& services)
    : mServices(services),
      mText(services.fonts),
      mScreen(&mComposer),
      mStatus(mTexts, mFocus, mScreen),
      mFocusOwner(mFocus, mSkin, mScreen, mStatus),
      mPointer(services.cursor, [this] { return mMedia.mState.mIsRunning; }),
      mDesktop(services.window, mSettings, [this] { mScreen.RepaintWindow(); }),
      mMedia(MediaServices{services.media, mScreen, mPointer, services.pump, services.timers,
                           services.window, mSkin, mSettings, mTexts, mStatus, mOverlay, mBrowse,
                           mFocus, [this](int32_t row) { mBrowser.ActivateEntry(row); },
                           [this](bool onTop) { mDesktop.SetAlwaysOnTop(onTop); }, RandomSource{}}),
      mBrowser(BrowserServices{
          mSettings, mBrowse, mStatus, mFocus, mScreen, mMedia.mInfo, services.pump,
          [this](const std::string& path) { return mMedia.mSession.OpenMedium(path); },
          [this](bool needsReopen) { mMedia.mState.mNeedsReopen = needsReopen; }}),
      mRenderContext{mSkin,
                     mSettings,
                     mFocus,
                     mBrowse,
                     mOverlay,
                     mMedia.mDisplay,
                     mText,
                     mListGeometry,
                     [this](const std::string& caption) { mServices.window.SetTitle(caption); }},
      mComposer(
          mRenderContext, services.presenter,
          [this] {
            return PictureAreaSize{mServices.window.ClientWidth(), mServices.window.ClientHeight()};
          },
          services.timers[TimerId::ShowRemote],
          [this](int32_t key) { mMedia.mRemoteKeys.HandleRemoteKey(key); }),
      mDispatcher(mSkin, mFocus, mFocusOwner, mSettings,
                  [this](const std::string& source, const std::string& name) {
                    return mNavigator.NavigationStep(source, name);
                  }),
      mNavigator(mSkin, mFocus, mOverlay, mFocusOwner, mSettings, mScreen, mDispatcher,
                 MakeNavigationHooks()),
      mBindings(mSkin, mKeyMap, mMedia.mInfo),
      mKeyInput(mKeyMap, mFocus, mBindings, mDispatcher),
      mPointerInput(PointerServices{mSkin, mFocus, mFocusOwner, mOverlay, mBrowse, mSettings,
                                    mStatus, mListGeometry, services.window, services.cursor,
                                    mPointer, services.timers, mScreen},
                    MakePointerHooks()),
      mJoysticks(services.clock, mSettings, mKeyMap, mFocus, MakeJoystickActions()),
      mMediaControls(MakePlayerHooks()),
      mStartup(services.splash, mText, services.logo) {
  RegisterCommands();
}

frmMain::~frmMain() = default;

std::string frmMain::SkinFile() const {
  return FindSkinFile(mServices.paths, mSettings.gSkinFilename);
}

NavigationHooks frmMain::MakeNavigationHooks() {
  NavigationHooks hooks;
  hooks.MoveCursor = [this](double delta) { mBrowser.MoveCursor(delta); };
  hooks.cmdFullsize = [this] { mMedia.mPlacement.cmdFullsize(); };
  hooks.FindWindowMonitor = [this] {
    mDesktop.FindWindowMonitor();
    return mDesktop.gMonitorRect();
  };
  hooks.WindowGeometry = [this] { return mServices.window.Geometry(); };
  hooks.PlaceWindow = [this](int32_t left, int32_t top) {
    mServices.window.SetPosition(left, top);
  };
  return hooks;
}

PointerHooks frmMain::MakePointerHooks() {
  PointerHooks hooks;
  hooks.HitMap_Read = [this](int32_t x, int32_t y) { return mComposer.HitMap_Read(x, y); };
  hooks.DoAction = [this](const std::string& source, const std::string& action) {
    mDispatcher.DoAction(source, action);
  };
  hooks.ConfigInput = [this](const std::string& element, const std::string& input) {
    mBindings.ConfigInput(element, input);
  };
  hooks.MoveCursor = [this](double delta) { mBrowser.MoveCursor(delta); };
  hooks.ActivateEntry = [this](int32_t row) { mBrowser.ActivateEntry(row); };
  hooks.PressVolumeControl = [this](const std::string& element, int32_t x, int32_t y) {
    mMedia.mVolume.PressVolumeControl(element, x, y);
  };
  hooks.VolumeRepeatTick = [this] { mMedia.mVolume.RepeatTick(); };
  hooks.EndVolumeRepeat = [this] { return mMedia.mVolume.EndRepeat(); };
  hooks.cmdFullsize = [this] { mMedia.mPlacement.cmdFullsize(); };
  return hooks;
}

JoystickActions frmMain::MakeJoystickActions() {
  JoystickActions actions;
  actions.isConfiguring = [this] { return mBindings.IsConfiguring(); };
  actions.bindInput = [this](const std::string& code) {
    mBindings.ConfigInput(Bindings::kSelf, code);
  };
  actions.configureElement = [this](const std::string& element) {
    mBindings.ConfigInput(element, Bindings::kSelf);
  };
  actions.doAction = [this](const std::string& source, const std::string& action) {
    mDispatcher.DoAction(source, action);
  };
  return actions;
}

PlayerHooks frmMain::MakePlayerHooks() {
  PlayerHooks hooks;
  hooks.snapshot = [this] { return PlayerState(); };
  hooks.doAction = [this](const std::string& action) {
    if (mLoaded) mDispatcher.DoAction(mFocus.mFocusElement, action);
  };
  hooks.seekTo = [this](double seconds) {
    if (mLoaded) mMedia.mTransport.SeekTo(seconds);
  };
  hooks.raise = [this] { mServices.window.Raise(); };
  hooks.nowMs = [this] { return mServices.clock.NowMs(); };
  return hooks;
}

PlayerSnapshot frmMain::PlayerState() const {
  const auto holdsFile = [](const EntryList& list) {
    return list.size() > 1 && std::any_of(list.begin() + 1, list.end(), [](const ListEntry& entry) {
             return entry.kind == kEntryFile;
           });
  };
  const MediaSessionState& media = mMedia.mState;
  PlayerSnapshot state;
  state.isOpen = mServices.media.IsOpen();
  state.isRunning = media.mIsRunning;
  // Stop leaves the medium open with the next Play reopening the list entry.
  state.isStopped = media.mNeedsReopen && !media.mIsRunning;
  state.title = mTexts.mMediaTitle;
  state.path = media.mMediaPath;
  state.position = state.isOpen ? mServices.media.CurrentPosition() : 0;
  state.duration = media.mDuration;
  state.volume = mSettings.gMediaVolume;
  state.isMuted = mSettings.gIsMediaMute == 1;
  state.playMode = mSettings.gPlayMode;
  state.hasFiles = holdsFile(mBrowse.mPlaying.Rows()) || holdsFile(mBrowse.mBrowseList);
  return state;
}

void frmMain::RegisterCommands() {
  struct Entry {
    const char* name;
    Dispatcher::Command command;
  };
  MediaPlayback& media = mMedia;
  const Entry entries[] = {
      {"cmdFormMinMax", [this] { mDesktop.ToggleFullScreen(); }},
      {"cmdFormHide", [this] { mDesktop.MinimizeWindow(); }},
      {"cmdPlaylistBack", [this] { mBrowser.ActivateEntry(1); }},
      {"lstPlaylist", [this] { mBrowser.ActivateEntry(-1); }},
      {"cmdStop", [&media] { media.mTransport.cmdStop(); }},
      {"cmdPause", [&media] { media.mTransport.cmdPause(); }},
      {"cmdPlay", [&media] { media.mTransport.cmdPlay(); }},
      {"cmdForward", [&media] { media.mTransport.cmdForward(); }},
      {"cmdRewind", [&media] { media.mTransport.cmdRewind(); }},
      {"cmdNext", [&media] { media.mPlayModes.cmdNext(true); }},
      {"cmdPrevious", [&media] { media.mPlayModes.cmdPrevious(true); }},
      {"cmdFullsize", [&media] { media.mPlacement.cmdFullsize(); }},
      {"cmdARMode", [&media] { media.mPlacement.cmdARMode(); }},
      {"cmdPlayMode", [&media] { media.mPlayModes.cmdPlayMode(); }},
      {"cmdMute", [&media] { media.mVolume.cmdMute(); }},
      {"cmdVolUp", [&media] { media.mVolume.cmdVolUp(); }},
      {"cmdVolDown", [&media] { media.mVolume.cmdVolDown(); }},
      {"cmdChangeOutputAR", [&media] { media.mPlacement.cmdChangeOutputAR(); }},
      {"cmdChangeAlwaysOnTop", [&media] { media.mPlacement.cmdChangeAlwaysOnTop(); }},
      {"cmdChangeOSDTime", [&media] { media.mPlacement.cmdChangeOSDTime(); }},
      {"cmdForceVideoForeground", [&media] { media.mPlacement.cmdForceVideoForeground(); }},
      {"cmdQuitTavizo", [this] { QuitProgram(); }},
      {"cmdShutdownComputer", [this] { ShutDownComputer(); }},
      {"cmdSetCursorKeys", [this] { mBindings.SetCursorKeysStep(0); }},
      {"cmdSetActionKey", [this] { mBindings.cmdSetActionKey(); }},
      {"cmdSetConfigInputKey", [this] { mBindings.cmdSetConfigInputKey(); }},
      {"cmdForceEnd", [&media] { media.mTransport.cmdForceEnd(); }},
      {"cmdRestart", [&media] { media.mTransport.cmdRestart(); }},
      {"cmdSubtitle", [&media] { media.mTracks.cmdSubtitle(); }},
      {"cmdAudioTrack", [&media] { media.mTracks.cmdAudioTrack(); }},
      {"cmdChapterNext", [&media] { media.mTracks.cmdChapterNext(); }},
      {"cmdChapterPrevious", [&media] { media.mTracks.cmdChapterPrevious(); }},
  };
  for (const Entry& entry : entries) mDispatcher.RegisterCommand(entry.name, entry.command);
}

bool frmMain::Load() {
  // The start-up sequence, in its order. The one fatal failure is an unusable
  // skin: then the message box is shown and Load returns false.
  SetWindowHook();
  mStartup.Show();
  std::srand(static_cast<unsigned>(std::chrono::system_clock::now().time_since_epoch().count() &
                                   0x7fffffff));
  mMedia.mSession.CloseMedia();
  LoadSettingsAndBindings();
  mJoysticks.StartJoysticks(mServices.joysticks, mServices.timers[TimerId::DXJoystickPoll]);
  mBrowse.mBrowseCursor = 1;
  mBrowse.mPlaying.MoveTo(1);
  if (!LoadSkin()) {
    FatalStartupFailure();
    return false;
  }
  ScanPlayList();
  // Configuration-input mode starts off (the bindings begin with no target).
  ShowMainWindow();
  mComposer.HideRemotePanel();
  mStartup.UnloadMe();
  mDesktop.SetAlwaysOnTop(mSettings.gAlwaysOnTop != 0);
  // timInfoUpdate and timMouseOver run from here on whenever they have work
  // to do (OnIdle); with nothing open and nothing playing, that is never.
  mServices.timers[TimerId::MouseOver].SetInterval(100);
  mLoaded = true;
  OnIdle();
  return true;
}

void frmMain::StartWindowShown() {
  mSkin.DecodePicturesLeftForLater();
}

void frmMain::SetWindowHook() {
  mScreenSaverHeld = mServices.screenSaver.Hold();
  WriteLog(mScreenSaverHeld
               ? "screen saver and monitor power saving are held off while Tavizo runs"
               : "the screen saver could not be held off; the display may darken during playback");
}

void frmMain::RemoveWindowHook() {
  if (!mScreenSaverHeld) return;
  mServices.screenSaver.Release();
  mScreenSaverHeld = false;
}

void frmMain::LoadSettingsAndBindings() {
  // Without a settings folder there is nothing to read: every setting and
  // binding takes its default.
  const bool ready = mServices.paths.configFolderReady;
  LoadSettings(mSettings, ready ? SettingsFile() : std::string(), mServices.paths.playlistFolder,
               mServices.window.Geometry());
  if (ready) mKeyMap.LoadHash(KeyBindingFile(), true, DamagedFile::KeepCopy);
  CheckDefaultKeys(mKeyMap);
  if (ready) mMedia.mResume.Load(ResumeFile());
}

void frmMain::SaveSettingsAndBindings() {
  if (!mServices.paths.configFolderReady) {
    WriteLog("the settings and key bindings were not saved: there is no settings folder (" +
             (mServices.paths.configFolder.empty() ? std::string("none could be named")
                                                   : mServices.paths.configFolder) +
             ")");
    return;
  }
  if (SaveSettings(mSettings, SettingsFile()) == 0) {
    WriteLog("the settings could not be saved to " + SettingsFile());
  }
  if (mKeyMap.SaveHash(KeyBindingFile()) == 0) {
    WriteLog("the key bindings could not be saved to " + KeyBindingFile());
  }
}

// After the medium is closed, so that where it was left is among the positions.
void frmMain::SaveResumePositions() {
  if (!mServices.paths.configFolderReady) return;
  if (mMedia.mResume.Save(ResumeFile()) == 0) {
    WriteLog("the resume positions could not be saved to " + ResumeFile());
  }
}

bool frmMain::LoadSkin() {
  const std::string startElement =
      DX_LoadSkin(SkinFile(), mSkin, mServices.pictures, PictureDecoding::StartWindowFirst);
  if (startElement.empty() || startElement == "-1") return false;
  const int32_t start = mSkin.FindElement(startElement);
  if (start == 0) {
    WriteLog("the skin's start element " + startElement + " is no element of " + SkinFile());
    return false;
  }
  FocusStartElement(start);
  return true;
}

void frmMain::FocusStartElement(int32_t startElement) {
  mFocusOwner.Start(startElement);
  mOverlay.mIsVideoFullscreen = false;
  mPointer.mIsMouseHidden = false;
  mPointer.mIsMouseForceHidden = false;
  mTexts.mMediaTitle = "nothing loaded";
}

void frmMain::FatalStartupFailure() {
  mServices.messageBox.ShowError(kProgramName, "Fatal Error\r\nskin data missing");
  mStartup.UnloadMe();
}

void frmMain::ScanPlayList() {
  mBrowser.ScanFolder(mSettings.gPlaylistName, mBrowse.mBrowseList);
  mBrowse.mPlaying.Take(mSettings.gPlaylistName, mBrowse.mBrowseList, mBrowse.mPlaying.Index());
}

void frmMain::ShowMainWindow() {
  // The saved windowed geometry first, so the window lies on the monitor where
  // it was last used, then the mode.
  mServices.window.SetGeometry(PixelRect{mSettings.gFormLastLeft, mSettings.gFormLastTop,
                                         mSettings.gFormLastWidth, mSettings.gFormLastHeight});
  if (mSettings.gIsFormFullScreen != 0) {
    mDesktop.ShowFullScreen();
  } else {
    mDesktop.ShowWindowed();
  }
}

void frmMain::Unload() {
  if (mUnloaded) return;
  mUnloaded = true;
  // A failure inside a step skips the remaining steps; the window closes all the same.
  const std::function<void()> steps[] = {
      [this] { SaveSettingsAndBindings(); },
      [this] { mMedia.mSession.CloseMedia(); },
      [this] { SaveResumePositions(); },
      [this] { RemoveWindowHook(); },
      [this] { mServices.pump.PumpPendingEvents(); },
      [this] { mPointer.ShowMouse(true); },
  };
  for (const std::function<void()>& step : steps) {
    try {
      step();
    } catch (const std::exception& error) {
      WriteLog(std::string("shutdown step failed: ") + error.what());
      return;
    }
  }
}

void frmMain::QuitProgram() {
  mServices.pump.RequestQuit();
}

void frmMain::ShutDownComputer() {
  mShutdownComputerAsked = true;
  QuitProgram();
}

void frmMain::ShutDownComputerIfAsked() {
  if (!mShutdownComputerAsked) return;
  ShutdownRequest request;
  request.machine = mServices.loginManager.ComputerName();
  request.force = true;
  request.reboot = false;
  request.allowLocal = true;
  InitiateShutdownMachine(mServices.loginManager, request);
}

void frmMain::OnTimer(TimerId id) {
  switch (id) {
    case TimerId::InfoUpdate:
      mMedia.mOnScreenInfo.InfoUpdateTick();
      break;
    case TimerId::VideoScroll:
      mMedia.mTransport.ScrollTick();
      break;
    case TimerId::ShowRemote:
      mMedia.mOnScreenInfo.ShowRemoteTick();
      break;
    case TimerId::Element:
      mPointerInput.ElementTick();
      break;
    case TimerId::DXJoystickPoll:
      mJoysticks.Tick();
      break;
    case TimerId::MouseOver:
      mPointerInput.MouseOverTick();
      break;
  }
}

void frmMain::OnKeyDown(int32_t virtualKey, int32_t modifierMask) {
  if (!mLoaded) return;
  mKeyInput.KeyDown(virtualKey, modifierMask);
}

void frmMain::OnKeyUp(int32_t, int32_t) {
  if (!mLoaded) return;
  mKeyInput.KeyUp();
}

void frmMain::OnMouseDown(int32_t button, int32_t modifierMask, double x, double y) {
  if (mLoaded) mPointerInput.MouseDown(button, modifierMask, x, y);
}

void frmMain::OnMouseMove(int32_t button, int32_t modifierMask, double x, double y) {
  if (mLoaded) mPointerInput.MouseMove(button, modifierMask, x, y);
}

void frmMain::OnMouseUp(int32_t button, int32_t modifierMask, double x, double y) {
  if (mLoaded) mPointerInput.MouseUp(button, modifierMask, x, y);
}

void frmMain::OnDoubleClick(int32_t button, int32_t modifierMask, double x, double y) {
  if (mLoaded) mPointerInput.DoubleClick(button, modifierMask, x, y);
}

void frmMain::OnMouseLeave() {
  if (mLoaded) mPointerInput.MouseLeave();
}

void frmMain::OnCloseRequested() {
  QuitProgram();
}

void frmMain::OnExposed() {
  if (mLoaded) mComposer.PaintPictureArea();
}

void frmMain::OnResized() {
  if (mLoaded) mComposer.RepaintWindow();
}

void frmMain::OnIdle() {
  // The joystick poll follows the attached devices by itself.
  if (!mLoaded || mUnloaded) return;
  mMedia.mOnScreenInfo.RunInfoUpdateWhileNeeded();
  mPointerInput.RunMouseOverWhileNeeded();
}
