#include "input/PointerInput.h"

#include <cassert>

#include <algorithm>
#include <utility>

#include "base/Conversions.h"
#include "base/MainWindow.h"
#include "base/Text.h"
#include "base/TimerTable.h"
#include "input/CursorControl.h"
#include "input/PointerVisibility.h"
#include "navigation/Bindings.h"
#include "render/BrowseState.h"
#include "render/ElementBox.h"
#include "render/FocusOwner.h"
#include "render/FocusState.h"
#include "render/ListGeometry.h"
#include "render/OverlayState.h"
#include "render/Screen.h"
#include "render/StatusLine.h"
#include "skin/SkinModel.h"
#include "store/Settings.h"

namespace {

constexpr int32_t kLeftButton = 1;
constexpr int32_t kRightButton = 2;
constexpr int32_t kNoModifier = 0;
constexpr int32_t kAltMask = 4;

enum ThumbEdge : int { kLeft = 0, kTop = 1, kRight = 2, kBottom = 3 };

}  // namespace

PointerInput::PointerInput(const PointerServices& services, PointerHooks hooks)
    : mServices(services),
      mHooks(std::move(hooks)),
      mGestures(services.window, services.settings, services.focus, services.cursor,
                services.screen),
      mUnwatchedSince(services.timers.NowMs()) {}

int32_t PointerInput::ElementAt(double x, double y) const {
  if (!mHooks.HitMap_Read) return 0;
  return mHooks.HitMap_Read(RoundToInt32(x), RoundToInt32(y));
}

void PointerInput::MouseDown(int32_t button, int32_t modifierMask, double x, double y) {
  mServices.pointer.ShowMouse(false);
  if (button == kLeftButton && modifierMask == kNoModifier) {
    LeftClick(x, y);
  } else if (button == kRightButton && modifierMask == kNoModifier) {
    if (mHooks.cmdFullsize) mHooks.cmdFullsize();
  } else if (button == kLeftButton && modifierMask == kAltMask) {
    AltClick(x, y);
  }
}

void PointerInput::LeftClick(double x, double y) {
  // Copies: the action may change the skin's elements.
  const SkinElement& clicked = mServices.skin.Element(ElementAt(x, y));
  const std::string element = clicked.FullName;
  const std::string name = clicked.Name;
  const std::string pressed = clicked.Moves[kMovePressed];

  if (mServices.overlay.mIsVideoFullscreen &&
      EqualsIgnoreCase(element, mServices.focus.mCurrentWindow + ".picVideoWindow")) {
    ToggleRemotePanel();
    return;
  }
  if (element.empty() || pressed.empty()) return;

  FocusClicked(element);
  if (EqualsIgnoreCase(name, "cmdVolControl")) {
    if (mHooks.PressVolumeControl) {
      mHooks.PressVolumeControl(element, RoundToInt32(x), RoundToInt32(y));
      mServices.cursor.SetCapture(true);
    }
  } else if (EqualsIgnoreCase(name, "cmdFormMove")) {
    BeginFormMove(kLeftButton, kNoModifier, x, y);
  } else if (EqualsIgnoreCase(name, "cmdFormResize")) {
    BeginFormResize(kLeftButton, kNoModifier, x, y);
  } else if (EqualsIgnoreCase(name, "lstPlaylist")) {
    PressList(element, x, y);
  } else if (mHooks.DoAction) {
    mHooks.DoAction(element, pressed);
  }
}

void PointerInput::AltClick(double x, double y) {
  const SkinElement& clicked = mServices.skin.Element(ElementAt(x, y));
  if (clicked.FullName.empty() || clicked.Moves[kMovePressed].empty()) return;
  const std::string element = clicked.FullName;
  if (mHooks.ConfigInput) mHooks.ConfigInput(element, Bindings::kSelf);
}

void PointerInput::ToggleRemotePanel() {
  if (!mServices.timers[TimerId::ShowRemote].Enabled()) {
    mServices.screen.ShowRemotePanel(-1);
  } else {
    mServices.screen.HideRemotePanel();
  }
}

void PointerInput::FocusClicked(const std::string& element) {
  if (!mServices.overlay.mIsVideoFullscreen) {
    const int32_t number = mServices.skin.FindElement(element);
    if (number == 0) return;
    mServices.focusOwner.MoveTo(number, mServices.focus.mFocusElement, kDirectionNone,
                                FocusOwner::HelpText::Keep);
    return;
  }
  // Over full-screen video only the remote panel can be clicked, and its own
  // focus moves; the interface's focus stays for when the video leaves.
  OverlayState& overlay = mServices.overlay;
  overlay.mRemotePrevFocus = overlay.mRemoteFocus;
  overlay.mRemoteFocus = element;
  const std::string previous = overlay.mRemotePrevFocus;
  SetElementState(element, Selected);
  mServices.screen.RedrawElement(element);
  if (previous.empty() || EqualsIgnoreCase(previous, element)) return;
  SetElementState(previous, Idle);
  mServices.screen.RedrawElement(previous);
}

void PointerInput::SetElementState(const std::string& element, int32_t state) {
  const int32_t number = mServices.skin.FindElement(element);
  if (number > 0) mServices.skin.Element(number).State = state;
}

void PointerInput::PressList(const std::string& element, double x, double y) {
  const int32_t* thumb = mServices.list.mListThumbRect;
  if (x < thumb[kLeft] || x > thumb[kRight]) {
    const SkinElement& list = mServices.skin.ElementNamed(element);
    if (const std::optional<int32_t> row = RowAt(list, y); row && mHooks.ActivateEntry) {
      mHooks.ActivateEntry(*row);
    }
    return;
  }
  if (y < thumb[kTop]) {
    StartPaging(-kPageRows);
  } else if (y > thumb[kBottom]) {
    StartPaging(+kPageRows);
  } else {
    mIsThumbDragging = true;
    mThumbList = element;
    mThumbPressY = RoundToInt32(y);
    mThumbStartCursor = mServices.browse.mBrowseCursor;
    mServices.cursor.SetCapture(true);
  }
}

void PointerInput::StartPaging(double step) {
  mListRepeatStep = step;
  UiTimer& repeat = mServices.timers[TimerId::Element];
  repeat.SetInterval(mServices.settings.gActionFirstRepeat);
  repeat.Enable();
  if (mHooks.MoveCursor) mHooks.MoveCursor(step);
  mServices.cursor.SetCapture(true);
}

void PointerInput::MouseMove(int32_t button, int32_t modifierMask, double x, double y) {
  mIsPointerInWindow = true;
  mPointerX = RoundToInt32(x);
  mPointerY = RoundToInt32(y);
  mLastMotion = mServices.timers.NowMs();
  const int32_t element = ElementAt(x, y);
  if (button == kLeftButton && modifierMask == kNoModifier) {
    if (mServices.focus.mIsFormMoving) {
      DoFormMove(button, modifierMask, x, y);
      return;
    }
    if (mServices.focus.mIsFormResizing) {
      DoFormResize(button, modifierMask, x, y);
      return;
    }
    if (mIsThumbDragging) DragThumb(y);
  }
  Hover(element, x, y);
}

void PointerInput::DragThumb(double y) {
  // The thumb travels over the track less its own height; that travel spans
  // the rows from the first to the last. The cursor follows the thumb from
  // where the drag began.
  const double rows = RoundHalfEven(EntryCount(mServices.browse.mBrowseList) - 1);
  const int32_t* thumb = mServices.list.mListThumbRect;
  const double travel = TrackHeight() - (thumb[kBottom] - thumb[kTop]);
  // A thumb that fills the track (less than a pixel left to travel) has
  // nothing to scroll; mapping through it would divide by zero.
  if (rows <= 0 || travel < 1) return;
  const int32_t dy = RoundToInt32(y - mThumbPressY);
  if (mHooks.MoveCursor) {
    mHooks.MoveCursor(mThumbStartCursor + dy * rows / travel - mServices.browse.mBrowseCursor);
  }
}

double PointerInput::TrackHeight() const {
  // The track is the list's Pressed-state picture box, as the list draws it.
  const SkinElement& list = mServices.skin.Element(mServices.skin.FindElement(mThumbList));
  const ElementBox box =
      ElementBox::Of(list, mServices.window.ClientWidth(), mServices.window.ClientHeight());
  return box.h * list.PicH[Pressed] / 100;
}

void PointerInput::Hover(int32_t number, double x, double y) {
  const SkinElement& element = mServices.skin.Element(number);
  if (!EqualsIgnoreCase(element.Name, "lstPlaylist")) {
    if (number == mHoverElement) return;
    mHoverElement = number;
    if (element.InfoText.empty()) return;
    mServices.status.Show(element.InfoText);
    return;
  }
  // Over the rows (not the scroll bar) the status line names the row.
  if (x > mServices.list.mListThumbRect[kLeft]) return;
  const std::optional<int32_t> row = RowAt(element, y);
  if (!row) return;
  const std::string& text = RowText(*row);
  if (text == mServices.status.Text()) return;
  mServices.status.Show(text);
}

std::optional<int32_t> PointerInput::RowAt(const SkinElement& list, double y) const {
  const ListGeometry& geometry = mServices.list;
  // Not drawn yet: no rows to be under the pointer.
  if (geometry.mRowHeight <= 0) return std::nullopt;
  // The lines counted from the top one, which shows the first visible row.
  const double line =
      RoundHalfEven((y - geometry.mListTop - 0.5 * geometry.mRowHeight) / geometry.mRowHeight);
  const VisibleListRows rows = VisibleRowsOf(list, mServices.browse);
  const double row = rows.first + line;
  if (row < 1 || row > rows.count || row > rows.last) return std::nullopt;
  return static_cast<int32_t>(row);
}

const std::string& PointerInput::RowText(int32_t row) const {
  // The playing list keeps the rows as they were when playback began; while
  // its folder is browsed, its rows are the ones to name.
  const BrowseState& browse = mServices.browse;
  assert(row >= 1 && row <= UsableRowCount(browse.mBrowseList));
  const EntryList& playing = browse.mPlaying.Rows();
  const bool playingFolder =
      EqualsIgnoreCase(mServices.settings.gPlaylistName, browse.mPlaying.Folder());
  if (playingFolder && row <= UsableRowCount(playing))
    return playing[static_cast<size_t>(row)].text;
  return browse.mBrowseList[static_cast<size_t>(row)].text;
}

void PointerInput::MouseUp(int32_t button, int32_t modifierMask, double x, double y) {
  if (mListRepeatStep != 0) {
    mListRepeatStep = 0;
    mServices.timers[TimerId::Element].Disable();
    mServices.cursor.SetCapture(false);
  }
  if (button != kLeftButton) return;
  if (mServices.focus.mIsFormMoving) {
    EndFormMove(button, modifierMask, x, y);
  } else if (mServices.focus.mIsFormResizing) {
    EndFormResize(button, modifierMask, x, y);
  } else if (mIsThumbDragging) {
    mIsThumbDragging = false;
    mServices.cursor.SetCapture(false);
    mServices.screen.RepaintWindow();
  } else if (mHooks.EndVolumeRepeat && mHooks.EndVolumeRepeat()) {
    mServices.cursor.SetCapture(false);
  }
}

void PointerInput::DoubleClick(int32_t button, int32_t modifierMask, double x, double y) {
  // A right double click is two right presses: the second toggles again.
  if (button != kLeftButton) {
    MouseDown(button, modifierMask, x, y);
    return;
  }
  MouseDown(kLeftButton, kNoModifier, x, y);
}

void PointerInput::MouseLeave() {
  mIsPointerInWindow = false;
  mLastMotion = mServices.timers.NowMs();
}

void PointerInput::ElementTick() {
  if (mHooks.VolumeRepeatTick) mHooks.VolumeRepeatTick();
  if (mListRepeatStep == 0) return;
  if (mHooks.MoveCursor) mHooks.MoveCursor(mListRepeatStep);
  mServices.timers[TimerId::Element].SetInterval(mServices.settings.gActionNextRepeat);
}

void PointerInput::MouseOverTick() {
  const int32_t x = mPointerX;
  const int32_t y = mPointerY;
  // While the mouse is captured, moves outside the window arrive too.
  const bool outside = !mIsPointerInWindow || x < 0 || y < 0 ||
                       x >= mServices.window.ClientWidth() || y >= mServices.window.ClientHeight();
  if (outside || x != mLastPointerX || y != mLastPointerY) {
    mServices.pointer.ShowMouse(false);
    mIsPointerIdle = false;
    mLastPointerX = x;
    mLastPointerY = y;
    return;
  }
  if (!mIsPointerIdle) {
    mIsPointerIdle = true;
    mIdleTicks = 0;
    return;
  }
  const int64_t restedMs =
      static_cast<int64_t>(mIdleTicks) * mServices.timers[TimerId::MouseOver].Interval();
  if (restedMs > kRestBeforeHidingMs) {
    mServices.pointer.HideMouse(false);
  } else {
    ++mIdleTicks;
  }
}

void PointerInput::RunMouseOverWhileNeeded() {
  UiTimer& timer = mServices.timers[TimerId::MouseOver];
  const bool needed = mServices.pointer.NeedsWatching();
  if (needed == timer.Enabled()) return;
  const uint64_t now = mServices.timers.NowMs();
  if (!needed) {
    timer.Disable();
    mUnwatchedSince = now;
    return;
  }
  CatchUpSkippedChecks(now, timer.Interval());
  timer.Enable();
}

void PointerInput::CatchUpSkippedChecks(uint64_t now, int32_t interval) {
  if (interval <= 0) return;
  uint64_t stillSince = mUnwatchedSince;
  if (mLastMotion > mUnwatchedSince || mPointerX != mLastPointerX || mPointerY != mLastPointerY) {
    // The first check after the last movement would have found the pointer
    // where it is now; the checks after that found it resting.
    mLastPointerX = mPointerX;
    mLastPointerY = mPointerY;
    mIsPointerIdle = false;
    stillSince = std::max(mLastMotion, mUnwatchedSince) + static_cast<uint64_t>(interval);
  }
  if (now <= stillSince) return;
  int64_t skipped = static_cast<int64_t>((now - stillSince) / static_cast<uint64_t>(interval));
  if (skipped > 0 && !mIsPointerIdle) {
    mIsPointerIdle = true;
    mIdleTicks = 0;
    --skipped;
  }
  // The count stops growing once it is past the rest that hides the pointer.
  const int64_t enough = kRestBeforeHidingMs / interval + 1;
  if (mIsPointerIdle) mIdleTicks = static_cast<int32_t>(std::min(mIdleTicks + skipped, enough));
}

void PointerInput::BeginFormMove(int32_t button, int32_t modifierMask, double x, double y) {
  mGestures.BeginFormMove(button, modifierMask, x, y);
}

void PointerInput::DoFormMove(int32_t button, int32_t modifierMask, double x, double y) {
  mGestures.DoFormMove(button, modifierMask, x, y);
}

void PointerInput::EndFormMove(int32_t button, int32_t modifierMask, double x, double y) {
  mGestures.EndFormMove(button, modifierMask, x, y);
}

void PointerInput::BeginFormResize(int32_t button, int32_t modifierMask, double x, double y) {
  mGestures.BeginFormResize(button, modifierMask, x, y);
}

void PointerInput::DoFormResize(int32_t button, int32_t modifierMask, double x, double y) {
  mGestures.DoFormResize(button, modifierMask, x, y);
}

void PointerInput::EndFormResize(int32_t button, int32_t modifierMask, double x, double y) {
  mGestures.EndFormResize(button, modifierMask, x, y);
}
