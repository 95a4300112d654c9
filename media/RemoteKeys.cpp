#include "media/RemoteKeys.h"

#include <string>

#include "base/Text.h"
#include "media/MediaSessionState.h"
#include "media/MediaTracks.h"
#include "media/PlayModes.h"
#include "media/Transport.h"
#include "render/OverlayState.h"
#include "render/Screen.h"
#include "skin/SkinModel.h"
#include "store/Settings.h"

namespace {

// The panel stays this long while the medium scrolls or is paused.
constexpr int32_t kRemoteLongStay = 60000;

// A name that matches no element: nothing is highlighted and nothing runs.
constexpr const char* kNoButton = "*";

}  // namespace

RemoteKeys::RemoteKeys(SkinModel& skin, OverlayState& overlay, const Settings& settings,
                       const MediaSessionState& state, Screen& screen, Transport& transport,
                       PlayModes& playModes, MediaTracks& tracks)
    : mSkin(skin),
      mOverlay(overlay),
      mSettings(settings),
      mState(state),
      mScreen(screen),
      mTransport(transport),
      mPlayModes(playModes),
      mTracks(tracks) {}

void RemoteKeys::SetElementState(const std::string& fullName, int32_t state) {
  const int32_t number = mSkin.FindElement(fullName);
  if (number != 0) mSkin.Element(number).State = state;
}

void RemoteKeys::HandleRemoteKey(int32_t key) {
  const SkinElement& focused = mSkin.Element(mSkin.FindElement(mOverlay.mRemoteFocus));
  std::string target;
  switch (key) {
    case kRemoteKeyUp:
      target = focused.Moves[kMoveNorth];
      break;
    case kRemoteKeyRight:
      target = focused.Moves[kMoveEast];
      break;
    case kRemoteKeyDown:
      target = focused.Moves[kMoveSouth];
      break;
    case kRemoteKeyLeft:
      target = focused.Moves[kMoveWest];
      break;
    case kRemoteNoKey:
      target = kNoButton;
      break;
    default:
      return;
  }
  if (target.empty()) return;

  mOverlay.mRemotePrevFocus = mOverlay.mRemoteFocus;
  mOverlay.mRemoteFocus = target;
  SetElementState(mOverlay.mRemoteFocus, Selected);
  if (!EqualsIgnoreCase(mOverlay.mRemotePrevFocus, mOverlay.mRemoteFocus)) {
    SetElementState(mOverlay.mRemotePrevFocus, Idle);
    mScreen.RedrawRemotePanel();
  }
  PressFocusedButton();
  if (EqualsIgnoreCase(mOverlay.mRemoteFocus, "wndRemote.cmdPlay")) mScreen.RedrawRemotePanel();
}

void RemoteKeys::PressFocusedButton() {
  const std::string& focus = mOverlay.mRemoteFocus;
  if (EqualsIgnoreCase(focus, "wndRemote.cmdNext")) {
    mPlayModes.cmdNext(true);
    mScreen.HideRemotePanel();
    mOverlay.mRemoteRemaining = mSettings.gOSDTime;
  } else if (EqualsIgnoreCase(focus, "wndRemote.cmdPrevious")) {
    mPlayModes.cmdPrevious(true);
    mScreen.HideRemotePanel();
    mOverlay.mRemoteRemaining = mSettings.gOSDTime;
  } else if (EqualsIgnoreCase(focus, "wndRemote.cmdForward")) {
    mTransport.cmdForward();
    mOverlay.mRemoteRemaining = kRemoteLongStay;
  } else if (EqualsIgnoreCase(focus, "wndRemote.cmdRewind")) {
    mTransport.cmdRewind();
    mOverlay.mRemoteRemaining = kRemoteLongStay;
  } else if (EqualsIgnoreCase(focus, "wndRemote.cmdPlay")) {
    mTransport.cmdPlay();
    mOverlay.mRemoteRemaining = mState.mIsRunning ? mSettings.gOSDTime : kRemoteLongStay;
  } else if (EqualsIgnoreCase(focus, "wndRemote.cmdStop")) {
    mTransport.cmdStop();
    mOverlay.mRemoteRemaining = mSettings.gOSDTime;
  } else if (EqualsIgnoreCase(focus, "wndRemote.cmdSubtitle")) {
    mTracks.cmdSubtitle();
    mOverlay.mRemoteRemaining = mSettings.gOSDTime;
  } else if (EqualsIgnoreCase(focus, "wndRemote.cmdAudioTrack")) {
    mTracks.cmdAudioTrack();
    mOverlay.mRemoteRemaining = mSettings.gOSDTime;
  } else if (EqualsIgnoreCase(focus, "wndRemote.cmdEmpty")) {
    mScreen.HideRemotePanel();
    mOverlay.mRemoteRemaining = 0;
  }
}
