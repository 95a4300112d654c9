#include "render/ElementPainter.h"

#include <string_view>

#include "base/Conversions.h"
#include "base/Log.h"
#include "base/Text.h"
#include "render/BackBuffer.h"
#include "render/BarPainter.h"
#include "render/BrowseState.h"
#include "render/FocusState.h"
#include "render/HitMap.h"
#include "render/ListPainter.h"
#include "render/MediaDisplay.h"
#include "render/OverlayState.h"
#include "render/PictureScaler.h"
#include "render/PixelFormat.h"
#include "render/TextRenderer.h"
#include "skin/SkinModel.h"
#include "store/ModeNames.h"
#include "store/Settings.h"

namespace {

constexpr const char* kLineBreak = "\r\n";
constexpr const char* kCaptionPrefix = "Tavizo: ";

const char* YesNo(bool value) {
  return value ? "yes" : "no";
}

bool IsNamed(const SkinElement& element, std::string_view name) {
  return EqualsIgnoreCase(element.Name, name);
}

bool IsFullName(const SkinElement& element, std::string_view fullName) {
  return EqualsIgnoreCase(element.FullName, fullName);
}

}  // namespace

ElementPainter::ElementPainter(RenderContext& context, BackBuffer& backBuffer, HitMap& hitMap,
                               PictureScaler& pictures)
    : mContext(context), mBackBuffer(backBuffer), mHitMap(hitMap), mPictures(pictures) {}

ElementBox ElementPainter::BoxOf(const SkinElement& element) const {
  return ElementBox::Of(element, mBackBuffer.Width(), mBackBuffer.Height());
}

void ElementPainter::Element_Draw(const SkinElement& element, bool skipHitMap) {
  const ElementBox box = BoxOf(element);
  DrawContents(element, box);
  if (skipHitMap || StartsWithIgnoreCase(element.Name, "msk")) return;
  mHitMap.HitMap_Fill(element.Index, RoundToInt32(box.x), RoundToInt32(box.y), RoundToInt32(box.w),
                      RoundToInt32(box.h));
}

void ElementPainter::DrawContents(const SkinElement& element, const ElementBox& box) {
  // Toggle buttons show "on" with their Pressed picture, and "on and
  // focused" with their Disabled picture.
  if (IsNamed(element, "cmdPlay")) return DrawToggle(element, mContext.media.IsRunning());
  if (IsNamed(element, "cmdMute")) return DrawToggle(element, mContext.settings.gIsMediaMute == 0);
  if (IsFullName(element, "wndInfo.fsMediaInfo")) {
    DrawBackground(element);
    const std::string& note = mContext.overlay.mOSDNote;
    return DrawText(element, note.empty() ? mContext.media.MediaTitle() : note);
  }
  if (DrawRowOfCurrentWindow(element, box)) return;
  if (DrawRowOfFixedElement(element, box)) return;
  DrawBackground(element);
  DrawText(element, "XselfX");
}

void ElementPainter::DrawToggle(const SkinElement& element, bool isOn) {
  int32_t state = kOwnState;
  if (isOn) {
    const std::string& activeFocus = mContext.overlay.mIsVideoFullscreen
                                         ? mContext.overlay.mRemoteFocus
                                         : mContext.focus.mFocusElement;
    state = IsFullName(element, activeFocus) ? Disabled : Pressed;
  }
  Element_DrawBackgorund(element, state);
}

// The rows for elements of the window on screen, whatever that window is.
bool ElementPainter::DrawRowOfCurrentWindow(const SkinElement& element, const ElementBox& box) {
  const std::string& current = mContext.focus.mCurrentWindow;
  if (!EqualsIgnoreCase(element.Window, current)) return false;
  const auto isCurrent = [&](std::string_view name) {
    return IsFullName(element, current + "." + std::string(name));
  };
  MediaDisplay& media = mContext.media;
  if (isCurrent("picStatus")) {
    DrawBackground(element);
    DrawText(element, media.StatusText());
    return true;
  }
  if (isCurrent("cmdFormMove")) {
    DrawBackground(element);
    DrawText(element, media.MediaTitle());
    UpdateCaption();
    return true;
  }
  if (isCurrent("picVideoWindow")) {
    DrawBackground(element);
    media.PlaceVideo(element);
    return true;
  }
  if (isCurrent("lstPlaylist")) {
    DrawList(element, box);
    return true;
  }
  return false;
}

// The rows for elements of fixed windows (the remote panel, the video
// controls and the options).
bool ElementPainter::DrawRowOfFixedElement(const SkinElement& element, const ElementBox& box) {
  MediaDisplay& media = mContext.media;
  const Settings& settings = mContext.settings;
  if (IsFullName(element, "wndRemote.picRemoteInfo")) {
    DrawBackground(element);
    DrawText(element, media.PositionText() + kLineBreak + media.MediaStateText());
    DrawProgressBarA(mBackBuffer, element, box, media.Duration(), media.LastShownPosition());
    return true;
  }
  if (IsFullName(element, "wndVidMain.cmdVolControl")) {
    DrawBackground(element);
    DrawVolumeBar(mBackBuffer, element, box, settings.gMediaVolume,
                  settings.gIsMediaMute == 0 ? Sound::On : Sound::Muted);
    return true;
  }
  if (IsFullName(element, "wndVidMain.picVideoInfo")) {
    DrawBackground(element);
    DrawText(element, VideoInfoText());
    DrawProgressBarB(mBackBuffer, element, box, media.Duration(), media.LastShownPosition());
    return true;
  }
  std::string text;
  if (IsFullName(element, "wndOptionsMain.cmdChangeOutputAR")) {
    text = std::string("output anamorph: ") + YesNo(settings.gIsMonitorAnamorph != 0);
  } else if (IsFullName(element, "wndOptionsMain.cmdChangeAlwaysOnTop")) {
    text = std::string("always on top: ") + YesNo(settings.gAlwaysOnTop == 1);
  } else if (IsFullName(element, "wndOptionsMain.cmdChangeOSDTime")) {
    text = OSDTimeText();
  } else if (IsFullName(element, "wndOptionsMain.cmdForceVideoForeground")) {
    text = std::string("force video foreground: ") + YesNo(settings.gForceVideoForeground == 1);
  } else {
    return false;
  }
  DrawBackground(element);
  DrawText(element, text);
  return true;
}

void ElementPainter::UpdateCaption() {
  if (mContext.setCaption) mContext.setCaption(kCaptionPrefix + mContext.media.MediaTitle());
}

std::string ElementPainter::OSDTimeText() const {
  return "OSD stays for " + FormatDecimal(mContext.settings.gOSDTime / 1000.0) + " seconds";
}

std::string ElementPainter::VideoInfoText() {
  MediaDisplay& media = mContext.media;
  const Settings& settings = mContext.settings;
  std::string text = media.IsOpen() ? media.MediaTimeText() + kLineBreak + media.MediaStateText()
                                    : std::string("no media");
  if (media.HasVideo()) {
    int32_t aspectX = 0;
    int32_t aspectY = 0;
    int32_t shownWidth = 0;
    int32_t shownHeight = 0;
    if (!media.PreferredAspectRatio(aspectX, aspectY)) aspectY = 0;
    if (!media.DestinationSize(shownWidth, shownHeight)) shownHeight = 0;
    const std::string source =
        aspectY == 0 ? "(--:--)" : FormatFixed(static_cast<double>(aspectX) / aspectY, 2) + ":1";
    const std::string shown =
        shownHeight == 0
            ? " (--:--)"
            : " (" + FormatFixed(static_cast<double>(shownWidth) / shownHeight, 2) + ":1)";
    text += std::string(kLineBreak) + "aspect ratio (" + AspectModeWord(settings.gAspectRatioMode) +
            "): " + kLineBreak + source + shown + kLineBreak;
  } else {
    text += kLineBreak;
  }
  return text + "play mode: " + PlayModeName(settings.gPlayMode);
}

void ElementPainter::DrawList(const SkinElement& element, const ElementBox& box) {
  DrawBackground(element);
  ListRowFacts facts;
  facts.isFocused = IsFullName(element, mContext.focus.mFocusElement);
  facts.isRunning = mContext.media.IsRunning();
  facts.browsesPlayingFolder =
      EqualsIgnoreCase(mContext.settings.gPlaylistName, mContext.browse.mPlaying.Folder());
  DrawText(element, BuildListText(element, mContext.browse, facts));
  if (!DrawScrollBar(mBackBuffer, element, box, mContext.browse, mContext.list)) {
    WriteLog(kNoBackBufferResult);
  }
}

void ElementPainter::DrawText(const SkinElement& element, const std::string& text) {
  mContext.text.Element_DrawText(mBackBuffer, element, text, &mContext.list);
}

void ElementPainter::Element_DrawBackgorund(const SkinElement& element, int32_t& state) {
  if (state == kOwnState) state = element.State;
  const ElementBox box = BoxOf(element);
  const Rgb boxColor = IsNamed(element, "picVideoWindow") ? kVideoKeyColor : element.BackColor;
  if (state < 0 || state >= kStateCount) {
    WriteLog("Element_DrawBackgorund Error: state " + std::to_string(state) + " of " +
             element.FullName + " does not exist");
    return DrawColorBox(element, box, boxColor);
  }
  if (element.PicIndex[state] < 1 || !DrawPicture(element, box, state)) {
    DrawColorBox(element, box, boxColor);
  }
}

void ElementPainter::Element_Clear(const SkinElement& element) {
  DrawColorBox(element, BoxOf(element), element.BackColor);
}

void ElementPainter::DrawColorBox(const SkinElement& element, const ElementBox& box, Rgb color) {
  if (!FillEdges(mBackBuffer, box.x, box.y, box.x + box.w, box.y + box.h, color)) {
    WriteLog(std::string("Element_DrawBackgorund Error: ") + kNoBackBufferResult + " for " +
             element.FullName);
  }
}

// Draws the state's picture at its offset and size inside the box. False
// (with a log line) when the picture does not exist, so that the caller
// draws the colour box instead.
bool ElementPainter::DrawPicture(const SkinElement& element, const ElementBox& box, int32_t state) {
  const SkinModel& skin = mContext.skin;
  const int32_t number = element.PicIndex[state];
  const std::shared_ptr<const SkinPicture> shown = skin.Picture(number);
  if (!shown || shown->width <= 0 || shown->height <= 0) {
    WriteLog("Element_DrawBackgorund Error: picture " + std::to_string(number) + " of " +
             element.FullName + " does not exist");
    return false;
  }
  const SkinPicture& picture = *shown;
  const double pictureW = picture.width;
  const double pictureH = picture.height;
  const double picW = element.PicW[state];
  const double picH = element.PicH[state];

  double drawnW = box.w * picW / 100;
  double drawnH = box.h * picH / 100;
  if (picH != -1 && picW == -1) {
    drawnW = drawnH / pictureH * pictureW;
  } else if (picH == -1) {
    drawnH = drawnW / pictureW * pictureH;
  }
  const double picX = element.PicX[state];
  const double picY = element.PicY[state];
  double left = box.x + (picX == -1 ? (box.w - drawnW) / 2 : box.w * picX / 100);
  // The vertical offset is a share of the drawn picture's height.
  double top = box.y + (picY == -1 ? (box.h - drawnH) / 2 : drawnH * picY / 100);
  ClampSpan(left, drawnW);
  ClampSpan(top, drawnH);

  const auto edges = RoundRect(left, top, left + drawnW, top + drawnH);
  const int64_t width = int64_t{edges[2]} - edges[0];
  const int64_t height = int64_t{edges[3]} - edges[1];
  if (width > INT32_MAX || height > INT32_MAX ||
      !mPictures.DrawPicture(mBackBuffer, shown, edges[0], edges[1], static_cast<int32_t>(width),
                             static_cast<int32_t>(height))) {
    WriteLog("Element_DrawBackgorund Error: picture " + std::to_string(number) +
             " cannot be drawn for " + element.FullName);
  }
  return true;
}
