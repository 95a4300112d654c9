#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>

#include "platform/LruCache.h"
#include "render/FontEngine.h"

typedef struct _PangoFontMap PangoFontMap;
typedef struct _PangoContext PangoContext;
typedef struct _PangoLayout PangoLayout;
typedef struct _PangoFontDescription PangoFontDescription;
typedef union pixman_image pixman_image_t;

// Fonts from the machine through Pango: a skin's face name is a font
// description that fontconfig resolves, HarfBuzz shapes each line, right-to-
// left runs are laid out right to left, and a character the face lacks is
// taken from another font of the machine that has it. Cairo renders a line,
// pixman blends it onto the back buffer. Needs no display.
//
// Laid-out lines and rendered lines are kept in small caches, because every
// line of a skin text is measured several times and drawn five times (four
// outline passes and the text), and lists redraw the same rows while
// scrolling. Only the part of a line that falls inside the back buffer is
// rendered, so a line far wider than the screen costs no more than the screen.
class PangoFontEngine final : public FontEngine {
 public:
  // Nothing (and a log line) when Pango cannot be set up.
  static std::unique_ptr<PangoFontEngine> Create();
  ~PangoFontEngine() override;
  PangoFontEngine(const PangoFontEngine&) = delete;
  PangoFontEngine& operator=(const PangoFontEngine&) = delete;

  // An unknown face is replaced by the machine's closest face, usually its
  // sans-serif face (logged once per name); an empty name means sans-serif.
  void SetFace(const std::string& faceName) override;
  void SetSize(int32_t size) override;
  int32_t Size() const override { return mSize; }

  // The line height of the current face and size, the same for every text:
  // a line whose characters come from taller fallback fonts is still drawn
  // on the face's own baseline, so lines of all scripts line up.
  int32_t TextHeight(std::string_view text) override;
  // Texts that are not valid UTF-8 are taken as Latin-1, as files are.
  int32_t TextWidth(std::string_view text) override;
  void DrawText(BackBuffer& target, int32_t x, int32_t y, std::string_view text, Rgb color,
                ColorGlyphs colorGlyphs) override;

  // The font file that draws the current face; empty when the machine has no
  // font at all.
  std::string FontFile();
  // How many characters of the text no font of the machine can draw.
  int32_t UnknownGlyphs(std::string_view text);
  // The memory held by rendered lines.
  size_t RenderedBytes() const { return mImages.Bytes(); }

 private:
  struct ObjectDeleter {
    void operator()(void* object) const;
  };
  struct DescriptionDeleter {
    void operator()(PangoFontDescription* description) const;
  };
  struct ImageDeleter {
    void operator()(pixman_image_t* image) const;
  };
  using DescriptionPointer = std::unique_ptr<PangoFontDescription, DescriptionDeleter>;

  struct PixelRect {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
  };
  // A laid-out line. Its origin is the top-left corner of the face's line
  // box; `ink` is where its glyphs may draw, relative to that origin.
  struct Line {
    std::unique_ptr<PangoLayout, ObjectDeleter> layout;
    int32_t width = 0;
    int32_t layoutTop = 0;  // where Pango's layout starts below the origin
    PixelRect ink;
    int32_t unknownGlyphs = 0;
  };
  // The rendered part of a line: coverage (a8) when all its glyphs are plain,
  // premultiplied colour (a8r8g8b8) when some carry their own colours.
  struct LineImage {
    std::unique_ptr<uint32_t[]> bits;
    std::unique_ptr<pixman_image_t, ImageDeleter> image;
    bool colored = false;
  };
  // A face as the skin names it, and the height of its line box in its own
  // units: heights at every size follow from it without loading the font at
  // that size, which fitting a size would otherwise do for each size it tries.
  struct Face {
    DescriptionPointer description;
    int64_t lineUnits = 0;  // ascent + descent; 0 when the font has none
    int64_t unitsPerEm = 1;
  };

  PangoFontEngine();

  PangoFontDescription* Description();
  std::unique_ptr<PangoLayout, ObjectDeleter> Layout(std::string_view text);
  // Where the face's baseline lies below the top of its line at the
  // current size.
  int32_t Baseline();
  // The line of text in the current face and size, laid out on first use.
  const Line& LineFor(std::string_view text);
  std::string LineKey(std::string_view text) const;
  // The part `visible` of the line rendered with plain glyphs in `color`.
  const LineImage& ImageFor(const std::string& lineKey, const Line& line, const PixelRect& visible,
                            Rgb color);
  static LineImage Render(const Line& line, const PixelRect& visible, Rgb color);

  std::unique_ptr<PangoFontMap, ObjectDeleter> mFontMap;
  std::unique_ptr<PangoContext, ObjectDeleter> mContext;
  std::unordered_map<std::string, Face> mFacesByName;
  std::string mFaceKey;
  int32_t mSize = 12;

  std::unordered_map<std::string, int32_t> mBaselines;
  LruCache<Line> mLines;
  LruCache<LineImage> mImages;
};
