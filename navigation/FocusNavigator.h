#pragma once

// Focus navigation along the skin's neighbour links. Each element names its
// neighbours north, east, south, west and its pressed action in its move
// entries; an entry is another element's full name, a "*" command (run in
// place of a move, the focus stays) or empty.
//
// The four directions serve three other modes first: on the play list north
// and south move the list cursor (faster while a key is held), in window-move
// mode they move the main window, and in full-screen video mode they go to the
// remote panel.

#include <cstdint>
#include <functional>
#include <string>

#include "base/MainWindow.h"

class Dispatcher;
class FocusOwner;
class Screen;
class SkinModel;
struct FocusState;
struct OverlayState;
struct Settings;

// What navigation needs from other subsystems, wired by the composition root.
// A hook that is not set makes its mode do nothing.
struct NavigationHooks {
  // Moves the play list's cursor by delta rows; it stops at the first and the
  // last row and never wraps.
  std::function<void(double delta)> MoveCursor;
  // Toggles full-screen video mode (navigation uses it only to leave it).
  std::function<void()> cmdFullsize;
  // The rectangle of the monitor that holds the main window: Desktop's
  // FindWindowMonitor, then its gMonitorRect.
  std::function<MonitorRect()> FindWindowMonitor;
  // The main window's position in screen pixels, and placing it there.
  std::function<PixelRect()> WindowGeometry;
  std::function<void(int32_t left, int32_t top)> PlaceWindow;
};

class FocusNavigator {
 public:
  // Every reference must outlive the navigator. Window moves store the new
  // position in settings.gFormLastLeft / gFormLastTop; focus moves go
  // through focusOwner and show the new element's help text.
  FocusNavigator(SkinModel& skin, FocusState& focus, const OverlayState& overlay,
                 FocusOwner& focusOwner, Settings& settings, Screen& screen, Dispatcher& dispatcher,
                 NavigationHooks hooks);

  // The step DoAction runs for "!." + name on behalf of source: "elemMoveN",
  // "elemMoveE", "elemMoveS", "elemMoveW" or "elemMovePressed" in any letter
  // case; other names keep the focus. Returns the full name of the element
  // that has the focus afterwards, or empty text when the step gave the focus
  // to nothing (an empty entry, a command, full-screen video).
  std::string NavigationStep(const std::string& source, const std::string& name);

  // Gives the focus to newName coming from oldName in direction (a
  // kDirection* code). A move straight back (the reverse of the last one)
  // returns to the element focused before, whatever the entry says. A name
  // that is no element leaves the focus where it is. Returns true when the
  // focus was given.
  bool MoveFocus(const std::string& oldName, const std::string& newName, int32_t direction);

 private:
  // The move of one direction; the target and direction of the focus move
  // that follows, if any.
  struct Move {
    std::string target;
    int32_t direction;
  };
  Move StepDirection(const std::string& source, int32_t direction);
  void StepWindow(int32_t direction);

  SkinModel& mSkin;
  FocusState& mFocus;
  const OverlayState& mOverlay;
  FocusOwner& mFocusOwner;
  Settings& mSettings;
  Screen& mScreen;
  Dispatcher& mDispatcher;
  NavigationHooks mHooks;

  // Window-move steps are fractions of a pixel (a fiftieth of the monitor), so
  // the exact position is kept between steps. It is used while the window is
  // still where the last step placed it; a window moved otherwise (a mouse
  // drag) starts again from its whole-pixel position.
  bool mHasExactPosition = false;
  double mExactLeft = 0;
  double mExactTop = 0;
  int32_t mPlacedLeft = 0;
  int32_t mPlacedTop = 0;
};
