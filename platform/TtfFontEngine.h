#pragma once

#include <cstddef>
#include <cstdint>
#include <list>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <unordered_map>
#include <utility>

#include "library/FontEngine.h"

typedef struct _TTF_Font TTF_Font;
typedef struct _FcConfig FcConfig;
typedef union pixman_image pixman_image_t;
struct SDL_Surface;

// Fonts from the machine: fontconfig turns a face name into a font file,
// SDL_ttf measures and renders, pixman blends the rendered line onto the back
// buffer. Needs no display.
//
// A drawn line is rendered once as an anti-aliased coverage mask and kept in a
// small cache, because every line of a skin text is drawn five times (four
// outline passes and the text) and lists redraw the same rows while scrolling.
class TtfFontEngine final : public FontEngine {
 public:
  // Nothing (and a log line) when SDL_ttf or fontconfig cannot be set up.
  static std::unique_ptr<TtfFontEngine> Create();
  ~TtfFontEngine() override;
  TtfFontEngine(const TtfFontEngine&) = delete;
  TtfFontEngine& operator=(const TtfFontEngine&) = delete;

  // An unknown face is replaced by the machine's sans-serif face (logged once
  // per name); an empty name means sans-serif.
  void SetFace(const std::string& faceName) override;
  void SetSize(int32_t size) override;
  int32_t Size() const override { return mSize; }

  // The line height of the current face and size (the same for every text).
  int32_t TextHeight(std::string_view text) override;
  int32_t TextWidth(std::string_view text) override;
  void DrawText(BackBuffer& target, int32_t x, int32_t y, std::string_view text,
                Rgb color) override;

  // The font file that draws the current face; empty when the machine has no
  // font at all.
  const std::string& FontFile() const { return mFace.file; }

 private:
  struct FaceSource {
    std::string file;
    int32_t index = 0;  // the face within a font collection
    bool operator<(const FaceSource& other) const {
      return std::tie(file, index) < std::tie(other.file, other.index);
    }
  };
  struct TtfLibrary {
    ~TtfLibrary();
  };
  struct FontDeleter {
    void operator()(TTF_Font* font) const;
  };
  struct ConfigDeleter {
    void operator()(FcConfig* config) const;
  };
  struct ImageDeleter {
    void operator()(pixman_image_t* image) const;
  };
  using FontPointer = std::unique_ptr<TTF_Font, FontDeleter>;

  struct OpenFont {
    FaceSource face;
    int32_t size = 0;
    FontPointer font;
  };
  // A rendered line: its coverage as an a8 image over its own bits.
  struct LineMask {
    std::string key;
    std::unique_ptr<uint32_t[]> bits;
    std::unique_ptr<pixman_image_t, ImageDeleter> image;
    int32_t width = 0;
    int32_t height = 0;
    size_t bytes = 0;
  };

  TtfFontEngine() = default;

  // Empty file when fontconfig finds nothing at all.
  FaceSource ResolveFace(const std::string& faceName);
  // The font of the current face and size, opened on first use; null when it
  // cannot be opened (logged once).
  TTF_Font* CurrentFont();
  // A font of the current face used only for line heights: its size is
  // changed in place, which is much cheaper than opening the file again.
  TTF_Font* MeasuringFont();
  // The mask of the text in the current face and size, rendered on first use.
  const LineMask* MaskFor(TTF_Font* font, std::string_view text);
  static void RasteriseMask(SDL_Surface& surface, LineMask& mask);
  std::string MaskKey(std::string_view text) const;

  // The library guard is the first member, so it is destroyed last, after
  // every font.
  TtfLibrary mLibrary;
  std::unique_ptr<FcConfig, ConfigDeleter> mConfig;
  std::unordered_map<std::string, FaceSource> mFacesByName;
  FaceSource mFace;
  int32_t mSize = 12;

  std::list<OpenFont> mFonts;  // most recently used first
  std::map<FaceSource, FontPointer> mMeasuringFonts;
  std::map<std::pair<FaceSource, int32_t>, int32_t> mHeights;
  std::set<std::pair<FaceSource, int32_t>> mUnopenable;  // logged already

  std::list<LineMask> mMasks;  // most recently used first
  std::unordered_map<std::string, std::list<LineMask>::iterator> mMasksByKey;
  size_t mMaskBytes = 0;
};
