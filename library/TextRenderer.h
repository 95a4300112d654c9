#pragma once

// Draws every text of the skin: several lines in an element's text box, one
// font size fitted to the line height, a black outline around each line,
// lines cut to the box with "...", and an optional colour prefix per line.

#include <cstdint>
#include <string>
#include <string_view>

class BackBuffer;
class FontEngine;
struct ListGeometry;
struct SkinElement;

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
  FontEngine& mFonts;
};
