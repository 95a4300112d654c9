#pragma once

// Places the video over the skin's video element (or over the whole picture
// area in full-screen video mode) and fits the picture into it by the
// aspect-ratio mode and the anamorphic-display setting; and the option
// commands that change those settings.

#include <cstdint>
#include <functional>

#include "base/MainWindow.h"

class MediaEngine;
class Screen;
class SkinModel;
class StatusLine;
struct FocusState;
struct MediaSessionState;
struct OverlayState;
struct Settings;
struct SkinElement;

// Where the video window goes and where the picture lies inside it, before
// rounding. Pure arithmetic, shared by PlaceVideo and the tests.
struct VideoFit {
  double left = 0, top = 0, width = 0, height = 0;  // the destination, relative to the window
};

// The destination rectangle of an aspectX : aspectY picture in a W x H window.
// aspectMode 2 is zoom to fit; anamorphic squeezes a 16:9 picture into 4:3.
// Both aspect numbers must be positive.
VideoFit FitPicture(double windowWidth, double windowHeight, int32_t aspectX, int32_t aspectY,
                    int32_t aspectMode, bool anamorphic);

class VideoPlacement {
 public:
  // setAlwaysOnTop keeps the main window above the others (or not).
  VideoPlacement(MediaEngine& engine, const MediaSessionState& state, Settings& settings,
                 OverlayState& overlay, StatusLine& status, const SkinModel& skin,
                 const MainWindow& window, const FocusState& focus, Screen& screen,
                 std::function<void(bool onTop)> setAlwaysOnTop);

  // Computes the area of the element and, when the medium has video, sends
  // the video window and the picture's destination to the engine. The
  // element's percentages are used as they stand (no centring here).
  void PlaceVideo(const SkinElement& element);

  // The aspect ratio of the picture as the medium gives it; an aspect with a
  // zero or negative side falls back on the picture's pixel size, then on 4:3.
  // False when the medium has no video.
  bool SourceAspectRatio(int32_t& aspectX, int32_t& aspectY);

  void cmdARMode();
  void cmdChangeOutputAR();
  void cmdForceVideoForeground();
  void cmdChangeAlwaysOnTop();
  void cmdChangeOSDTime();
  void cmdFullsize();

  // PlaceVideo over the current window's picVideoWindow element.
  void PlaceOverVideoElement();

 private:
  MediaEngine& mEngine;
  const MediaSessionState& mState;
  Settings& mSettings;
  OverlayState& mOverlay;
  StatusLine& mStatus;
  const SkinModel& mSkin;
  const MainWindow& mWindow;
  const FocusState& mFocus;
  Screen& mScreen;
  std::function<void(bool)> mSetAlwaysOnTop;
};
