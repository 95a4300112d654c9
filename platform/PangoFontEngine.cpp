#include "platform/PangoFontEngine.h"

#include <fontconfig/fontconfig.h>
#include <hb.h>
#include <pango/pangocairo.h>
#include <pango/pangofc-font.h>
#include <pixman.h>

#include <algorithm>

#include "base/Log.h"
#include "base/Text.h"
#include "render/BackBuffer.h"

namespace {

// Laid-out lines are small and many (every candidate of an ellipsis is one);
// rendered lines are kept up to a budget that holds a few screens of text.
constexpr size_t kMaxLines = 2048;
constexpr size_t kMaxLineBytes = 4u << 20;
constexpr size_t kMaxImages = 512;
constexpr size_t kMaxImageBytes = 16u << 20;
// Baselines are remembered per face and size; the table is emptied when it
// grows past this, which only a skin with very many faces reaches.
constexpr size_t kMaxRememberedBaselines = 8192;
// Pango measures in 1/1024 pixel in 32-bit integers, so a line over about two
// million pixels cannot be measured. A line is cut to as many characters as
// fit a million pixels at its size: far more than any screen shows.
constexpr int64_t kMaxLinePixels = 1 << 20;
constexpr size_t kMinLineCharacters = 64;
// Rendered glyphs may reach a pixel past the extents Pango reports once they
// are hinted; this margin keeps their edges.
constexpr int32_t kInkMargin = 1;
constexpr Rgb kPlainGlyphColor{255, 255, 255};

struct FontDeleter {
  void operator()(PangoFont* font) const { g_object_unref(font); }
};

std::string FamilyOf(PangoFont* font) {
  PangoFontDescription* described = pango_font_describe(font);
  const char* family = pango_font_description_get_family(described);
  std::string result = family ? family : "";
  pango_font_description_free(described);
  return result;
}

std::string ColorKey(Rgb color) {
  return std::to_string(color.r) + "," + std::to_string(color.g) + "," + std::to_string(color.b);
}

// True when a line rendered in white holds a pixel that is not a shade of
// white: a glyph with its own colours.
bool HasOwnColors(const uint32_t* pixels, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    const uint32_t alpha = pixels[i] >> 24;
    if ((pixels[i] & 0xFFFFFFu) != alpha * 0x010101u) return true;
  }
  return false;
}

}  // namespace

void PangoFontEngine::ObjectDeleter::operator()(void* object) const {
  if (object) g_object_unref(object);
}

void PangoFontEngine::DescriptionDeleter::operator()(PangoFontDescription* description) const {
  if (description) pango_font_description_free(description);
}

void PangoFontEngine::ImageDeleter::operator()(pixman_image_t* image) const {
  if (image) pixman_image_unref(image);
}

PangoFontEngine::PangoFontEngine()
    : mLines(kMaxLines, kMaxLineBytes), mImages(kMaxImages, kMaxImageBytes) {}

PangoFontEngine::~PangoFontEngine() = default;

std::unique_ptr<PangoFontEngine> PangoFontEngine::Create() {
  std::unique_ptr<PangoFontEngine> engine(new PangoFontEngine());
  engine->mFontMap.reset(pango_cairo_font_map_new());
  if (!engine->mFontMap) {
    WriteLog("Pango could not open the machine's fonts");
    return nullptr;
  }
  engine->mContext.reset(pango_font_map_create_context(engine->mFontMap.get()));
  if (!engine->mContext) {
    WriteLog("Pango could not make a drawing context");
    return nullptr;
  }
  // Grey anti-aliasing, as the lines are blended in any colour; whole-pixel
  // advances keep text as crisp as the glyphs' hinting makes it.
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
  pango_cairo_context_set_font_options(engine->mContext.get(), options);
  cairo_font_options_destroy(options);
  engine->SetFace("");
  if (engine->FontFile().empty()) WriteLog("No font found on this machine: texts stay empty");
  return engine;
}

void PangoFontEngine::SetFace(const std::string& faceName) {
  std::string key = LowerText(faceName);
  if (!mFacesByName.count(key)) {
    Face face;
    face.description.reset(pango_font_description_new());
    // The name is a family rather than a description to parse, so names with
    // sizes or styles in them stay one family name.
    pango_font_description_set_family(face.description.get(),
                                      faceName.empty() ? "sans-serif" : faceName.c_str());
    pango_font_description_set_absolute_size(face.description.get(), mSize * PANGO_SCALE);
    std::unique_ptr<PangoFont, FontDeleter> font(
        pango_font_map_load_font(mFontMap.get(), mContext.get(), face.description.get()));
    const std::string family = font ? FamilyOf(font.get()) : std::string();
    if (!faceName.empty() && !EqualsIgnoreCase(family, faceName)) {
      WriteLog("Font face \"" + faceName + "\" is drawn with " + family);
    }
    if (font) {
      // The face's own units: a font at the scale of its em square.
      hb_face_t* typeface = hb_font_get_face(pango_font_get_hb_font(font.get()));
      hb_font_t* unscaled = hb_font_create(typeface);
      hb_font_extents_t extents{};
      if (hb_font_get_h_extents(unscaled, &extents)) {
        face.lineUnits = int64_t{extents.ascender} - extents.descender;
        face.unitsPerEm = std::max<int64_t>(hb_face_get_upem(typeface), 1);
      }
      hb_font_destroy(unscaled);
    }
    mFacesByName.emplace(key, std::move(face));
  }
  mFaceKey = std::move(key);
}

void PangoFontEngine::SetSize(int32_t size) {
  mSize = std::max(size, 1);
}

PangoFontDescription* PangoFontEngine::Description() {
  PangoFontDescription* description = mFacesByName.at(mFaceKey).description.get();
  pango_font_description_set_absolute_size(description, mSize * PANGO_SCALE);
  return description;
}

std::unique_ptr<PangoLayout, PangoFontEngine::ObjectDeleter> PangoFontEngine::Layout(
    std::string_view text) {
  std::string shown = IsValidUtf8(text) ? std::string(text) : DecodeFileText(text);
  const size_t maxCharacters =
      std::max<size_t>(kMinLineCharacters, static_cast<size_t>(kMaxLinePixels / mSize));
  shown.resize(FirstCodePoints(shown, maxCharacters).size());
  std::unique_ptr<PangoLayout, ObjectDeleter> layout(pango_layout_new(mContext.get()));
  // One line, whatever it holds: a line break in a name is shown, not obeyed.
  pango_layout_set_single_paragraph_mode(layout.get(), TRUE);
  pango_layout_set_font_description(layout.get(), Description());
  pango_layout_set_text(layout.get(), shown.data(), static_cast<int>(shown.size()));
  return layout;
}

int32_t PangoFontEngine::Baseline() {
  const std::string key = mFaceKey + '\x1f' + std::to_string(mSize);
  if (const auto known = mBaselines.find(key); known != mBaselines.end()) return known->second;
  const int32_t baseline = PANGO_PIXELS(pango_layout_get_baseline(Layout("X").get()));
  if (mBaselines.size() >= kMaxRememberedBaselines) mBaselines.clear();
  mBaselines.emplace(key, baseline);
  return baseline;
}

std::string PangoFontEngine::LineKey(std::string_view text) const {
  std::string key = mFaceKey;
  key += '\x1f';
  key += std::to_string(mSize);
  key += '\x1f';
  key += text;
  return key;
}

const PangoFontEngine::Line& PangoFontEngine::LineFor(std::string_view text) {
  std::string key = LineKey(text);
  if (const Line* known = mLines.Find(key)) return *known;
  const int32_t baseline = Baseline();
  Line line;
  line.layout = Layout(text);
  PangoRectangle ink;
  PangoRectangle logical;
  pango_layout_get_pixel_extents(line.layout.get(), &ink, &logical);
  line.width = logical.width;
  // Characters from taller fallback fonts lower Pango's baseline; the line is
  // raised back onto the face's own.
  line.layoutTop = baseline - PANGO_PIXELS(pango_layout_get_baseline(line.layout.get()));
  if (ink.width > 0 && ink.height > 0) {
    line.ink = PixelRect{ink.x - kInkMargin, ink.y + line.layoutTop - kInkMargin,
                         ink.width + 2 * kInkMargin, ink.height + 2 * kInkMargin};
  }
  line.unknownGlyphs = pango_layout_get_unknown_glyphs_count(line.layout.get());
  // A layout holds about a glyph record per byte of text besides its key.
  const size_t bytes = sizeof(Line) + 2 * key.size() + 256 + 16 * text.size();
  return mLines.Insert(std::move(key), std::move(line), bytes);
}

int32_t PangoFontEngine::TextHeight(std::string_view) {
  const Face& face = mFacesByName.at(mFaceKey);
  if (face.lineUnits <= 0) {
    int32_t height = 0;
    pango_layout_get_pixel_size(Layout("X").get(), nullptr, &height);
    return height;
  }
  // Ascent plus descent rounded up once: a size fitted to a line is the
  // largest whose text really fits. (Pango's line box rounds each half up.)
  return static_cast<int32_t>((face.lineUnits * mSize + face.unitsPerEm - 1) / face.unitsPerEm);
}

int32_t PangoFontEngine::TextWidth(std::string_view text) {
  if (text.empty()) return 0;
  return LineFor(text).width;
}

int32_t PangoFontEngine::UnknownGlyphs(std::string_view text) {
  if (text.empty()) return 0;
  return LineFor(text).unknownGlyphs;
}

std::string PangoFontEngine::FontFile() {
  std::unique_ptr<PangoFont, FontDeleter> font(
      pango_font_map_load_font(mFontMap.get(), mContext.get(), Description()));
  if (!font || !PANGO_IS_FC_FONT(font.get())) return {};
  FcPattern* pattern = pango_fc_font_get_pattern(PANGO_FC_FONT(font.get()));
  FcChar8* file = nullptr;
  if (!pattern || FcPatternGetString(pattern, FC_FILE, 0, &file) != FcResultMatch || !file) {
    return {};
  }
  return reinterpret_cast<const char*>(file);
}

PangoFontEngine::LineImage PangoFontEngine::Render(const Line& line, const PixelRect& visible,
                                                   Rgb color) {
  LineImage result;
  const size_t pixelCount =
      static_cast<size_t>(visible.width) * static_cast<size_t>(visible.height);
  auto argb = std::make_unique<uint32_t[]>(pixelCount);
  const int stride = visible.width * 4;
  cairo_surface_t* surface = cairo_image_surface_create_for_data(
      reinterpret_cast<unsigned char*>(argb.get()), CAIRO_FORMAT_ARGB32, visible.width,
      visible.height, stride);
  cairo_t* cairo = cairo_create(surface);
  cairo_translate(cairo, -visible.x, line.layoutTop - visible.y);
  cairo_set_source_rgb(cairo, color.r / 255.0, color.g / 255.0, color.b / 255.0);
  pango_cairo_show_layout(cairo, line.layout.get());
  const cairo_status_t status = cairo_status(cairo);
  cairo_destroy(cairo);
  cairo_surface_flush(surface);
  cairo_surface_destroy(surface);
  if (status != CAIRO_STATUS_SUCCESS) {
    WriteLog(std::string("Cairo could not draw a line of text: ") + cairo_status_to_string(status));
    return result;
  }

  result.colored = color != kPlainGlyphColor || HasOwnColors(argb.get(), pixelCount);
  if (result.colored) {
    result.bits = std::move(argb);
    result.image.reset(pixman_image_create_bits(PIXMAN_a8r8g8b8, visible.width, visible.height,
                                                result.bits.get(), stride));
    return result;
  }
  // Plain glyphs need only their coverage: a quarter of the memory.
  const int32_t coverageStride = (visible.width + 3) & ~3;  // whole 32-bit words
  result.bits = std::make_unique<uint32_t[]>(static_cast<size_t>(coverageStride / 4) *
                                             static_cast<size_t>(visible.height));
  auto* coverage = reinterpret_cast<uint8_t*>(result.bits.get());
  for (int32_t row = 0; row < visible.height; ++row) {
    const uint32_t* source = argb.get() + static_cast<size_t>(row) * visible.width;
    uint8_t* target = coverage + static_cast<size_t>(row) * coverageStride;
    for (int32_t column = 0; column < visible.width; ++column) {
      target[column] = static_cast<uint8_t>(source[column] >> 24);
    }
  }
  result.image.reset(pixman_image_create_bits(PIXMAN_a8, visible.width, visible.height,
                                              result.bits.get(), coverageStride));
  return result;
}

const PangoFontEngine::LineImage& PangoFontEngine::ImageFor(const std::string& lineKey,
                                                            const Line& line,
                                                            const PixelRect& visible, Rgb color) {
  std::string key = lineKey;
  key += '\x1e';
  key += std::to_string(visible.x) + "," + std::to_string(visible.y) + "," +
         std::to_string(visible.width) + "," + std::to_string(visible.height);
  if (color != kPlainGlyphColor) key += '\x1e' + ColorKey(color);
  if (const LineImage* known = mImages.Find(key)) return *known;
  LineImage image = Render(line, visible, color);
  const size_t pixels = static_cast<size_t>(visible.width) * static_cast<size_t>(visible.height);
  const size_t bytes = (image.colored ? pixels * 4 : pixels) + key.size();
  return mImages.Insert(std::move(key), std::move(image), bytes);
}

void PangoFontEngine::DrawText(BackBuffer& target, int32_t x, int32_t y, std::string_view text,
                               Rgb color, ColorGlyphs colorGlyphs) {
  if (text.empty() || !target.IsValid()) return;
  const std::string lineKey = LineKey(text);
  const Line& line = LineFor(text);
  if (line.ink.width <= 0) return;
  // Only the part of the line inside the back buffer is rendered.
  const int64_t inkLeft = int64_t{x} + line.ink.x;
  const int64_t inkTop = int64_t{y} + line.ink.y;
  const int64_t left = std::max<int64_t>(inkLeft, 0);
  const int64_t top = std::max<int64_t>(inkTop, 0);
  const int64_t right = std::min<int64_t>(inkLeft + line.ink.width, target.Width());
  const int64_t bottom = std::min<int64_t>(inkTop + line.ink.height, target.Height());
  if (right <= left || bottom <= top) return;
  const PixelRect visible{static_cast<int32_t>(left - x), static_cast<int32_t>(top - y),
                          static_cast<int32_t>(right - left), static_cast<int32_t>(bottom - top)};

  const LineImage& plain = ImageFor(lineKey, line, visible, kPlainGlyphColor);
  if (!plain.image) return;
  const auto destinationX = static_cast<int32_t>(left);
  const auto destinationY = static_cast<int32_t>(top);
  if (!plain.colored || colorGlyphs == ColorGlyphs::Solid) {
    const pixman_color_t solid{static_cast<uint16_t>(color.r * 257),
                               static_cast<uint16_t>(color.g * 257),
                               static_cast<uint16_t>(color.b * 257), 0xFFFF};
    std::unique_ptr<pixman_image_t, ImageDeleter> source(pixman_image_create_solid_fill(&solid));
    if (!source) return;
    pixman_image_composite32(PIXMAN_OP_OVER, source.get(), plain.image.get(), target.Image(), 0, 0,
                             0, 0, destinationX, destinationY, visible.width, visible.height);
    return;
  }
  // Colour glyphs keep their colours; the plain glyphs around them take the
  // text colour, so the line is rendered again in it.
  const LineImage& tinted =
      color == kPlainGlyphColor ? plain : ImageFor(lineKey, line, visible, color);
  if (!tinted.image) return;
  pixman_image_composite32(PIXMAN_OP_OVER, tinted.image.get(), nullptr, target.Image(), 0, 0, 0, 0,
                           destinationX, destinationY, visible.width, visible.height);
}
