#pragma once

// Fonts of the drawing area: a current face and size, text measuring and
// drawing onto the back buffer. Faces are found by name through fontconfig in
// platform/, and characters the face lacks come from other fonts of the
// machine; tests use a fake with fixed metrics.

#include <cstdint>
#include <string>
#include <string_view>

#include "skin/SkinElement.h"

class BackBuffer;

// How glyphs that carry their own colours (emoji) are drawn: in those colours,
// as text should look, or as solid shapes in the drawing colour, as an outline
// around the text needs.
enum class ColorGlyphs { Own, Solid };

class FontEngine {
 public:
  virtual ~FontEngine() = default;

  // Makes the named face current ("Arial", "Tahoma"); a face the machine does
  // not have is replaced by the closest one it has.
  virtual void SetFace(const std::string& faceName) = 0;
  // Sets the current size in pixels (at least 1).
  virtual void SetSize(int32_t size) = 0;
  virtual int32_t Size() const = 0;

  // Height and width in pixels of the text in the current face and size.
  virtual int32_t TextHeight(std::string_view text) = 0;
  virtual int32_t TextWidth(std::string_view text) = 0;

  // Draws the text in colour with its top-left corner at (x, y), on a
  // transparent background, clipped to the back buffer.
  virtual void DrawText(BackBuffer& target, int32_t x, int32_t y, std::string_view text, Rgb color,
                        ColorGlyphs colorGlyphs) = 0;
};
