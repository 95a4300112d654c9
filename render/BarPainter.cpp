#include "render/BarPainter.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "base/Conversions.h"
#include "base/Log.h"

namespace {

// How far a whole medium reaches, in percent of the element's width: the
// Selected text width scales the position's share of the duration.
double ProgressPercent(const SkinElement& element, double duration, double position) {
  return 100 / duration * position * element.TextW[Selected] / 100;
}

// The open rows between two segments of the volume bar, as a share of a
// segment's height (at least one row).
constexpr double kSegmentGapShare = 0.05;

void LogFillProblem(const SkinElement& element) {
  WriteLog(std::string("Element_Draw problem - Blt returned ") + kNoBackBufferResult + " for " +
           element.FullName);
}

}  // namespace

BarTrack BarTrack::Of(const SkinElement& element, const ElementBox& box) {
  return BarTrack{box.x + box.w * element.TextX[Selected] / 100,
                  box.y + box.h * element.TextY[Selected] / 100,
                  box.w * element.TextW[Selected] / 100, box.h * element.TextH[Selected] / 100};
}

void DrawProgressBarA(BackBuffer& target, const SkinElement& element, const ElementBox& box,
                      double duration, double position) {
  const BarTrack track = BarTrack::Of(element, box);
  double percent = duration > 0 ? ProgressPercent(element, duration, position) : 1;
  if (!(percent >= 1)) percent = 1;  // also when the product is not a number
  const double right = std::min(track.left + box.w * percent / 100, box.x + box.w);
  if (!FillEdges(target, track.left, track.top, right, track.top + track.height,
                 element.TextColor[Selected])) {
    WriteLog(kNoBackBufferResult);
  }
}

void DrawProgressBarB(BackBuffer& target, const SkinElement& element, const ElementBox& box,
                      double duration, double position) {
  const BarTrack track = BarTrack::Of(element, box);
  double percent = duration > 0 ? ProgressPercent(element, duration, position) : 0;
  percent = std::isnan(percent) ? 0 : std::clamp(percent, 0.0, 100.0);
  const double left = RoundHalfEven(track.left);
  const double reach = std::min(track.left + box.w * percent / 100, box.x + box.w);
  const double right = std::max(RoundHalfEven(reach), left + 1);
  if (!FillEdges(target, left, track.top, right, track.top + track.height,
                 element.TextColor[Selected])) {
    LogFillProblem(element);
  }
}

void DrawVolumeBar(BackBuffer& target, const SkinElement& element, const ElementBox& box,
                   int32_t mediaVolume, Sound sound) {
  const BarTrack track = BarTrack::Of(element, box);
  const double attenuation =
      std::clamp(std::abs(static_cast<double>(mediaVolume)) / 100, 1.0, 100.0);
  double empty = track.height * attenuation / 100;
  double filled = track.height - empty;
  if (filled < 1) {
    filled = 1;
    empty -= 1;
  }
  const double barTop = track.top + empty;
  const double barBottom = barTop + filled;
  // Muted, the bar keeps its level in the skin's muted colour; a skin without
  // one shows it as it sounds.
  const bool mutedLook = sound == Sound::Muted && element.TextLines[Disabled] > 0;
  const Rgb color = mutedLook ? element.TextColor[Disabled] : element.TextColor[Selected];

  bool drawn = true;
  const int32_t segments = std::max(element.TextLines[Selected], 1);
  const double segmentHeight = track.height / segments;
  // The rows between two segments stay open, so the marks that the track's
  // picture draws there show through the bar.
  const double gap = std::max(1.0, RoundHalfEven(segmentHeight * kSegmentGapShare));
  const double gapAbove = std::floor(gap / 2);
  for (int32_t segment = 0; segment < segments; ++segment) {
    double top = track.top;
    double bottom = track.top + track.height;
    if (segment > 0) top = RoundHalfEven(track.top + segmentHeight * segment) - gapAbove + gap;
    if (segment + 1 < segments) {
      bottom = RoundHalfEven(track.top + segmentHeight * (segment + 1)) - gapAbove;
    }
    top = std::max(top, barTop);
    bottom = std::min(bottom, barBottom);
    if (top >= bottom) continue;
    drawn = FillEdges(target, track.left, top, track.left + track.width, bottom, color) && drawn;
  }
  if (!drawn) LogFillProblem(element);
}
