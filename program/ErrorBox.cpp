#include "program/ErrorBox.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "render/FontEngine.h"
#include "render/TextRenderer.h"

namespace {

constexpr int32_t kMargin = 16;
constexpr int32_t kIconSize = 32;
constexpr int32_t kIconGap = 12;
constexpr int32_t kFontSize = 15;
constexpr int32_t kMinWidth = 280;
// Wider lines end in "..." rather than make a box wider than a small screen.
constexpr int32_t kMaxWidth = 760;
constexpr int32_t kButtonMinWidth = 88;
constexpr int32_t kButtonMinHeight = 26;
constexpr int32_t kButtonBandPadding = 11;

constexpr uint32_t kMessageBackground = 0xFFFFFF;
constexpr uint32_t kButtonBand = 0xF0F0F0;
constexpr uint32_t kButtonFace = 0xE1E1E1;
constexpr uint32_t kButtonFacePressed = 0xCCE4F7;
// The default button carries the accent frame: Return presses it.
constexpr uint32_t kButtonFrame = 0x0078D7;
constexpr Rgb kTextColor{0, 0, 0};
constexpr uint32_t kIconRed = 0xD32F2F;
constexpr uint32_t kIconMark = 0xFFFFFF;

std::vector<std::string_view> SplitLines(std::string_view message) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  for (size_t at = 0; at <= message.size(); ++at) {
    if (at < message.size() && message[at] != '\r' && message[at] != '\n') continue;
    lines.push_back(message.substr(start, at - start));
    if (at + 1 < message.size() && message[at] == '\r' && message[at + 1] == '\n') ++at;
    start = at + 1;
  }
  return lines;
}

uint32_t Blend(uint32_t under, uint32_t over, double coverage) {
  auto channel = [&](int shift) {
    const double a = (under >> shift) & 0xFF;
    const double b = (over >> shift) & 0xFF;
    return static_cast<uint32_t>(std::lround(a + (b - a) * coverage)) << shift;
  };
  return channel(16) | channel(8) | channel(0);
}

// Distance from a point to the segment between two points.
double SegmentDistance(double x, double y, double x0, double y0, double x1, double y1) {
  const double dx = x1 - x0;
  const double dy = y1 - y0;
  const double along = std::clamp(((x - x0) * dx + (y - y0) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
  return std::hypot(x - (x0 + along * dx), y - (y0 + along * dy));
}

}  // namespace

ErrorBox::ErrorBox(TextRenderer& text, std::string_view message) : mText(text) {
  FontEngine& fonts = mText.Fonts();
  fonts.SetFace("");  // the machine's sans-serif face
  fonts.SetSize(kFontSize);
  const int32_t lineHeight = std::max(fonts.TextHeight("Ag"), 1);
  const int32_t textLeft = kMargin + kIconSize + kIconGap;
  const int32_t widestText = kMaxWidth - textLeft - kMargin;

  std::vector<std::string> lines;
  int32_t textWidth = 0;
  for (std::string_view line : SplitLines(message)) {
    lines.push_back(mText.EllipsizeText(widestText, line));
    textWidth = std::max(textWidth, fonts.TextWidth(lines.back()));
  }
  const int32_t textHeight = static_cast<int32_t>(lines.size()) * lineHeight;
  // A short message stands beside the middle of the icon.
  const int32_t textTop = kMargin + std::max(0, (kIconSize - textHeight) / 2);
  const int32_t messageHeight = std::max(kIconSize, textHeight) + 2 * kMargin;

  mButton.width = std::max(kButtonMinWidth, fonts.TextWidth("OK") + 24);
  mButton.height = std::max(kButtonMinHeight, lineHeight + 8);
  const int32_t width = std::clamp(textLeft + textWidth + kMargin, kMinWidth, kMaxWidth);
  const int32_t height = messageHeight + mButton.height + 2 * kButtonBandPadding;
  mButton.left = width - kMargin - mButton.width;
  mButton.top = messageHeight + kButtonBandPadding;
  if (!mPicture.Resize(width, height)) return;

  mPicture.FillRect(0, 0, width, messageHeight, kMessageBackground);
  mPicture.FillRect(0, messageHeight, width, height - messageHeight, kButtonBand);
  DrawIcon(kMargin, kMargin);
  for (size_t i = 0; i < lines.size(); ++i) {
    fonts.DrawText(mPicture, textLeft, textTop + static_cast<int32_t>(i) * lineHeight, lines[i],
                   kTextColor, ColorGlyphs::Own);
  }
  DrawButton();
}

bool ErrorBox::IsOnButton(int32_t x, int32_t y) const {
  return x >= mButton.left && x < mButton.left + mButton.width && y >= mButton.top &&
         y < mButton.top + mButton.height;
}

void ErrorBox::SetButtonPressed(bool pressed) {
  if (pressed == mButtonPressed) return;
  mButtonPressed = pressed;
  DrawButton();
}

void ErrorBox::DrawIcon(int32_t left, int32_t top) {
  // A red disc with a white cross, smoothed by sampling each pixel 4 x 4 times.
  constexpr int kSamples = 4;
  constexpr double kCentre = kIconSize / 2.0;
  constexpr double kRadius = kIconSize / 2.0 - 0.5;
  constexpr double kArm = kIconSize * 0.21;
  constexpr double kStroke = kIconSize * 0.07;
  for (int32_t y = 0; y < kIconSize; ++y) {
    for (int32_t x = 0; x < kIconSize; ++x) {
      int disc = 0;
      int mark = 0;
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          const double px = x + (sx + 0.5) / kSamples;
          const double py = y + (sy + 0.5) / kSamples;
          if (std::hypot(px - kCentre, py - kCentre) > kRadius) continue;
          ++disc;
          const double a = SegmentDistance(px, py, kCentre - kArm, kCentre - kArm, kCentre + kArm,
                                           kCentre + kArm);
          const double b = SegmentDistance(px, py, kCentre - kArm, kCentre + kArm, kCentre + kArm,
                                           kCentre - kArm);
          if (std::min(a, b) <= kStroke) ++mark;
        }
      }
      if (disc == 0) continue;
      constexpr double kAll = kSamples * kSamples;
      uint32_t pixel = Blend(mPicture.PixelAt(left + x, top + y), kIconRed, disc / kAll);
      pixel = Blend(pixel, kIconMark, mark / kAll);
      mPicture.FillRect(left + x, top + y, 1, 1, pixel);
    }
  }
}

void ErrorBox::DrawButton() {
  const PixelRect& b = mButton;
  mPicture.FillRect(b.left, b.top, b.width, b.height, kButtonFrame);
  mPicture.FillRect(b.left + 2, b.top + 2, b.width - 4, b.height - 4,
                    mButtonPressed ? kButtonFacePressed : kButtonFace);
  FontEngine& fonts = mText.Fonts();
  fonts.SetFace("");
  fonts.SetSize(kFontSize);
  const int32_t labelWidth = fonts.TextWidth("OK");
  const int32_t labelHeight = fonts.TextHeight("OK");
  fonts.DrawText(mPicture, b.left + (b.width - labelWidth) / 2,
                 b.top + (b.height - labelHeight) / 2, "OK", kTextColor, ColorGlyphs::Own);
}
