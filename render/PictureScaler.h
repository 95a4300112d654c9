#pragma once

// Draws skin pictures into the back buffer at any size: the picture is scaled
// with bilinear filtering and laid OVER what is already there, so its
// transparent parts (magenta in the file) let the background through and its
// edges blend without a coloured fringe. Each picture is scaled once per
// drawn size and kept until the picture area changes size.

#include <cstdint>
#include <map>
#include <memory>
#include <tuple>

#include "skin/SkinPicture.h"

class BackBuffer;
typedef union pixman_image pixman_image_t;

class PictureScaler {
 public:
  PictureScaler();
  ~PictureScaler();
  PictureScaler(const PictureScaler&) = delete;
  PictureScaler& operator=(const PictureScaler&) = delete;

  // Tells the size of the picture area; a new size drops every scaled picture.
  void SetAreaSize(int32_t width, int32_t height);

  // Draws the whole picture stretched into (left, top, width, height) of the
  // target, clipped to the target. An empty rectangle draws nothing and
  // succeeds. False when the picture holds no pixels or the target is not
  // valid; nothing is drawn then.
  bool DrawPicture(BackBuffer& target, const std::shared_ptr<const SkinPicture>& picture,
                   int32_t left, int32_t top, int32_t width, int32_t height);

  // How many scaled pictures are kept.
  size_t CachedCount() const { return mCache.size(); }
  void ClearCache();

 private:
  struct ImageDeleter {
    void operator()(pixman_image_t* image) const;
  };
  using ImagePtr = std::unique_ptr<pixman_image_t, ImageDeleter>;
  struct Scaled {
    std::shared_ptr<const SkinPicture> picture;  // keeps the key's picture alive
    ImagePtr image;
  };
  using Key = std::tuple<const SkinPicture*, int32_t, int32_t>;

  const Scaled* FindOrScale(const std::shared_ptr<const SkinPicture>& picture, int32_t width,
                            int32_t height);

  std::map<Key, Scaled> mCache;
  int64_t mCachedPixels = 0;
  int32_t mAreaWidth = 0;
  int32_t mAreaHeight = 0;
};
