#pragma once

// The media-playback subsystem: its units, built over the services the main
// window owns and wired to one another. The main window keeps one of these
// and reaches the commands, the timer ticks and the drawing interfaces
// through its members.

#include <cstdint>
#include <functional>

#include "media/InfoOverlay.h"
#include "media/MediaSession.h"
#include "media/MediaSessionDisplay.h"
#include "media/MediaSessionState.h"
#include "media/MediaTexts.h"
#include "media/OnScreenInfo.h"
#include "media/PlayModes.h"
#include "media/RemoteKeys.h"
#include "media/Transport.h"
#include "media/VideoPlacement.h"
#include "media/VolumeControl.h"

class EventPump;
class MainWindow;
class MediaEngine;
class PointerVisibility;
class Screen;
class SkinModel;
class TimerTable;
struct BrowseState;
struct FocusState;
struct OverlayState;
struct Settings;
struct UiTexts;

struct MediaServices {
  MediaEngine& engine;
  Screen& screen;
  PointerVisibility& pointer;
  EventPump& pump;
  TimerTable& timers;  // timInfoUpdate, timVideoScroll, timShowRemote, timElement
  const MainWindow& window;
  SkinModel& skin;
  Settings& settings;
  UiTexts& texts;
  OverlayState& overlay;
  BrowseState& browse;
  const FocusState& focus;
  // ActivateEntry of a row of the browse list (a file row opens its file).
  std::function<void(int32_t row)> activateEntry;
  // Keeps the main window above the other windows, or not.
  std::function<void(bool onTop)> setAlwaysOnTop;
  // Uniform numbers in [0, 1) for the random play modes; empty: std::rand().
  RandomSource random;
};

class MediaPlayback {
 public:
  explicit MediaPlayback(const MediaServices& services);
  MediaPlayback(const MediaPlayback&) = delete;
  MediaPlayback& operator=(const MediaPlayback&) = delete;

  // In the order they are built; each uses only those above it, except that
  // Play reaches the play modes to start from the list.
  MediaSessionState mState;
  InfoOverlay mInfo;
  VolumeControl mVolume;
  VideoPlacement mPlacement;
  MediaTexts mTexts;
  Transport mTransport;
  MediaSession mSession;
  PlayModes mPlayModes;
  OnScreenInfo mOnScreenInfo;
  RemoteKeys mRemoteKeys;
  MediaSessionDisplay mDisplay;
};
