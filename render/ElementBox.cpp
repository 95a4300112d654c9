#include "render/ElementBox.h"

#include <pixman.h>

#include <algorithm>
#include <cmath>

#include "base/Conversions.h"
#include "render/BackBuffer.h"
#include "render/PixelFormat.h"
#include "skin/SkinModel.h"

void ClampSpan(double& start, double& size) {
  const double end = start + size;
  const auto inside = [](double edge) { return edge >= -kFarOutside && edge <= kFarOutside; };
  if (inside(start) && inside(end)) return;
  const auto clamp = [](double edge) {
    return std::isnan(edge) ? 0.0 : std::clamp(edge, -kFarOutside, kFarOutside);
  };
  const double clampedStart = clamp(start);
  size = std::isnan(end) ? 0.0 : clamp(end) - clampedStart;
  start = clampedStart;
}

ElementBox ElementBox::Of(const SkinElement& element, double areaWidth, double areaHeight) {
  ElementBox box{element.PosX, element.PosY, element.SizeW, element.SizeH};
  PercentRectToPixels(areaWidth, areaHeight, box.x, box.y, box.w, box.h);
  ClampSpan(box.x, box.w);
  ClampSpan(box.y, box.h);
  return box;
}

bool FillEdges(BackBuffer& target, double left, double top, double right, double bottom,
               Rgb color) {
  if (!target.IsValid()) return false;
  // Clipped in 64 bits, so that edges far outside the buffer cannot overflow.
  const int64_t x1 = std::max<int64_t>(RoundToInt32(left), 0);
  const int64_t y1 = std::max<int64_t>(RoundToInt32(top), 0);
  const int64_t x2 = std::min<int64_t>(RoundToInt32(right), target.Width());
  const int64_t y2 = std::min<int64_t>(RoundToInt32(bottom), target.Height());
  if (x1 >= x2 || y1 >= y2) return true;
  // pixman's fill uses the widest stores the processor has; whole-window
  // fills are a large part of a full repaint.
  const uint32_t pixel = 0xFF000000u | ColorToPixel(kMasksX8R8G8B8, color);
  if (!pixman_fill(target.Pixels(), target.StridePixels(), 32, static_cast<int>(x1),
                   static_cast<int>(y1), static_cast<int>(x2 - x1), static_cast<int>(y2 - y1),
                   pixel)) {
    target.FillRect(static_cast<int32_t>(x1), static_cast<int32_t>(y1),
                    static_cast<int32_t>(x2 - x1), static_cast<int32_t>(y2 - y1), pixel);
  }
  return true;
}
