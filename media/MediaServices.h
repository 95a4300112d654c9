#pragma once

// What the media-playback units work with: the services and the shared state
// the main window owns, and the operations of other subsystems they call.
// Every reference outlives the units.

#include <cstdint>
#include <functional>

class EventPump;
class MainWindow;
class MediaEngine;
class PointerVisibility;
class Screen;
class SkinModel;
class StatusLine;
class TimerTable;
struct BrowseState;
struct FocusState;
struct OverlayState;
struct Settings;
struct UiTexts;

// A uniform random number in [0, 1).
using RandomSource = std::function<double()>;

struct MediaServices {
  MediaEngine& engine;
  Screen& screen;
  PointerVisibility& pointer;
  EventPump& pump;
  TimerTable& timers;  // timInfoUpdate, timVideoScroll, timShowRemote, timElement
  const MainWindow& window;
  SkinModel& skin;
  Settings& settings;
  UiTexts& texts;  // the media title
  StatusLine& status;
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
