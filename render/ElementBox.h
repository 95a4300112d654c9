#pragma once

// An element's rectangle in pixels of the picture area, kept as doubles until
// a drawing rounds its edges (halves to even), and the solid fills that all
// boxes and bars are made of. Edges lie within kFarOutside of the area:
// geometry far beyond any screen stays in the range of whole pixel numbers
// that drawing works with.

#include <cstdint>

#include "skin/SkinElement.h"

class BackBuffer;

// Pixels this far beyond the picture area are never seen: a picture area is
// far smaller, so sides and offsets moved in to here draw the same.
inline constexpr double kFarOutside = 1 << 24;

// Moves the span from start to start + size into -kFarOutside..kFarOutside,
// edge by edge; a span already inside keeps its exact values, one that is not
// a number becomes empty at 0.
void ClampSpan(double& start, double& size);

struct ElementBox {
  double x = 0;
  double y = 0;
  double w = 0;
  double h = 0;

  // The element's percent rectangle over an area of areaWidth x areaHeight,
  // its spans clamped.
  static ElementBox Of(const SkinElement& element, double areaWidth, double areaHeight);
};

// Fills the box between the edges, each rounded halves to even, clipped to
// the back buffer. False when the back buffer is not valid (nothing drawn).
bool FillEdges(BackBuffer& target, double left, double top, double right, double bottom, Rgb color);
