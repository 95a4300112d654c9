#pragma once

// The mouse on the skin. A plain left click focuses the element under the
// pointer and runs its pressed action; a few elements have gestures of their
// own: the volume element repeats while it is held, the move and resize
// handles drag the window, and the play list activates the row clicked, pages
// while its scroll-bar track is held and follows its dragged thumb. The right
// button toggles full-screen video, and Alt + left click teaches an input for
// the clicked element. Moving the pointer shows the help text of the element
// under it, or the text of the list row under it, in the status line; the
// pointer hides itself after resting a little over three seconds while a
// medium plays.
//
// Every gesture begins on a left press, holds the mouse capture while it runs
// and ends on the left release, which ends the first running one in the order
// window move, window resize, thumb drag, volume repeat. Paging ends on the
// release of any button.
//
// Positions are window-relative pixels; fractional ones are rounded halves to
// even. Buttons are 1 left and 2 right; the modifier mask is Shift 1, Ctrl 2,
// Alt 4.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "input/WindowGestures.h"

class CursorControl;
class FocusOwner;
class MainWindow;
class PointerVisibility;
class Screen;
class SkinModel;
class StatusLine;
class TimerTable;
struct BrowseState;
struct FocusState;
struct ListGeometry;
struct OverlayState;
struct SkinElement;
struct Settings;

// What pointer input reads and changes; owned by the main window.
struct PointerServices {
  SkinModel& skin;             // element states change with the focus
  FocusState& focus;           // focus, current window, window gestures
  FocusOwner& focusOwner;      // moves the focus to the element clicked
  OverlayState& overlay;       // full-screen video and the remote panel's focus
  const BrowseState& browse;   // list rows and cursor
  Settings& settings;          // repeat delays, full screen, saved geometry
  StatusLine& status;          // shows help texts and rows
  const ListGeometry& list;    // where the list's rows and thumb were drawn
  MainWindow& window;          // position and client size
  CursorControl& cursor;       // pointer position and mouse capture
  PointerVisibility& pointer;  // automatic hiding and showing
  TimerTable& timers;          // timElement, timMouseOver, timShowRemote
  Screen& screen;              // redraws and the remote panel
};

// Operations of other subsystems, wired by the main window. A hook that is not
// set does nothing (HitMap_Read: no element anywhere).
struct PointerHooks {
  // The element number under a pixel of the picture area; 0 for none.
  std::function<int32_t(int32_t x, int32_t y)> HitMap_Read;
  // The dispatcher's DoAction on behalf of source.
  std::function<void(const std::string& source, const std::string& action)> DoAction;
  // Starts configuring an input for element (the bindings' ConfigInput).
  std::function<void(const std::string& element, const std::string& input)> ConfigInput;
  // The browser: moves the list cursor by delta rows (clamped), acts on a row.
  std::function<void(double delta)> MoveCursor;
  std::function<void(int32_t row)> ActivateEntry;
  // The volume element: a press at (x, y) that starts its repeat, one repeat
  // step, and the end of the repeat (true when one was running).
  std::function<void(const std::string& element, int32_t x, int32_t y)> PressVolumeControl;
  std::function<void()> VolumeRepeatTick;
  std::function<bool()> EndVolumeRepeat;
  // Toggles full-screen video mode.
  std::function<void()> cmdFullsize;
};

class PointerInput {
 public:
  // Rows moved by one press of the scroll-bar track above or below the thumb.
  static constexpr int32_t kPageRows = 9;
  // The pointer hides once it has rested longer than this while a medium plays.
  static constexpr int32_t kRestBeforeHidingMs = 3000;

  PointerInput(const PointerServices& services, PointerHooks hooks);
  PointerInput(const PointerInput&) = delete;
  PointerInput& operator=(const PointerInput&) = delete;

  // The main window's mouse events.
  void MouseDown(int32_t button, int32_t modifierMask, double x, double y);
  void MouseMove(int32_t button, int32_t modifierMask, double x, double y);
  void MouseUp(int32_t button, int32_t modifierMask, double x, double y);
  // The second press of a double click, which arrives only as this event: a
  // left one acts as a plain left press where it happened.
  void DoubleClick(int32_t button, int32_t modifierMask, double x, double y);
  // The pointer left the window: it counts as moved, and is not hidden until
  // it comes back and rests.
  void MouseLeave();

  // timElement: one repeat of the held volume element or scroll-bar track.
  void ElementTick();
  // timMouseOver: shows the pointer when it moved, hides it when it rested.
  // Where the pointer is comes from the mouse events, never from a query.
  void MouseOverTick();
  // Runs timMouseOver only while its tick can hide or show the pointer (a
  // medium plays, or the pointer is hidden), so an idle program sleeps. The
  // checks skipped in between count as though they had run: a pointer that
  // rested all along hides at the first check, as it always did.
  void RunMouseOverWhileNeeded();

  // Window move and resize by the skin's handles.
  void BeginFormMove(int32_t button, int32_t modifierMask, double x, double y);
  void DoFormMove(int32_t button, int32_t modifierMask, double x, double y);
  void EndFormMove(int32_t button, int32_t modifierMask, double x, double y);
  void BeginFormResize(int32_t button, int32_t modifierMask, double x, double y);
  void DoFormResize(int32_t button, int32_t modifierMask, double x, double y);
  void EndFormResize(int32_t button, int32_t modifierMask, double x, double y);

  bool IsThumbDragging() const { return mIsThumbDragging; }
  double ListRepeatStep() const { return mListRepeatStep; }
  int32_t HoverElement() const { return mHoverElement; }

 private:
  int32_t ElementAt(double x, double y) const;
  void LeftClick(double x, double y);
  void AltClick(double x, double y);
  void ToggleRemotePanel();
  void FocusClicked(const std::string& element);
  void SetElementState(const std::string& element, int32_t state);
  void PressList(const std::string& element, double x, double y);
  void StartPaging(double step);
  void DragThumb(double y);
  double TrackHeight() const;
  void Hover(int32_t element, double x, double y);
  // The list row under a window-relative y, when the list holds such a row.
  std::optional<int32_t> RowAt(const SkinElement& list, double y) const;
  const std::string& RowText(int32_t row) const;
  void CatchUpSkippedChecks(uint64_t now, int32_t interval);

  PointerServices mServices;
  PointerHooks mHooks;
  WindowGestures mGestures;

  double mListRepeatStep = 0;  // +9 or -9 while the track is held, else 0
  bool mIsThumbDragging = false;
  std::string mThumbList;  // the list whose thumb is dragged
  int32_t mThumbPressY = 0;
  double mThumbStartCursor = 0;
  int32_t mHoverElement = 0;
  bool mIsPointerInWindow = false;  // a mouse event said where, and it has not left since
  int32_t mPointerX = 0;            // the position of the latest mouse move
  int32_t mPointerY = 0;
  int32_t mLastPointerX = 0;
  int32_t mLastPointerY = 0;
  bool mIsPointerIdle = false;
  int32_t mIdleTicks = 0;
  uint64_t mUnwatchedSince = 0;  // clock time timMouseOver stopped
  uint64_t mLastMotion = 0;      // clock time of the last movement over the window
};
