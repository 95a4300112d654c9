#pragma once

// The user's settings: seventeen values read once at start-up and written
// once at shutdown. The four geometry values always describe the windowed
// window, even while it is full screen.

#include <cstdint>
#include <string>

#include "base/MainWindow.h"

struct Settings {
  std::string gPlaylistName;       // folder shown in the play list; empty: the volume list
  int32_t gIsFormFullScreen = 0;   // non-zero: the main window fills its monitor
  int32_t gIsMonitorAnamorph = 0;  // the display is anamorphic
  int32_t gAspectRatioMode = 0;    // 0 source, 1 force, 2 zoom to fit
  int32_t gPlayMode = 0;           // 0..5
  int32_t gAlwaysOnTop = 0;        // the main window stays above other windows
  int32_t gOSDTime = 3000;         // ms that on-screen information stays (0..5000)
  int32_t gIsMediaMute = 0;        // sound muted
  int32_t gMediaVolume = -2500;    // hundredths of a decibel, -10000..0
  int32_t gFormLastLeft = 0;       // windowed geometry, screen pixels
  int32_t gFormLastTop = 0;
  int32_t gFormLastWidth = 800;
  int32_t gFormLastHeight = 600;
  int32_t gActionFirstRepeat = 500;   // ms before a held input first repeats
  int32_t gActionNextRepeat = 50;     // ms between further repeats
  int32_t gForceVideoForeground = 0;  // the force-video-foreground option
  std::string gSkinFilename = "default";
};

// Reads the settings file (created empty when missing; an empty file name
// reads nothing). A key that is missing, or whose stored text is not a number
// where a number belongs, takes its default; the play-list folder defaults to
// the given one and the geometry to the window's geometry at this moment.
void LoadSettings(Settings& settings, const std::string& file,
                  const std::string& defaultPlaylistFolder, const PixelRect& windowGeometry);

// Rewrites the settings file with exactly the seventeen keys, in their order,
// numbers bare and texts in double quotes. Returns 1 when written, 0 on failure.
int32_t SaveSettings(const Settings& settings, const std::string& file);
