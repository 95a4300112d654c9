#pragma once

// An element's rectangle in pixels of the picture area, kept as doubles until
// a drawing rounds its edges (halves to even), and the solid fills that all
// boxes and bars are made of.

#include <cstdint>

#include "skin/SkinElement.h"

class BackBuffer;

struct ElementBox {
  double x = 0;
  double y = 0;
  double w = 0;
  double h = 0;

  // The element's percent rectangle over an area of areaWidth x areaHeight.
  static ElementBox Of(const SkinElement& element, double areaWidth, double areaHeight);
};

// Fills the box between the edges, each rounded halves to even, clipped to
// the back buffer. False when the back buffer is not valid (nothing drawn).
bool FillEdges(BackBuffer& target, double left, double top, double right, double bottom, Rgb color);
