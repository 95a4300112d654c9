#pragma once

// What is shown over the interface: full-screen video mode, the remote panel
// with its focus and countdown, and the on-screen information countdown with
// the note it shows ("subtitles: off", "resumed at 00:02:00").

#include <cstdint>
#include <string>

struct OverlayState {
  bool mIsVideoFullscreen = false;  // the video element covers the whole picture area
  std::string mRemoteFocus;         // focused button of the remote panel (window wndRemote)
  std::string mRemotePrevFocus;
  int32_t mRemoteRemaining = 0;  // ms before the remote panel hides itself
  bool mOSDActive = false;       // the full-screen information countdown runs
  int32_t mOSDRemaining = 0;     // ms left of it
  std::string mOSDNote;          // a choice just made, shown in place of the title meanwhile
};
