#pragma once

#include <memory>

#include "render/Presenter.h"

class SdlMainWindow;

// Presents the UI picture with OpenGL: the picture is a texture updated by
// rectangle, drawn over the whole window, one buffer swap per present.
class GlPresenter final : public Presenter {
 public:
  static std::unique_ptr<GlPresenter> Create(SdlMainWindow& window);
  ~GlPresenter() override;

  void SetSize(int32_t width, int32_t height) override;
  void UploadRect(const uint32_t* pixels, int32_t stridePixels, int32_t x, int32_t y,
                  int32_t width, int32_t height) override;
  void Invalidate() override { mChanged = true; }
  bool PresentIfChanged() override;

 private:
  explicit GlPresenter(SdlMainWindow& window) : mWindow(window) {}

  SdlMainWindow& mWindow;
  bool mChanged = true;
};
