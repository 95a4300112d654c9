#pragma once

// A renderer over a skin built in code: a 200 x 100 picture area (1 % is 2
// pixels across and 1 pixel down), the fake font (text shows as solid boxes of
// its colour), the fake presenter and a media session whose answers the test
// sets. Shared by the drawing and composition tests.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/TimerTable.h"
#include "render/BrowseState.h"
#include "render/FocusState.h"
#include "render/ListGeometry.h"
#include "render/MediaDisplay.h"
#include "render/OverlayState.h"
#include "render/TextRenderer.h"
#include "render/WindowComposer.h"
#include "store/Settings.h"
#include "support/FakeClock.h"
#include "support/FakeFontEngine.h"
#include "support/FakePresenter.h"
#include "support/SkinElements.h"

// A media session whose every answer is a field.
class FakeMediaDisplay final : public MediaDisplay {
 public:
  bool IsOpen() const override { return open; }
  bool IsRunning() const override { return running; }
  bool HasVideo() const override { return hasVideo; }
  double Duration() const override { return duration; }
  double LastShownPosition() const override { return position; }
  const std::string& MediaTitle() const override { return title; }
  const std::string& StatusText() const override { return status; }
  std::string MediaTimeText() override { return open ? timeText : ""; }
  std::string MediaStateText() override { return open ? stateText : ""; }
  std::string PositionText() override { return open ? positionText : ""; }
  bool PreferredAspectRatio(int32_t& x, int32_t& y) override {
    x = aspectX;
    y = aspectY;
    return hasVideo;
  }
  bool DestinationSize(int32_t& width, int32_t& height) override {
    width = shownWidth;
    height = shownHeight;
    return hasVideo;
  }
  void PlaceVideo(const SkinElement& element) override { placed.push_back(element); }

  bool open = false;
  bool running = false;
  bool hasVideo = false;
  double duration = 0;
  double position = 0;
  std::string title = "nothing loaded";
  std::string status;
  std::string timeText;
  std::string stateText;
  std::string positionText;
  int32_t aspectX = 0;
  int32_t aspectY = 0;
  int32_t shownWidth = 0;
  int32_t shownHeight = 0;
  std::vector<SkinElement> placed;
};

inline constexpr Rgb kRed{255, 0, 0};
inline constexpr Rgb kGreen{0, 255, 0};
inline constexpr Rgb kBlue{0, 0, 255};
inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kGrey{128, 128, 128};
inline constexpr Rgb kYellow{255, 255, 0};

inline uint32_t PixelOf(Rgb color) {
  return (uint32_t{color.r} << 16) | (uint32_t{color.g} << 8) | uint32_t{color.b};
}

// A picture of one opaque colour.
inline std::shared_ptr<SkinPicture> SolidPicture(int32_t width, int32_t height, Rgb color) {
  auto picture = std::make_shared<SkinPicture>();
  picture->width = width;
  picture->height = height;
  picture->pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height),
                         0xFF000000u | PixelOf(color));
  return picture;
}

struct RenderFixture {
  RenderFixture() {
    focus.mCurrentWindow = "wndVidMain";
    settings.gOSDTime = 3000;
  }

  // Appends an element of the window at pos/size percent with a colour box.
  int32_t Add(const std::string& window, const std::string& name, double x, double y, double w,
              double h, Rgb back = kGrey) {
    SkinElement& element = AppendElement(skin, window + "." + name, x, y, w, h);
    element.BackColor = back;
    element.TextLines.fill(1);
    element.TextW.fill(100);
    element.TextH.fill(100);
    return element.Index;
  }

  int32_t AddPicture(std::shared_ptr<SkinPicture> picture) {
    skin.SkinPictureDescs.push_back(SkinPictureDesc{picture->width, picture->height});
    skin.SkinPictures.push_back(std::move(picture));
    return static_cast<int32_t>(skin.SkinPictures.size()) - 1;
  }

  // Gives every state of the element the picture, drawn at 100 % x 100 %.
  void SetPicture(int32_t element, int32_t state, int32_t picture) {
    SkinElement& e = E(element);
    e.PicIndex[state] = picture;
    e.PicW[state] = 100;
    e.PicH[state] = 100;
  }

  SkinElement& E(int32_t n) { return skin.SkinElements[static_cast<size_t>(n)]; }

  uint32_t Pixel(int32_t x, int32_t y) const { return composer.Buffer().PixelAt(x, y); }
  int32_t Hit(int32_t x, int32_t y) const { return composer.HitMap_Read(x, y); }

  // A back buffer and hit map of the area's size, cleared, without drawing.
  void PrepareBuffer() {
    double width = -1;
    double height = -1;
    composer.Backbuffer_init(width, height);
  }

  SkinModel skin;
  Settings settings;
  FocusState focus;
  BrowseState browse;
  OverlayState overlay;
  FakeMediaDisplay media;
  FakeFontEngine fonts;
  TextRenderer text{fonts};
  ListGeometry list;
  std::vector<std::string> captions;
  RenderContext context{
      skin,   settings, focus,
      browse, overlay,  media,
      text,   list,     [this](const std::string& caption) { captions.push_back(caption); }};
  FakeClock clock;
  TimerTable timers{clock};
  FakePresenter presenter;
  PictureAreaSize area{200, 100};
  std::vector<int32_t> remoteKeys;
  WindowComposer composer{context, presenter, [this] { return area; }, timers[TimerId::ShowRemote],
                          [this](int32_t key) { remoteKeys.push_back(key); }};
};
