#pragma once

// The program's own volume and mute settings, passed to the engine whenever
// they change and whenever a medium with sound is opened. The volume is kept
// in hundredths of a decibel of attenuation (0 full, -10000 silence); its step
// grows as the volume falls.

#include <cstdint>
#include <string_view>

class MainWindow;
class MediaEngine;
class Screen;
class SkinModel;
class UiTimer;
struct FocusState;
struct MediaSessionState;
struct Settings;

// The step of one press at volume v: 100 near full volume, up to 500 near silence.
int32_t VolumeStep(int32_t volume);

class VolumeControl {
 public:
  VolumeControl(MediaEngine& engine, const MediaSessionState& state, Settings& settings,
                const SkinModel& skin, const MainWindow& window, const FocusState& focus,
                Screen& screen, UiTimer& elementTimer);

  // Passes the volume (or silence when muted) to the engine; only when the
  // medium has sound.
  void ApplyVolume();

  // One step up or down, clamped to -10000..0; both end muting first.
  void cmdVolUp();
  void cmdVolDown();
  // Toggles muting; the mute button and the volume bar show it.
  void cmdMute();

  // A press on the volume element at (x, y), pixels of the picture area: the
  // upper half raises, the lower half lowers, and timElement repeats that
  // while the button is held. The caller holds the mouse capture.
  void PressVolumeControl(std::string_view elementName, int32_t x, int32_t y);

  // One timElement tick while the volume element is held.
  void RepeatTick();

  // Ends the repeat on the button's release; true when one was running.
  bool EndRepeat();

  int32_t VolumeRepeatDirection() const { return mVolumeRepeatDirection; }

 private:
  void StepBy(int32_t direction);

  MediaEngine& mEngine;
  const MediaSessionState& mState;
  Settings& mSettings;
  const SkinModel& mSkin;
  const MainWindow& mWindow;
  const FocusState& mFocus;
  Screen& mScreen;
  UiTimer& mElementTimer;
  int32_t mVolumeRepeatDirection = 0;  // -1 down, +1 up, 0 none
};
