#include "render/FocusOwner.h"

#include <cassert>

#include "render/FocusState.h"
#include "render/Screen.h"
#include "render/StatusLine.h"
#include "skin/SkinModel.h"

namespace {

constexpr int32_t kFocusKept = -1;

}  // namespace

FocusOwner::FocusOwner(FocusState& state, SkinModel& skin, Screen& screen, StatusLine& status)
    : mState(state), mSkin(skin), mScreen(screen), mStatus(status) {}

int32_t FocusOwner::Give(int32_t target, const std::string& from, int32_t direction) {
  assert(target >= 1 && target <= mSkin.Count());
  const int32_t left = mSkin.FindElement(mState.mFocusElement);
  mState.mPrevFocusElement = from;
  mState.mFocusElement = mSkin.Element(target).FullName;
  mState.mLastMoveDirection = direction;
  mSkin.Element(target).State = Selected;
  if (left == target) return kFocusKept;
  if (left != 0) mSkin.Element(left).State = Idle;
  return left;
}

void FocusOwner::Start(int32_t element) {
  Give(element, mSkin.Element(element).FullName, kDirectionNone);
  mState.mCurrentWindow = mSkin.Element(element).Window;
  mState.mIsFormMoving = false;
  mState.mIsFormResizing = false;
  mStatus.Clear();
}

void FocusOwner::MoveTo(int32_t target, const std::string& from, int32_t direction, HelpText help) {
  const int32_t left = Give(target, from, direction);
  mScreen.RedrawElement(mState.mFocusElement);
  if (left == kFocusKept) return;
  if (left != 0) mScreen.RedrawElement(mSkin.Element(left).FullName);
  if (help == HelpText::Show) mStatus.Show(mSkin.Element(target).InfoText);
}

void FocusOwner::SwitchWindow(const std::string& window, int32_t target, const std::string& from) {
  Give(target, from, kDirectionNone);
  mState.mCurrentWindow = window;
  mScreen.RepaintWindow();
}
