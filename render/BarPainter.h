#pragma once

// The bars drawn inside elements: progress bars A (remote panel) and B (video
// information) and the volume bar. Each is one solid fill in the element's
// Selected text colour inside the track given by its Selected text box.

#include <cstdint>

#include "render/ElementBox.h"

class BackBuffer;

// The track of an element's bars: its Selected text box, in pixels.
struct BarTrack {
  double left = 0;
  double top = 0;
  double width = 0;
  double height = 0;

  static BarTrack Of(const SkinElement& element, const ElementBox& box);
};

// Why a bar could not be drawn, for the log lines of its callers.
inline constexpr const char* kNoBackBufferResult = "no back buffer";

// Progress bars end at the element's right edge: a position beyond the
// duration would otherwise draw a piece of bar outside the element, which no
// redraw of the element removes.

// Progress bar A: grows with position / duration; one percent of the element's
// width without a duration, and never less.
void DrawProgressBarA(BackBuffer& target, const SkinElement& element, const ElementBox& box,
                      double duration, double position);

// Progress bar B: as A, but empty without a duration and never narrower than
// one pixel.
void DrawProgressBarB(BackBuffer& target, const SkinElement& element, const ElementBox& box,
                      double duration, double position);

// Whether the sound is on, for the look of the volume bar.
enum class Sound { On, Muted };

// The volume bar fills the track from the bottom: 99 % at volume 0 (the
// attenuation is taken as at least 1 dB), one pixel at -10000. A track of
// several Selected text lines is that many segments, with a few open rows
// between them where the track's picture shows its marks. Muted, the bar
// is drawn in the Disabled text colour when the skin gives a Disabled text.
void DrawVolumeBar(BackBuffer& target, const SkinElement& element, const ElementBox& box,
                   int32_t mediaVolume, Sound sound);
