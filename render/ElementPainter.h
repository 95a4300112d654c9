#pragma once

// Draws one skin element into the back buffer: its background (a colour box
// or the picture of its state), its text, and for a fixed set of elements the
// contents that follow the playback state (time and state lines, progress and
// volume bars, the play list, option values); then enters it into the hit map.
// It never presents anything; its callers do.

#include <cstdint>
#include <string>

#include "render/ElementBox.h"
#include "render/RenderContext.h"

class BackBuffer;
class HitMap;
class PictureScaler;

class ElementPainter {
 public:
  // The state argument of Element_DrawBackgorund that means "the element's own".
  static constexpr int32_t kOwnState = -999;

  ElementPainter(RenderContext& context, BackBuffer& backBuffer, HitMap& hitMap,
                 PictureScaler& pictures);

  // Draws the element with its contents and, unless skipHitMap is set or its
  // name begins with "msk", fills its rectangle of the hit map with its number.
  void Element_Draw(const SkinElement& element, bool skipHitMap);

  // Draws the element's picture for the state, or a box of its BackColor when
  // the state has none (the video element: the video key colour). kOwnState
  // takes the element's own State and writes it back. A picture that cannot
  // be drawn is logged and replaced by the colour box.
  void Element_DrawBackgorund(const SkinElement& element, int32_t& state);

  // Fills the element's rectangle with its BackColor.
  void Element_Clear(const SkinElement& element);

  // The element's rectangle in pixels of the back buffer.
  ElementBox BoxOf(const SkinElement& element) const;

  // The texts that the information and option elements show.
  std::string VideoInfoText();
  std::string OSDTimeText() const;

  // The main window's caption: "Tavizo: " and the media title.
  void UpdateCaption();

 private:
  void DrawBackground(const SkinElement& element) {
    int32_t state = kOwnState;
    Element_DrawBackgorund(element, state);
  }
  void DrawText(const SkinElement& element, const std::string& text);
  void DrawToggle(const SkinElement& element, bool isOn);
  void DrawContents(const SkinElement& element, const ElementBox& box);
  bool DrawRowOfCurrentWindow(const SkinElement& element, const ElementBox& box);
  bool DrawRowOfFixedElement(const SkinElement& element, const ElementBox& box);
  void DrawColorBox(const SkinElement& element, const ElementBox& box, Rgb color);
  bool DrawPicture(const SkinElement& element, const ElementBox& box, int32_t state);
  void DrawList(const SkinElement& element, const ElementBox& box);

  RenderContext& mContext;
  BackBuffer& mBackBuffer;
  HitMap& mHitMap;
  PictureScaler& mPictures;
};
