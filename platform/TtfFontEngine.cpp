#include "platform/TtfFontEngine.h"

#include <SDL.h>
#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>
#include <pixman.h>

#include <algorithm>

#include "app/Log.h"
#include "app/Text.h"
#include "render/BackBuffer.h"

namespace {

// Fonts stay open for the few sizes in use at a time (list rows, titles,
// buttons); line masks are kept up to a budget that holds a few screens of text.
constexpr size_t kMaxOpenFonts = 8;
constexpr size_t kMaxMasks = 512;
constexpr size_t kMaxMaskBytes = 8u << 20;
// Line heights are remembered per face and size; the table is emptied when it
// grows past this, which only a skin with very many faces reaches.
constexpr size_t kMaxRememberedHeights = 8192;

struct PatternDeleter {
  void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using PatternPointer = std::unique_ptr<FcPattern, PatternDeleter>;

struct SurfaceDeleter {
  void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};

std::string FamilyOf(FcPattern* pattern) {
  FcChar8* family = nullptr;
  if (FcPatternGetString(pattern, FC_FAMILY, 0, &family) != FcResultMatch || !family) return {};
  return reinterpret_cast<const char*>(family);
}

}  // namespace

TtfFontEngine::TtfLibrary::~TtfLibrary() {
  TTF_Quit();
}

void TtfFontEngine::FontDeleter::operator()(TTF_Font* font) const {
  if (font) TTF_CloseFont(font);
}

void TtfFontEngine::ConfigDeleter::operator()(FcConfig* config) const {
  if (config) FcConfigDestroy(config);
}

void TtfFontEngine::ImageDeleter::operator()(pixman_image_t* image) const {
  if (image) pixman_image_unref(image);
}

std::unique_ptr<TtfFontEngine> TtfFontEngine::Create() {
  if (TTF_Init() != 0) {
    WriteLog(std::string("TTF_Init failed: ") + TTF_GetError());
    return nullptr;
  }
  // From here the engine owns the SDL_ttf reference and gives it back.
  std::unique_ptr<TtfFontEngine> engine(new TtfFontEngine());
  engine->mConfig.reset(FcInitLoadConfigAndFonts());
  if (!engine->mConfig) {
    WriteLog("Fontconfig could not load its configuration");
    return nullptr;
  }
  engine->SetFace("");
  if (engine->mFace.file.empty()) WriteLog("No font found on this machine: texts stay empty");
  return engine;
}

TtfFontEngine::~TtfFontEngine() = default;

TtfFontEngine::FaceSource TtfFontEngine::ResolveFace(const std::string& faceName) {
  PatternPointer pattern(FcPatternCreate());
  if (!pattern) return {};
  const std::string family = faceName.empty() ? std::string("sans-serif") : faceName;
  // The name is added as a family rather than parsed, so names with ":" or
  // "-" stay one family name.
  FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
  FcConfigSubstitute(mConfig.get(), pattern.get(), FcMatchPattern);
  FcDefaultSubstitute(pattern.get());
  FcResult result = FcResultNoMatch;
  PatternPointer match(FcFontMatch(mConfig.get(), pattern.get(), &result));
  if (!match) return {};
  FcChar8* file = nullptr;
  if (FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch || !file) return {};
  int index = 0;
  if (FcPatternGetInteger(match.get(), FC_INDEX, 0, &index) != FcResultMatch) index = 0;
  FaceSource source{reinterpret_cast<const char*>(file), index};
  const std::string matchedFamily = FamilyOf(match.get());
  if (!faceName.empty() && !EqualsIgnoreCase(matchedFamily, faceName)) {
    WriteLog("Font face \"" + faceName + "\" is drawn with " + matchedFamily);
  }
  return source;
}

void TtfFontEngine::SetFace(const std::string& faceName) {
  const std::string key = LowerText(faceName);
  auto found = mFacesByName.find(key);
  if (found == mFacesByName.end()) {
    found = mFacesByName.emplace(key, ResolveFace(faceName)).first;
  }
  if (found->second.file.empty()) return;  // nothing better: keep the current face
  mFace = found->second;
}

void TtfFontEngine::SetSize(int32_t size) {
  mSize = std::max(size, 1);
}

TTF_Font* TtfFontEngine::CurrentFont() {
  if (mFace.file.empty()) return nullptr;
  for (auto entry = mFonts.begin(); entry != mFonts.end(); ++entry) {
    if (entry->size != mSize || entry->face.file != mFace.file ||
        entry->face.index != mFace.index) {
      continue;
    }
    mFonts.splice(mFonts.begin(), mFonts, entry);
    return mFonts.front().font.get();
  }
  const auto id = std::make_pair(mFace, mSize);
  if (mUnopenable.count(id)) return nullptr;
  FontPointer font(TTF_OpenFontIndex(mFace.file.c_str(), mSize, mFace.index));
  if (!font) {
    WriteLog("TTF_OpenFont " + mFace.file + " at " + std::to_string(mSize) +
             " failed: " + TTF_GetError());
    mUnopenable.insert(id);
    return nullptr;
  }
  mFonts.push_front(OpenFont{mFace, mSize, std::move(font)});
  if (mFonts.size() > kMaxOpenFonts) mFonts.pop_back();
  return mFonts.front().font.get();
}

TTF_Font* TtfFontEngine::MeasuringFont() {
  if (mFace.file.empty()) return nullptr;
  auto found = mMeasuringFonts.find(mFace);
  if (found == mMeasuringFonts.end()) {
    FontPointer font(TTF_OpenFontIndex(mFace.file.c_str(), mSize, mFace.index));
    if (!font) return nullptr;
    found = mMeasuringFonts.emplace(mFace, std::move(font)).first;
  }
  if (TTF_SetFontSize(found->second.get(), mSize) != 0) return nullptr;
  return found->second.get();
}

int32_t TtfFontEngine::TextHeight(std::string_view) {
  const auto id = std::make_pair(mFace, mSize);
  if (const auto known = mHeights.find(id); known != mHeights.end()) return known->second;
  TTF_Font* font = MeasuringFont();
  if (!font) font = CurrentFont();
  if (!font) return 0;
  const int32_t height = TTF_FontHeight(font);
  if (mHeights.size() >= kMaxRememberedHeights) mHeights.clear();
  mHeights.emplace(id, height);
  return height;
}

int32_t TtfFontEngine::TextWidth(std::string_view text) {
  if (text.empty()) return 0;
  TTF_Font* font = CurrentFont();
  if (!font) return 0;
  int width = 0;
  if (TTF_SizeUTF8(font, std::string(text).c_str(), &width, nullptr) != 0) return 0;
  return width;
}

std::string TtfFontEngine::MaskKey(std::string_view text) const {
  std::string key = mFace.file;
  key += '\x1f';
  key += std::to_string(mFace.index);
  key += '\x1f';
  key += std::to_string(mSize);
  key += '\x1f';
  key += text;
  return key;
}

const TtfFontEngine::LineMask* TtfFontEngine::MaskFor(TTF_Font* font, std::string_view text) {
  std::string key = MaskKey(text);
  if (const auto found = mMasksByKey.find(key); found != mMasksByKey.end()) {
    mMasks.splice(mMasks.begin(), mMasks, found->second);
    return &mMasks.front();
  }

  LineMask mask;
  mask.key = std::move(key);
  // Rendered white, so the surface's alpha is the line's coverage. A line that
  // cannot be rendered is remembered without an image, so it is logged once.
  std::unique_ptr<SDL_Surface, SurfaceDeleter> surface(
      TTF_RenderUTF8_Blended(font, std::string(text).c_str(), SDL_Color{255, 255, 255, 255}));
  if (surface) {
    RasteriseMask(*surface, mask);
  } else {
    WriteLog(std::string("TTF_RenderUTF8_Blended failed: ") + TTF_GetError());
  }
  mMaskBytes += mask.bytes;
  mMasks.push_front(std::move(mask));
  mMasksByKey[mMasks.front().key] = mMasks.begin();
  // The newest mask always stays, even when it alone is over the budget.
  while (mMasks.size() > 1 && (mMasks.size() > kMaxMasks || mMaskBytes > kMaxMaskBytes)) {
    mMaskBytes -= mMasks.back().bytes;
    mMasksByKey.erase(mMasks.back().key);
    mMasks.pop_back();
  }
  return &mMasks.front();
}

void TtfFontEngine::RasteriseMask(SDL_Surface& surface, LineMask& mask) {
  const SDL_PixelFormat* format = surface.format;
  if (format->BytesPerPixel != 4 || format->Amask == 0 || surface.w <= 0 || surface.h <= 0) {
    WriteLog("TtfFontEngine: a rendered line has no usable alpha channel");
    return;
  }
  mask.width = surface.w;
  mask.height = surface.h;
  const int32_t stride = (mask.width + 3) & ~3;  // pixman rows are whole 32-bit words
  mask.bytes = static_cast<size_t>(stride) * static_cast<size_t>(mask.height);
  mask.bits = std::make_unique<uint32_t[]>(mask.bytes / 4);
  if (SDL_MUSTLOCK(&surface)) SDL_LockSurface(&surface);
  auto* coverage = reinterpret_cast<uint8_t*>(mask.bits.get());
  for (int32_t row = 0; row < mask.height; ++row) {
    const auto* source = reinterpret_cast<const uint32_t*>(
        static_cast<const uint8_t*>(surface.pixels) + static_cast<size_t>(row) * surface.pitch);
    uint8_t* target = coverage + static_cast<size_t>(row) * stride;
    for (int32_t column = 0; column < mask.width; ++column) {
      target[column] = static_cast<uint8_t>((source[column] & format->Amask) >> format->Ashift);
    }
  }
  if (SDL_MUSTLOCK(&surface)) SDL_UnlockSurface(&surface);
  mask.image.reset(
      pixman_image_create_bits(PIXMAN_a8, mask.width, mask.height, mask.bits.get(), stride));
}

void TtfFontEngine::DrawText(BackBuffer& target, int32_t x, int32_t y, std::string_view text,
                             Rgb color) {
  if (text.empty() || !target.IsValid()) return;
  TTF_Font* font = CurrentFont();
  if (!font) return;
  const LineMask* mask = MaskFor(font, text);
  if (!mask->image) return;
  const pixman_color_t solid{static_cast<uint16_t>(color.r * 257),
                             static_cast<uint16_t>(color.g * 257),
                             static_cast<uint16_t>(color.b * 257), 0xFFFF};
  std::unique_ptr<pixman_image_t, ImageDeleter> source(pixman_image_create_solid_fill(&solid));
  if (!source) return;
  // pixman clips the composite to the back buffer.
  pixman_image_composite32(PIXMAN_OP_OVER, source.get(), mask->image.get(), target.Image(), 0, 0, 0,
                           0, x, y, mask->width, mask->height);
}
