#pragma once

// A presenter that keeps a copy of every uploaded pixel and counts presents.

#include <cstdint>
#include <vector>

#include "render/Presenter.h"

class FakePresenter final : public Presenter {
 public:
  void SetSize(int32_t width, int32_t height) override {
    mWidth = width;
    mHeight = height;
    screen.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0u);
    changed = true;
  }
  void UploadRect(const uint32_t* pixels, int32_t stridePixels, int32_t x, int32_t y, int32_t width,
                  int32_t height) override {
    ++uploads;
    uploadedPixels += static_cast<int64_t>(width) * height;
    for (int32_t row = y; row < y + height; ++row) {
      for (int32_t column = x; column < x + width; ++column) {
        if (row < 0 || column < 0 || row >= mHeight || column >= mWidth) continue;
        screen[static_cast<size_t>(row) * mWidth + column] =
            pixels[static_cast<size_t>(row) * stridePixels + column] & 0x00FFFFFFu;
      }
    }
    changed = true;
  }
  void Invalidate() override { changed = true; }
  bool PresentIfChanged() override {
    if (!changed) return false;
    changed = false;
    ++presents;
    return true;
  }
  uint32_t ScreenPixel(int32_t x, int32_t y) const {
    if (x < 0 || y < 0 || x >= mWidth || y >= mHeight) return 0;
    return screen[static_cast<size_t>(y) * mWidth + x];
  }

  std::vector<uint32_t> screen;
  int uploads = 0;
  int64_t uploadedPixels = 0;
  int presents = 0;
  bool changed = false;

 private:
  int32_t mWidth = 0;
  int32_t mHeight = 0;
};
