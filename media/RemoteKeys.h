#pragma once

// The keys of the remote panel (window wndRemote): a direction key moves the
// focus to the focused button's neighbour that way, and moving onto a button
// presses it; pressing the same direction again where the neighbour is the
// button itself presses it again.

#include <cstdint>
#include <string>

class MediaTracks;
class PlayModes;
class Screen;
class SkinModel;
class Transport;
struct MediaSessionState;
struct OverlayState;
struct Settings;

// Key codes the panel understands: the four direction keys, and -1 for the
// panel shown without a key (no button highlighted).
inline constexpr int32_t kRemoteKeyLeft = 37;
inline constexpr int32_t kRemoteKeyUp = 38;
inline constexpr int32_t kRemoteKeyRight = 39;
inline constexpr int32_t kRemoteKeyDown = 40;
inline constexpr int32_t kRemoteNoKey = -1;

class RemoteKeys {
 public:
  RemoteKeys(SkinModel& skin, OverlayState& overlay, const Settings& settings,
             const MediaSessionState& state, Screen& screen, Transport& transport,
             PlayModes& playModes, MediaTracks& tracks);

  // Other keys, and a direction without a neighbour, do nothing.
  void HandleRemoteKey(int32_t key);

 private:
  void SetElementState(const std::string& fullName, int32_t state);
  void PressFocusedButton();

  SkinModel& mSkin;
  OverlayState& mOverlay;
  const Settings& mSettings;
  const MediaSessionState& mState;
  Screen& mScreen;
  Transport& mTransport;
  PlayModes& mPlayModes;
  MediaTracks& mTracks;
};
