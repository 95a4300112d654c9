#pragma once

// Decides which elements are on the screen and draws them: a full repaint of
// the current skin window (the video element last, covering everything in
// full-screen video mode), single-element redraws, and the remote panel over
// the video. Every operation draws into the back buffer and uploads the
// changed rectangle before it returns; the UI loop presents once per batch.

#include <cstdint>
#include <functional>
#include <string_view>

#include "render/BackBuffer.h"
#include "render/ElementPainter.h"
#include "render/HitMap.h"
#include "render/PictureScaler.h"
#include "render/RenderContext.h"
#include "render/Screen.h"

class Presenter;
class UiTimer;

// The picture area's size in pixels (the main window's client area).
struct PictureAreaSize {
  int32_t width = 0;
  int32_t height = 0;
};

class WindowComposer final : public Screen {
 public:
  // showRemoteTimer is timShowRemote; handleRemoteKey is the remote panel's
  // key handling, which draws the panel with its focus (may be empty).
  WindowComposer(RenderContext& context, Presenter& presenter,
                 std::function<PictureAreaSize()> areaSize, UiTimer& showRemoteTimer,
                 std::function<void(int32_t)> handleRemoteKey);
  WindowComposer(const WindowComposer&) = delete;
  WindowComposer& operator=(const WindowComposer&) = delete;

  // Screen
  void RepaintWindow() override;
  void RedrawElement(std::string_view fullName, bool clearOnly = false) override;
  void ShowRemotePanel(int32_t key) override;
  void HideRemotePanel() override;
  void RedrawRemotePanel() override;
  void PaintPictureArea() override;

  // Makes a back buffer of width x height (-1 on either: the picture area's
  // size, written back, and the hit map rebuilt) cleared with the BackColor
  // of the current window's wndMain element, black without one. False (and a
  // log line) when no back buffer could be made; the old one stays.
  bool Backbuffer_init(double& width, double& height);

  // Uploads the rectangle of the back buffer to the presenter; a width or
  // height of -1 is the whole back buffer's, written back.
  void Backbuffer_Copy(double x, double y, double& width, double& height);

  // The element number under a pixel of the picture area; 0 for none.
  int32_t HitMap_Read(int32_t x, int32_t y) const { return mHitMap.HitMap_Read(x, y); }

  const BackBuffer& Buffer() const { return mBackBuffer; }
  const HitMap& Hits() const { return mHitMap; }
  ElementPainter& Painter() { return mPainter; }
  PictureScaler& Pictures() { return mPictures; }

 private:
  void CopyAll();
  void CopyRemotePanel();
  int32_t FindInCurrentWindow(std::string_view name) const;

  RenderContext& mContext;
  Presenter& mPresenter;
  std::function<PictureAreaSize()> mAreaSize;
  UiTimer& mShowRemoteTimer;
  std::function<void(int32_t)> mHandleRemoteKey;
  BackBuffer mBackBuffer;
  HitMap mHitMap;
  PictureScaler mPictures;
  ElementPainter mPainter;
  int32_t mPresentedWidth = 0;
  int32_t mPresentedHeight = 0;
};
