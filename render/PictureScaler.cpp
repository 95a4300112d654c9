#include "render/PictureScaler.h"

#include <pixman.h>

#include <algorithm>

#include "render/BackBuffer.h"

namespace {

// Scaled pictures larger than this are drawn straight from the picture each
// time (only their visible part costs work) instead of being kept.
constexpr int64_t kMaxCachedPicturePixels = int64_t{16} * 1024 * 1024;
// Past this many kept pixels the cache starts afresh.
constexpr int64_t kMaxCachedPixels = int64_t{48} * 1024 * 1024;

bool HoldsPixels(const SkinPicture& picture) {
  return picture.width > 0 && picture.height > 0 &&
         picture.Count() >=
             static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height);
}

// A pixman view of the picture's pixels; pixman only reads a source image.
pixman_image_t* WrapPicture(const SkinPicture& picture) {
  return pixman_image_create_bits(PIXMAN_a8r8g8b8, picture.width, picture.height,
                                  const_cast<uint32_t*>(picture.Data()),
                                  picture.width * static_cast<int>(sizeof(uint32_t)));
}

// Makes the source sample the picture scaled to width x height, bilinear,
// its edge pixels repeated outward so that a stretched edge keeps its colour.
void SetScale(pixman_image_t* source, const SkinPicture& picture, int32_t width, int32_t height) {
  pixman_transform_t transform;
  pixman_transform_init_scale(&transform,
                              pixman_double_to_fixed(static_cast<double>(picture.width) / width),
                              pixman_double_to_fixed(static_cast<double>(picture.height) / height));
  pixman_image_set_transform(source, &transform);
  pixman_image_set_filter(source, PIXMAN_FILTER_BILINEAR, nullptr, 0);
  pixman_image_set_repeat(source, PIXMAN_REPEAT_PAD);
}

}  // namespace

void PictureScaler::ImageDeleter::operator()(pixman_image_t* image) const {
  if (image) pixman_image_unref(image);
}

PictureScaler::PictureScaler() = default;
PictureScaler::~PictureScaler() = default;

void PictureScaler::SetAreaSize(int32_t width, int32_t height) {
  if (width == mAreaWidth && height == mAreaHeight) return;
  mAreaWidth = width;
  mAreaHeight = height;
  ClearCache();
}

void PictureScaler::ClearCache() {
  mCache.clear();
  mCachedPixels = 0;
}

const PictureScaler::Scaled* PictureScaler::FindOrScale(
    const std::shared_ptr<const SkinPicture>& picture, int32_t width, int32_t height) {
  const Key key{picture.get(), width, height};
  if (auto found = mCache.find(key); found != mCache.end()) return &found->second;

  const int64_t pixels = int64_t{width} * height;
  if (mCachedPixels + pixels > kMaxCachedPixels) ClearCache();

  ImagePtr source(WrapPicture(*picture));
  ImagePtr scaled(pixman_image_create_bits(PIXMAN_a8r8g8b8, width, height, nullptr, 0));
  if (!source || !scaled) return nullptr;
  SetScale(source.get(), *picture, width, height);
  pixman_image_composite32(PIXMAN_OP_SRC, source.get(), nullptr, scaled.get(), 0, 0, 0, 0, 0, 0,
                           width, height);
  mCachedPixels += pixels;
  auto [entry, inserted] = mCache.emplace(key, Scaled{picture, std::move(scaled)});
  return &entry->second;
}

bool PictureScaler::DrawPicture(BackBuffer& target,
                                const std::shared_ptr<const SkinPicture>& picture, int32_t left,
                                int32_t top, int32_t width, int32_t height) {
  if (!target.IsValid() || !picture || !HoldsPixels(*picture)) return false;
  if (width <= 0 || height <= 0) return true;
  // Only the part inside the target is composited; the source offset keeps
  // the picture where it belongs.
  const int64_t visibleLeft = std::max<int64_t>(left, 0);
  const int64_t visibleTop = std::max<int64_t>(top, 0);
  const int64_t visibleRight = std::min<int64_t>(int64_t{left} + width, target.Width());
  const int64_t visibleBottom = std::min<int64_t>(int64_t{top} + height, target.Height());
  if (visibleLeft >= visibleRight || visibleTop >= visibleBottom) return true;
  const auto sourceX = static_cast<int32_t>(visibleLeft - left);
  const auto sourceY = static_cast<int32_t>(visibleTop - top);
  const auto drawWidth = static_cast<int32_t>(visibleRight - visibleLeft);
  const auto drawHeight = static_cast<int32_t>(visibleBottom - visibleTop);

  pixman_image_t* source = nullptr;
  ImagePtr direct;
  const bool unscaled = width == picture->width && height == picture->height;
  if (unscaled || int64_t{width} * height > kMaxCachedPicturePixels) {
    direct.reset(WrapPicture(*picture));
    if (!direct) return false;
    if (!unscaled) SetScale(direct.get(), *picture, width, height);
    source = direct.get();
  } else {
    const Scaled* scaled = FindOrScale(picture, width, height);
    if (!scaled) return false;
    source = scaled->image.get();
  }
  pixman_image_composite32(PIXMAN_OP_OVER, source, nullptr, target.Image(), sourceX, sourceY, 0, 0,
                           static_cast<int32_t>(visibleLeft), static_cast<int32_t>(visibleTop),
                           drawWidth, drawHeight);
  return true;
}
