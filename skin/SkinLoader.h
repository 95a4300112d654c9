#pragma once

// Builds the skin model from a skin file: the named strings, the pictures and
// the element table. The element reading is shared with tavizo-skincheck,
// which reports the same problems without stopping at the first one.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "skin/SkinElement.h"
#include "skin/SkinModel.h"
#include "skin/SkinPicture.h"
#include "store/clsHashFile.h"

// Counts (noStrings, noPics, noCtrls) above this are taken for a damaged
// file rather than reserving memory for them.
inline constexpr int32_t kMaxSkinCount = 10000;

// A notice is worth a log line but the skin stays usable ("element no. 7 is
// empty"); an error makes the skin unusable (a value that is not a number, a
// colour component outside 0..255, a picture that cannot be read).
enum class SkinIssue { Notice, Error };
using SkinIssueSink = std::function<void(SkinIssue issue, const std::string& message)>;

// Which pictures DX_LoadSkin decodes. StartWindowFirst decodes those the
// start element's window shows and leaves the others, whose headers state
// their sizes, to be decoded at their first use or when the model is asked
// to (SkinModel::DecodePicturesLeftForLater): the loader must then outlive
// the model.
enum class PictureDecoding { All, StartWindowFirst };

// Loads the skin file at path into model, replacing what it held. Returns the
// skin's startCtrl (the start element's full name; empty when the skin names
// none), "-1" when the skin file cannot be read (the model is then empty), or
// the empty text when a picture cannot be loaded (loading stops there) or a
// value of the skin is malformed. Every problem is logged: "DX_LoadSkin - ..."
// for notices, "DX_LoadSkin !ERROR! - ..." for errors.
std::string DX_LoadSkin(const std::string& path, SkinModel& model, PictureLoader& pictures,
                        PictureDecoding decoding = PictureDecoding::All);

// The skin's name: the file name after the last '/' or '\', without the part
// from its last '.'.
std::string SkinNameOf(std::string_view skinPath);

// Where a picture of the skin lies: the skin file's folder, the skin name, '/',
// and the picture name with every '\' turned into '/'.
std::string SkinPicturePath(std::string_view skinPath, std::string_view pictureName);

// What speaks against picture n of the skin, named `file` in it, before it
// is decoded: a name that leads out of the skin's picture folder ("../", or
// a path from the root) or a header that states more than kMaxPicturePixels
// pixels. Empty when nothing does.
std::string PictureProblem(std::string_view skinPath, int32_t n, std::string_view file);

// Reads the skin file into skinFile. Returns false when it cannot be read to
// its end; reason then says why (missing, or what the store reported).
bool LoadSkinFile(const std::string& path, clsHashFile& skinFile, std::string& reason);

// The count stored under key: absent or empty is 0. A value that is no whole
// number from 0 to kMaxSkinCount is reported as an error and gives nothing.
std::optional<int32_t> ReadSkinCount(clsHashFile& skinFile, std::string_view key,
                                     const SkinIssueSink& report);

// Fills elements with the header and elements 1..count read from the skin
// file (names, windows, geometry, colours, per-state texts and pictures, then
// the move entries). pictureCount bounds the picture numbers. Every malformed
// value is reported and read as 0; returns true when there was none.
bool ReadSkinElements(clsHashFile& skinFile, int32_t count, int32_t pictureCount,
                      std::vector<SkinElement>& elements, const SkinIssueSink& report);
