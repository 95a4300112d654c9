#pragma once

// Draws every text of the skin: several lines in an element's text box, one
// font size fitted to the line height, a black outline around each line,
// lines cut to the box with "...", and an optional colour prefix per line.

#include <cstdint>
#include <string>
#include <string_view>

#include "skin/SkinElement.h"

class BackBuffer;
class FontEngine;
struct ListGeometry;

class TextRenderer {
 public:
  explicit TextRenderer(FontEngine& fonts) : mFonts(fonts) {}

  FontEngine& Fonts() { return mFonts; }

  // Draws text (lines separated by CRLF; "XselfX" for the element's own text
  // of its current state) into the element's text box. Lines may begin with
  // "{fg;bg}" (RGB numbers, either may be empty). When the element is the play
  // list, the top of its first row and the row height go to listGeometry.
  void Element_DrawText(BackBuffer& area, const SkinElement& element, std::string_view text,
                        ListGeometry* listGeometry = nullptr);

  // Sets the font size so that the sample's height fits lineHeight; returns it.
  int32_t FitFontSize(double lineHeight, std::string_view sample);

  // The text cut to the width with "..." appended when it is too wide; never
  // splits a character.
  std::string EllipsizeText(double width, std::string_view text);

  // One line of black text centred on x (percent of the box; -1 the box's
  // centre), its top at y and its height h (percent of the box height).
  void DrawCentredText(BackBuffer& box, std::string_view text, double x, double y, double w,
                       double h);

 private:
  // Part of a line and where it is drawn.
  struct VisibleRun {
    std::string_view text;
    int32_t left = 0;
  };

  // The part of a line drawn from left that can reach an area areaWidth
  // wide: characters wholly beyond either edge, outline included, are left
  // out (but one on each side, for glyphs that reach past their advance), so
  // the font is never asked to draw far more than the area shows. Empty when
  // nothing reaches the area.
  VisibleRun VisiblePart(std::string_view line, int32_t left, int32_t areaWidth);

  // Draws one line in its box (cut to it with "...", or centred on it), cut
  // to what the area shows.
  void DrawLine(BackBuffer& area, std::string_view line, double boxLeft, double boxWidth,
                bool centred, int32_t top, Rgb color);

  // Draws the line with its black outline around it, then in its colour.
  void DrawOutlined(BackBuffer& area, int32_t left, int32_t top, std::string_view text, Rgb color);

  FontEngine& mFonts;
};
