#include "navigation/FocusNavigator.h"

#include <cassert>

#include <utility>

#include "base/Conversions.h"
#include "base/Text.h"
#include "navigation/Dispatcher.h"
#include "render/FocusOwner.h"
#include "render/FocusState.h"
#include "render/OverlayState.h"
#include "render/Screen.h"
#include "skin/SkinModel.h"
#include "store/Settings.h"

namespace {

constexpr const char* kPlaylistName = "lstPlaylist";

// Virtual-key codes the remote panel understands as directions.
constexpr int32_t kKeyLeft = 37;
constexpr int32_t kKeyUp = 38;
constexpr int32_t kKeyRight = 39;
constexpr int32_t kKeyDown = 40;

// The window moves by this fraction of its monitor per step.
constexpr double kWindowStepsPerMonitor = 50;

struct DirectionName {
  const char* name;
  int32_t direction;
  int32_t remoteKey;
  MoveEntry entry;
};

constexpr DirectionName kDirections[] = {
    {"elemMoveN", kDirectionNorth, kKeyUp, kMoveNorth},
    {"elemMoveE", kDirectionEast, kKeyRight, kMoveEast},
    {"elemMoveS", kDirectionSouth, kKeyDown, kMoveSouth},
    {"elemMoveW", kDirectionWest, kKeyLeft, kMoveWest},
};

const DirectionName* FindDirection(const std::string& name) {
  for (const DirectionName& direction : kDirections) {
    if (EqualsIgnoreCase(direction.name, name)) return &direction;
  }
  return nullptr;
}

// The table row of a direction code; the code is one of the four rows'.
const DirectionName& DirectionOf(int32_t direction) {
  for (const DirectionName& row : kDirections) {
    if (row.direction == direction) return row;
  }
  assert(!"a direction code is one of the four rows");
  return kDirections[0];
}

bool IsVertical(int32_t direction) {
  return direction == kDirectionNorth || direction == kDirectionSouth;
}

}  // namespace

FocusNavigator::FocusNavigator(SkinModel& skin, FocusState& focus, const OverlayState& overlay,
                               FocusOwner& focusOwner, Settings& settings, Screen& screen,
                               Dispatcher& dispatcher, NavigationHooks hooks)
    : mSkin(skin),
      mFocus(focus),
      mOverlay(overlay),
      mFocusOwner(focusOwner),
      mSettings(settings),
      mScreen(screen),
      mDispatcher(dispatcher),
      mHooks(std::move(hooks)) {}

std::string FocusNavigator::NavigationStep(const std::string& source, const std::string& name) {
  Move move{source, kDirectionNone};
  if (const DirectionName* direction = FindDirection(name)) {
    move = StepDirection(source, direction->direction);
  } else if (EqualsIgnoreCase(name, "elemMovePressed")) {
    if (mOverlay.mIsVideoFullscreen) {
      if (mHooks.cmdFullsize) mHooks.cmdFullsize();
    } else {
      const std::string pressed = mSkin.Element(mSkin.FindElement(source)).Moves[kMovePressed];
      move.target = mDispatcher.DoAction(source, pressed);
    }
  }

  // A neighbour entry that is a command runs in place of the move; its empty
  // result leaves the focus where it is.
  if (!move.target.empty() && move.target.front() == '*') {
    move.target = mDispatcher.DoAction(source, move.target);
  }
  // After a move straight back the focus is not the entry's element, and a
  // nested caller must give the focus to where it really went.
  if (MoveFocus(source, move.target, move.direction)) return mFocus.mFocusElement;
  return move.target;
}

FocusNavigator::Move FocusNavigator::StepDirection(const std::string& source, int32_t direction) {
  const DirectionName& row = DirectionOf(direction);
  const SkinElement& element = mSkin.Element(mSkin.FindElement(source));

  if (mOverlay.mIsVideoFullscreen) {
    mScreen.ShowRemotePanel(row.remoteKey);
    return {std::string(), kDirectionNone};
  }
  if (IsVertical(direction) && EqualsIgnoreCase(element.Name, kPlaylistName)) {
    // Held keys raise the acceleration, so the list moves further per repeat.
    const double rows = RoundHalfEven(mFocus.mKeyAcceleration) + 1;
    if (mHooks.MoveCursor) mHooks.MoveCursor(direction == kDirectionNorth ? -rows : rows);
    return {source, kDirectionNone};
  }
  if (mFocus.mIsFormMoving) {
    StepWindow(direction);
    return {source, kDirectionNone};
  }
  if (mFocus.mIsFormResizing) return {source, kDirectionNone};
  return {element.Moves[row.entry], direction};
}

void FocusNavigator::StepWindow(int32_t direction) {
  if (!mHooks.FindWindowMonitor || !mHooks.WindowGeometry || !mHooks.PlaceWindow) return;
  const MonitorRect monitor = mHooks.FindWindowMonitor();
  const PixelRect window = mHooks.WindowGeometry();
  if (!mHasExactPosition || window.left != mPlacedLeft || window.top != mPlacedTop) {
    mExactLeft = window.left;
    mExactTop = window.top;
  }

  const double sign = direction > 0 ? 1 : -1;
  if (IsVertical(direction)) {
    mExactTop += sign * (monitor.bottom - monitor.top) / kWindowStepsPerMonitor;
  } else {
    mExactLeft += sign * (monitor.right - monitor.left) / kWindowStepsPerMonitor;
  }
  mPlacedLeft = RoundToInt32(mExactLeft);
  mPlacedTop = RoundToInt32(mExactTop);
  mHasExactPosition = true;
  mHooks.PlaceWindow(mPlacedLeft, mPlacedTop);

  if (IsVertical(direction)) {
    mSettings.gFormLastTop = mPlacedTop;
  } else {
    mSettings.gFormLastLeft = mPlacedLeft;
  }
}

bool FocusNavigator::MoveFocus(const std::string& oldName, const std::string& newName,
                               int32_t direction) {
  int32_t target = mSkin.FindElement(newName);
  if (target == 0) return false;
  if (direction != kDirectionNone && direction == -mFocus.mLastMoveDirection) {
    if (const int32_t cameFrom = mSkin.FindElement(mFocus.mPrevFocusElement); cameFrom != 0) {
      target = cameFrom;
    }
  }

  mFocusOwner.MoveTo(target, oldName, direction, FocusOwner::HelpText::Show);
  return true;
}
