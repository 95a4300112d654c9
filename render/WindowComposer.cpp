#include "render/WindowComposer.h"

#include <algorithm>
#include <string>

#include "base/Conversions.h"
#include "base/Log.h"
#include "base/Text.h"
#include "base/TimerTable.h"
#include "render/FocusState.h"
#include "render/MediaDisplay.h"
#include "render/OverlayState.h"
#include "render/Presenter.h"
#include "skin/SkinModel.h"
#include "store/Settings.h"

namespace {

constexpr const char* kRemoteWindow = "wndRemote";
constexpr const char* kInfoWindow = "wndInfo";
constexpr const char* kVideoName = "picVideoWindow";
constexpr const char* kTitleName = "cmdFormMove";
constexpr const char* kRemoteStartButton = "wndRemote.cmdStartButton";
constexpr const char* kRemoteTitleBar = "wndRemote.picTitleBar";
// The remote panel's timer: 100 ms while it is up for keys, 60 s when it was
// called without one.
constexpr int32_t kRemoteKeyInterval = 100;
constexpr int32_t kRemoteNoKeyInterval = 60000;
constexpr int32_t kNoKey = -1;

// Full-screen video mode: the video element covers the whole picture area.
void CoverWholeArea(SkinElement& video) {
  video.PosX = 0;
  video.PosY = 0;
  video.SizeW = 100;
  video.SizeH = 100;
}

}  // namespace

WindowComposer::WindowComposer(RenderContext& context, Presenter& presenter,
                               std::function<PictureAreaSize()> areaSize, UiTimer& showRemoteTimer,
                               std::function<void(int32_t)> handleRemoteKey)
    : mContext(context),
      mPresenter(presenter),
      mAreaSize(std::move(areaSize)),
      mShowRemoteTimer(showRemoteTimer),
      mHandleRemoteKey(std::move(handleRemoteKey)),
      mPainter(context, mBackBuffer, mHitMap, mPictures) {}

// The first element of the current window with the name, ignoring case; 0
// when there is none.
int32_t WindowComposer::FindInCurrentWindow(std::string_view name) const {
  const SkinModel& skin = mContext.skin;
  const std::string& current = mContext.focus.mCurrentWindow;
  for (int32_t i = 1; i <= skin.Count(); ++i) {
    const SkinElement& element = skin.Element(i);
    if (EqualsIgnoreCase(element.Name, name) && EqualsIgnoreCase(element.Window, current)) {
      return i;
    }
  }
  return 0;
}

bool WindowComposer::Backbuffer_init(double& width, double& height) {
  bool rebuildHitMap = false;
  if (width == -1 || height == -1) {
    const PictureAreaSize area = mAreaSize ? mAreaSize() : PictureAreaSize{};
    width = area.width;
    height = area.height;
    rebuildHitMap = true;
  }
  const int32_t pixelWidth = RoundToInt32(width);
  const int32_t pixelHeight = RoundToInt32(height);
  const bool sameSize = mBackBuffer.IsValid() && mBackBuffer.Width() == pixelWidth &&
                        mBackBuffer.Height() == pixelHeight;
  if (!sameSize && !mBackBuffer.Resize(pixelWidth, pixelHeight)) {
    WriteLog("Backbuffer_init: no back buffer of " + std::to_string(pixelWidth) + " x " +
             std::to_string(pixelHeight));
    return false;
  }
  mPictures.SetAreaSize(pixelWidth, pixelHeight);
  if (pixelWidth != mPresentedWidth || pixelHeight != mPresentedHeight) {
    mPresenter.SetSize(pixelWidth, pixelHeight);
    mPresentedWidth = pixelWidth;
    mPresentedHeight = pixelHeight;
  }

  const int32_t background = FindInCurrentWindow("wndMain");
  const Rgb color = background > 0 ? mContext.skin.Element(background).BackColor : Rgb{};
  FillEdges(mBackBuffer, 0, 0, pixelWidth, pixelHeight, color);
  if (rebuildHitMap) mHitMap.HitMap_init(pixelWidth, pixelHeight);
  return true;
}

void WindowComposer::Backbuffer_Copy(double x, double y, double& width, double& height) {
  if (!mBackBuffer.IsValid()) {
    WriteLog("Backbuffer_Copy Blt: no back buffer");
    return;
  }
  if (width == -1) width = mBackBuffer.Width();
  if (height == -1) height = mBackBuffer.Height();
  const auto edges = RoundRect(x, y, x + width, y + height);
  const int64_t left = std::max<int64_t>(edges[0], 0);
  const int64_t top = std::max<int64_t>(edges[1], 0);
  const int64_t right = std::min<int64_t>(edges[2], mBackBuffer.Width());
  const int64_t bottom = std::min<int64_t>(edges[3], mBackBuffer.Height());
  if (left >= right || top >= bottom) return;
  mPresenter.UploadRect(mBackBuffer.Pixels(), mBackBuffer.StridePixels(),
                        static_cast<int32_t>(left), static_cast<int32_t>(top),
                        static_cast<int32_t>(right - left), static_cast<int32_t>(bottom - top));
}

void WindowComposer::CopyAll() {
  double width = -1;
  double height = -1;
  Backbuffer_Copy(0, 0, width, height);
}

void WindowComposer::RepaintWindow() {
  double width = -1;
  double height = -1;
  if (!Backbuffer_init(width, height)) return;

  const SkinModel& skin = mContext.skin;
  const std::string& current = mContext.focus.mCurrentWindow;
  for (int32_t i = 1; i <= skin.Count(); ++i) {
    const SkinElement& element = skin.Element(i);
    if (!EqualsIgnoreCase(element.Window, current)) continue;
    if (EqualsIgnoreCase(element.Name, "wndMain")) continue;   // only a colour
    if (EqualsIgnoreCase(element.Name, kVideoName)) continue;  // drawn last
    mPainter.Element_Draw(element, false);
  }

  // The video element lies on top of everything of its window.
  if (const int32_t video = FindInCurrentWindow(kVideoName); video > 0) {
    SkinElement element = skin.Element(video);
    if (mContext.overlay.mIsVideoFullscreen) CoverWholeArea(element);
    mPainter.Element_Draw(element, false);
  }
  CopyAll();
}

void WindowComposer::RedrawElement(std::string_view fullName, bool clearOnly) {
  if (fullName.empty()) return;
  const int32_t number = mContext.skin.FindElement(fullName);
  if (number < 1) return;
  SkinElement element = mContext.skin.Element(number);
  if (element.FullName.empty()) return;

  const bool isVideo = EqualsIgnoreCase(element.Name, kVideoName);
  if (mContext.overlay.mIsVideoFullscreen) {
    // Everything but the overlays is hidden under the video.
    const bool isOverlay = EqualsIgnoreCase(element.Window, kRemoteWindow) ||
                           EqualsIgnoreCase(element.Window, kInfoWindow);
    if (!isOverlay && !isVideo) {
      // The title element stays hidden, but the window's caption (what the
      // desktop shows for the window) still follows the title.
      if (EqualsIgnoreCase(element.Name, kTitleName) &&
          EqualsIgnoreCase(element.Window, mContext.focus.mCurrentWindow)) {
        mPainter.UpdateCaption();
      }
      return;
    }
    // The video of the window on screen keeps covering the whole area, as the
    // full repaint drew it.
    if (isVideo && EqualsIgnoreCase(element.Window, mContext.focus.mCurrentWindow)) {
      CoverWholeArea(element);
    }
  }

  ElementBox box = mPainter.BoxOf(element);
  if (clearOnly) {
    mPainter.Element_Clear(element);
  } else {
    mPainter.Element_Draw(element, false);
  }
  Backbuffer_Copy(box.x, box.y, box.w, box.h);
}

void WindowComposer::ShowRemotePanel(int32_t key) {
  if (mShowRemoteTimer.Enabled()) {
    if (mShowRemoteTimer.Interval() != kRemoteNoKeyInterval && key != kNoKey) {
      // Already up for keys: the key moves the panel's focus.
      mShowRemoteTimer.SetInterval(kRemoteKeyInterval);
      if (mHandleRemoteKey) mHandleRemoteKey(key);
      return;
    }
    HideRemotePanel();
  }
  mContext.overlay.mRemoteFocus = kRemoteStartButton;
  mContext.overlay.mRemotePrevFocus = kRemoteStartButton;
  if (mHandleRemoteKey) mHandleRemoteKey(key);
  mShowRemoteTimer.SetInterval(key == kNoKey ? kRemoteNoKeyInterval : kRemoteKeyInterval);
  mShowRemoteTimer.Enable();
  mContext.overlay.mOSDActive = true;
  mContext.overlay.mOSDRemaining = mContext.settings.gOSDTime;
}

void WindowComposer::HideRemotePanel() {
  mShowRemoteTimer.Disable();
  OverlayState& overlay = mContext.overlay;
  overlay.mRemoteRemaining = mContext.settings.gOSDTime;
  SkinModel& skin = mContext.skin;
  if (const int32_t focused = skin.FindElement(overlay.mRemoteFocus); focused > 0) {
    skin.Element(focused).State = Idle;
  }
  if (!overlay.mIsVideoFullscreen) {
    RepaintWindow();
    return;
  }
  if (const int32_t title = skin.FindElement(kRemoteTitleBar); title > 0) {
    skin.Element(title).Text[Idle] = mContext.media.MediaTitle();
  }
  for (int32_t i = 1; i <= skin.Count(); ++i) {
    const SkinElement& element = skin.Element(i);
    if (EqualsIgnoreCase(element.Window, kRemoteWindow)) mPainter.Element_Clear(element);
  }
  CopyRemotePanel();
}

void WindowComposer::RedrawRemotePanel() {
  SkinModel& skin = mContext.skin;
  if (const int32_t title = skin.FindElement(kRemoteTitleBar); title > 0) {
    skin.Element(title).Text[Idle] = mContext.media.MediaTitle();
  }
  for (int32_t i = 1; i <= skin.Count(); ++i) {
    const SkinElement& element = skin.Element(i);
    if (EqualsIgnoreCase(element.Window, kRemoteWindow)) mPainter.Element_Draw(element, false);
  }
  CopyRemotePanel();
}

// Uploads the rectangle around the remote panel's elements: the rest of the
// picture did not change.
void WindowComposer::CopyRemotePanel() {
  const SkinModel& skin = mContext.skin;
  bool any = false;
  double left = 0;
  double top = 0;
  double right = 0;
  double bottom = 0;
  for (int32_t i = 1; i <= skin.Count(); ++i) {
    const SkinElement& element = skin.Element(i);
    if (!EqualsIgnoreCase(element.Window, kRemoteWindow)) continue;
    const ElementBox box = mPainter.BoxOf(element);
    if (!(box.w > 0 && box.h > 0)) continue;
    left = any ? std::min(left, box.x) : box.x;
    top = any ? std::min(top, box.y) : box.y;
    right = any ? std::max(right, box.x + box.w) : box.x + box.w;
    bottom = any ? std::max(bottom, box.y + box.h) : box.y + box.h;
    any = true;
  }
  if (!any) return;
  // A pixel more on each side takes in the edges that drawing rounds outward.
  double width = right - left + 2;
  double height = bottom - top + 2;
  Backbuffer_Copy(left - 1, top - 1, width, height);
}

void WindowComposer::PaintPictureArea() {
  CopyAll();
}
