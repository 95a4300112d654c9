#pragma once

// The skin in memory: the element table (entry 0 is a header whose Index holds
// the count), the pictures with their pixel sizes, and the named strings.
// Built once at start-up by DX_LoadSkin; afterwards only element states and a
// few texts change.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "skin/SkinElement.h"
#include "skin/SkinPicture.h"
#include "store/clsHashFile.h"

class DeferredPictures;

struct SkinPictureDesc {
  int32_t width = 0;
  int32_t height = 0;
};

class SkinModel {
 public:
  SkinModel();

  std::vector<SkinElement> SkinElements;  // 0..count
  // 0..count, 0 unused; null for a picture left for later (see Picture).
  std::vector<std::shared_ptr<const SkinPicture>> SkinPictures;
  std::vector<SkinPictureDesc> SkinPictureDescs;  // 0..count
  clsHashFile SkinStrings;

  // Picture n: the one decoded with the skin, else the one left for later,
  // decoded now if that has not been done. Null when there is none.
  std::shared_ptr<const SkinPicture> Picture(int32_t n) const;
  // Hands over the pictures left undecoded when the skin was loaded.
  void LeavePicturesForLater(std::shared_ptr<DeferredPictures> pictures);
  // Decodes the pictures left for later, on a thread of their own where the
  // picture loader allows it.
  void DecodePicturesLeftForLater();

  // The number of elements (entry 0's Index).
  int32_t Count() const;

  // The number of the first element whose FullName equals the name exactly
  // (case-sensitive), or 0.
  int32_t FindElement(std::string_view fullName) const;

  // Element n, or the header element 0 when n is out of range.
  SkinElement& Element(int32_t n);
  const SkinElement& Element(int32_t n) const;

  // FindElement then Element: the header when the name is unknown.
  SkinElement& ElementNamed(std::string_view fullName) { return Element(FindElement(fullName)); }

  // Rebuilds the name index after the element table changed. FindElement
  // notices a new table size and a found element whose name changed, but not
  // a new name given to an element: renaming needs this call.
  void IndexElements();

  // Empties the model: only the header element, no pictures, no strings.
  void Clear();

 private:
  void RebuildIndex() const;

  // Full name to the lowest element number bearing it; rebuilt on demand, so
  // mutable for the const look-up.
  mutable std::unordered_map<std::string, int32_t> mIndexByName;
  mutable size_t mIndexedSize = 0;
  std::shared_ptr<DeferredPictures> mLater;
};

// The n-th field (1-based) of text split at every occurrence of separator; the
// last field runs to the end; fewer than n fields give the empty text.
std::string GetField(std::string_view text, int32_t n, std::string_view separator);

// Converts a percent rectangle of a W x H area to pixels in place: sizes
// first, then x and y (-1 centres on that axis). Sizes of -1 keep the aspect
// rule described beside the implementation.
void PercentRectToPixels(double W, double H, double& x, double& y, double& w, double& h);
