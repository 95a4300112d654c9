#pragma once

// A presenter for benchmarks: keeps the uploaded pixels row by row, the copy a
// texture upload makes, and never waits for a display.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "render/Presenter.h"

class MemoryPresenter final : public Presenter {
 public:
  void SetSize(int32_t width, int32_t height) override {
    mWidth = width;
    mHeight = height;
    mPixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
  }
  void UploadRect(const uint32_t* pixels, int32_t stridePixels, int32_t x, int32_t y, int32_t width,
                  int32_t height) override {
    const int32_t left = std::max(x, 0);
    const int32_t top = std::max(y, 0);
    const int32_t right = std::min(x + width, mWidth);
    const int32_t bottom = std::min(y + height, mHeight);
    for (int32_t row = top; row < bottom; ++row) {
      std::memcpy(&mPixels[static_cast<size_t>(row) * mWidth + left],
                  pixels + static_cast<size_t>(row) * stridePixels + left,
                  static_cast<size_t>(std::max(right - left, 0)) * sizeof(uint32_t));
    }
    mChanged = true;
  }
  void Invalidate() override { mChanged = true; }
  bool PresentIfChanged() override {
    const bool changed = mChanged;
    mChanged = false;
    if (changed) ++mPresents;
    return changed;
  }
  int Presents() const { return mPresents; }

 private:
  std::vector<uint32_t> mPixels;
  int32_t mWidth = 0;
  int32_t mHeight = 0;
  bool mChanged = false;
  int mPresents = 0;
};
