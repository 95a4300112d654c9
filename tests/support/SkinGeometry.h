#pragma once

// Where an element of a skin lies, in percent of the window, read from the
// skin file itself so that tests and benchmarks follow the skin when it
// changes. Header-only, for the benchmark programs too.

#include <memory>
#include <string>

#include "skin/SkinLoader.h"
#include "skin/SkinModel.h"
#include "skin/SkinPicture.h"

struct SkinRect {
  double x = 0;
  double y = 0;
  double width = 0;
  double height = 0;
};

class SkinGeometry {
 public:
  // Loads the skin's elements; the pictures are not decoded.
  explicit SkinGeometry(const std::string& skinFile) {
    PlaceholderPictures pictures;
    DX_LoadSkin(skinFile, mSkin, pictures);
  }

  // The element's rectangle; all zero when the skin has no such element.
  SkinRect Element(const std::string& fullName) const {
    const int32_t index = mSkin.FindElement(fullName);
    if (index == 0) return {};
    const SkinElement& element = mSkin.Element(index);
    return {element.PosX, element.PosY, element.SizeW, element.SizeH};
  }

 private:
  // Only the geometry is wanted: every picture is a single pixel.
  class PlaceholderPictures : public PictureLoader {
   public:
    std::shared_ptr<SkinPicture> Load(const std::string&) override {
      auto picture = std::make_shared<SkinPicture>();
      picture->width = 1;
      picture->height = 1;
      picture->pixels.assign(1, 0xFF000000u);
      return picture;
    }
  };

  SkinModel mSkin;
};
