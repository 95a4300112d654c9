#include "skin/SkinModel.h"

#include <algorithm>

#include "skin/DeferredPictures.h"

SkinModel::SkinModel() {
  Clear();
}

int32_t SkinModel::Count() const {
  if (SkinElements.empty()) return 0;
  const int32_t tableCount = static_cast<int32_t>(SkinElements.size()) - 1;
  return std::clamp(SkinElements[0].Index, 0, tableCount);
}

int32_t SkinModel::FindElement(std::string_view fullName) const {
  // The index is rebuilt when the table changed size since it was made; a hit
  // is checked against the table so that a stale index never gives a wrong
  // element, only (after a rename without IndexElements) a missed one.
  if (mIndexedSize != SkinElements.size()) RebuildIndex();
  const auto found = mIndexByName.find(std::string(fullName));
  if (found == mIndexByName.end()) return 0;
  const int32_t number = found->second;
  if (number < static_cast<int32_t>(SkinElements.size()) &&
      SkinElements[number].FullName == fullName) {
    return number;
  }
  RebuildIndex();
  const auto again = mIndexByName.find(std::string(fullName));
  return again == mIndexByName.end() ? 0 : again->second;
}

SkinElement& SkinModel::Element(int32_t n) {
  if (SkinElements.empty()) SkinElements.resize(1);
  if (n < 0 || n >= static_cast<int32_t>(SkinElements.size())) return SkinElements[0];
  return SkinElements[n];
}

const SkinElement& SkinModel::Element(int32_t n) const {
  static const SkinElement kNoElement;
  if (SkinElements.empty()) return kNoElement;
  if (n < 0 || n >= static_cast<int32_t>(SkinElements.size())) return SkinElements[0];
  return SkinElements[n];
}

void SkinModel::IndexElements() {
  RebuildIndex();
}

void SkinModel::RebuildIndex() const {
  mIndexByName.clear();
  mIndexByName.reserve(SkinElements.size());
  for (size_t n = 1; n < SkinElements.size(); ++n) {
    // emplace keeps the first entry: the lowest number wins for duplicates.
    mIndexByName.emplace(SkinElements[n].FullName, static_cast<int32_t>(n));
  }
  mIndexedSize = SkinElements.size();
}

std::shared_ptr<const SkinPicture> SkinModel::Picture(int32_t n) const {
  if (n < 1 || n >= static_cast<int32_t>(SkinPictures.size())) return nullptr;
  if (SkinPictures[n] || !mLater) return SkinPictures[n];
  return mLater->Get(n);
}

void SkinModel::LeavePicturesForLater(std::shared_ptr<DeferredPictures> pictures) {
  mLater = std::move(pictures);
}

void SkinModel::DecodePicturesLeftForLater() {
  if (mLater) mLater->DecodeAll();
}

void SkinModel::Clear() {
  mLater.reset();
  SkinElements.assign(1, SkinElement{});
  SkinPictures.assign(1, nullptr);
  SkinPictureDescs.assign(1, SkinPictureDesc{});
  SkinStrings.Clear();
  RebuildIndex();
}

std::string GetField(std::string_view text, int32_t n, std::string_view separator) {
  if (n < 1) return {};
  if (separator.empty()) return n == 1 ? std::string(text) : std::string();
  size_t start = 0;
  for (int32_t field = 1; field < n; ++field) {
    const size_t next = text.find(separator, start);
    if (next == std::string_view::npos) return {};
    start = next + separator.size();
  }
  const size_t end = text.find(separator, start);
  if (end == std::string_view::npos) return std::string(text.substr(start));
  return std::string(text.substr(start, end - start));
}

// Sizes of -1 follow the "square" rule: a side of -1 takes as many pixels as
// the other side has (w = h or h = w, in pixels), so -1 never produces a
// negative rectangle. Both sides -1 names no size at all; the loader rejects
// such a skin, and here it gives an empty rectangle. The text renderer applies
// the same rule to text boxes (TextW, TextH). Picture sizes are different:
// their -1 keeps the picture's own aspect ratio and is handled by the drawing.
void PercentRectToPixels(double W, double H, double& x, double& y, double& w, double& h) {
  const bool widthFromHeight = (w == -1);
  const bool heightFromWidth = (h == -1);
  if (widthFromHeight && heightFromWidth) {
    w = 0;
    h = 0;
  } else if (widthFromHeight) {
    h = H / 100 * h;
    w = h;
  } else if (heightFromWidth) {
    w = W / 100 * w;
    h = w;
  } else {
    w = W / 100 * w;
    h = H / 100 * h;
  }
  x = (x == -1) ? (W - w) / 2 : W / 100 * x;
  y = (y == -1) ? (H - h) / 2 : H / 100 * y;
}
