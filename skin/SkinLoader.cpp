#include "skin/SkinLoader.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <exception>
#include <limits>
#include <thread>
#include <vector>

#include "base/Conversions.h"
#include "base/Log.h"
#include "skin/DeferredPictures.h"
#include "skin/PictureSize.h"
#include "store/ErrorList.h"

namespace {

std::string ReadText(clsHashFile& skinFile, const std::string& key, const char* defaultText) {
  // The default is never stored: the skin file's store stays as it was read.
  return skinFile.GetValue(key, HashValue(defaultText), false).ToText();
}

std::string Field(std::string_view value, int32_t n) {
  return TrimText(GetField(value, n, ";"));
}

std::string ReplaceAll(std::string text, std::string_view from, std::string_view to) {
  size_t position = 0;
  while ((position = text.find(from, position)) != std::string::npos) {
    text.replace(position, from.size(), to);
    position += to.size();
  }
  return text;
}

void LogIssue(SkinIssue issue, const std::string& message) {
  WriteLog((issue == SkinIssue::Error ? "DX_LoadSkin !ERROR! - " : "DX_LoadSkin - ") + message);
}

// Reads the values of one element at a time. A malformed value is reported
// with its key, field and text, read as 0, and remembered, so that all of a
// skin's problems are named in one go.
class ElementReader {
 public:
  ElementReader(clsHashFile& skinFile, int32_t pictureCount, const SkinIssueSink& report)
      : mSkinFile(skinFile), mPictureCount(pictureCount), mReport(report) {}

  bool Failed() const { return mFailed; }

  void ReadElement(int32_t i, SkinElement& element) {
    const std::string number = std::to_string(i);
    element.Index = i;
    element.Name = TrimText(ReadText(mSkinFile, "ctrlName" + number, ""));
    if (element.Name.empty()) {
      mReport(SkinIssue::Notice, "element no. " + number + " is empty");
      element.Name = "SkinElement" + number;
    }
    element.Window = TrimText(ReadText(mSkinFile, "ctrlWindow" + number, ""));
    element.FullName = element.Window + "." + element.Name;

    const std::string posKey = "ctrlPos" + number;
    const std::string pos = ReadText(mSkinFile, posKey, "0;0");
    element.PosX = Number(posKey, pos, 1);
    element.PosY = Number(posKey, pos, 2);

    const std::string sizeKey = "ctrlSize" + number;
    const std::string size = ReadText(mSkinFile, sizeKey, "100;100");
    element.SizeW = Number(sizeKey, size, 1);
    element.SizeH = Number(sizeKey, size, 2);
    CheckNotBothFree(sizeKey, element.SizeW, element.SizeH);

    element.InfoText = TrimText(ReadText(mSkinFile, "ctrlInfoText" + number, ""));

    const std::string colourKey = "ctrlBackcolor" + number;
    element.BackColor = Colour(colourKey, ReadText(mSkinFile, colourKey, "0;0;0"), 1);

    for (int state = 0; state < kStateCount; ++state) ReadStateText(number, state, element);
    for (int state = 0; state < kStateCount; ++state) ReadStatePicture(number, state, element);
    element.State = Idle;
  }

  void ReadMoves(int32_t i, SkinElement& element) {
    const std::string moves = ReadText(mSkinFile, "ctrlMove" + std::to_string(i), "");
    for (size_t entry = 0; entry < element.Moves.size(); ++entry) {
      element.Moves[entry] = Field(moves, static_cast<int32_t>(entry) + 1);
    }
  }

 private:
  void ReadStateText(const std::string& number, int state, SkinElement& element) {
    const std::string key = std::string("ctrlText") + kStateNames[state] + number;
    const std::string value = ReadText(mSkinFile, key, "");
    if (TrimText(value).empty()) return;
    // "§" stands for a line break; it is replaced after trimming so that a
    // text may end with an empty line.
    element.Text[state] = ReplaceAll(Field(value, 1), "\xC2\xA7", "\r\n");
    element.FontName[state] = Field(value, 2);
    element.TextColor[state] = Colour(key, value, 3);
    element.TextX[state] = Number(key, value, 6);
    element.TextY[state] = Number(key, value, 7);
    element.TextW[state] = HundredIfZero(Number(key, value, 8));
    element.TextH[state] = HundredIfZero(Number(key, value, 9));
    CheckNotBothFree(key, element.TextW[state], element.TextH[state]);
    element.TextLines[state] = LineCount(key, value, 10);
  }

  void ReadStatePicture(const std::string& number, int state, SkinElement& element) {
    const std::string key = std::string("ctrlPic") + kStateNames[state] + number;
    const std::string value = ReadText(mSkinFile, key, "");
    if (TrimText(value).empty()) return;
    element.PicIndex[state] = PictureNumber(key, value, 1);
    element.PicX[state] = Number(key, value, 2);
    element.PicY[state] = Number(key, value, 3);
    element.PicW[state] = HundredIfZero(Number(key, value, 4));
    element.PicH[state] = HundredIfZero(Number(key, value, 5));
    CheckNotBothFree(key, element.PicW[state], element.PicH[state]);
  }

  static double HundredIfZero(double percent) { return percent == 0 ? 100 : percent; }

  void Fail(const std::string& key, int32_t field, const char* what, const std::string& text) {
    mFailed = true;
    mReport(SkinIssue::Error,
            key + " field " + std::to_string(field) + " is not " + what + ": '" + text + "'");
  }

  double Number(const std::string& key, std::string_view value, int32_t field) {
    const std::string text = Field(value, field);
    const std::optional<double> number = TryToDouble(text);
    if (!number || !std::isfinite(*number)) {
      Fail(key, field, "a number", text);
      return 0;
    }
    return *number;
  }

  // Three fields from `first` on: red, green and blue, whole numbers 0..255.
  Rgb Colour(const std::string& key, std::string_view value, int32_t first) {
    return Rgb{Component(key, value, first), Component(key, value, first + 1),
               Component(key, value, first + 2)};
  }

  uint8_t Component(const std::string& key, std::string_view value, int32_t field) {
    const std::string text = Field(value, field);
    const std::optional<double> number = TryToDouble(text);
    if (!number || !(*number >= 0 && *number <= 255) || *number != std::floor(*number)) {
      Fail(key, field, "a colour component", text);
      return 0;
    }
    return static_cast<uint8_t>(*number);
  }

  // The number of text lines, rounded half to even; 0 is stored as 1.
  int32_t LineCount(const std::string& key, std::string_view value, int32_t field) {
    const std::string text = Field(value, field);
    const std::optional<int32_t> lines = TryToLong(text);
    if (!lines || *lines < 0) {
      Fail(key, field, "a line count", text);
      return 1;
    }
    return *lines == 0 ? 1 : *lines;
  }

  // A picture number; below 1 means no picture, above the count would index
  // past the picture table.
  int32_t PictureNumber(const std::string& key, std::string_view value, int32_t field) {
    const std::string text = Field(value, field);
    const std::optional<int32_t> picture = TryToLong(text);
    if (!picture) {
      Fail(key, field, "a number", text);
      return 0;
    }
    if (*picture > mPictureCount) {
      Fail(key, field, "a picture of the skin", text);
      return 0;
    }
    return *picture;
  }

  // A size of -1 takes its pixels from the other side, so both -1 give no size.
  void CheckNotBothFree(const std::string& key, double width, double height) {
    if (width != -1 || height != -1) return;
    mFailed = true;
    mReport(SkinIssue::Error, key + " has a width and a height of -1");
  }

  clsHashFile& mSkinFile;
  int32_t mPictureCount;
  const SkinIssueSink& mReport;
  bool mFailed = false;
};

size_t LastSeparator(std::string_view path) {
  return path.find_last_of("/\\");
}

}  // namespace

std::string SkinNameOf(std::string_view skinPath) {
  const size_t separator = LastSeparator(skinPath);
  std::string_view name =
      separator == std::string_view::npos ? skinPath : skinPath.substr(separator + 1);
  const size_t dot = name.rfind('.');
  if (dot != std::string_view::npos) name = name.substr(0, dot);
  return std::string(name);
}

std::string SkinPicturePath(std::string_view skinPath, std::string_view pictureName) {
  const size_t separator = LastSeparator(skinPath);
  std::string path(separator == std::string_view::npos ? std::string_view()
                                                       : skinPath.substr(0, separator + 1));
  path += SkinNameOf(skinPath);
  path += '/';
  for (const char c : pictureName) path += (c == '\\') ? '/' : c;
  return path;
}

namespace {

// True when the name, with "\\" taken for "/", stays inside the folder it is
// relative to: not from the root, and no ".." step above the folder.
bool StaysInsideFolder(std::string_view name) {
  std::string path(name);
  std::replace(path.begin(), path.end(), '\\', '/');
  if (path.starts_with('/')) return false;
  int depth = 0;
  size_t start = 0;
  while (start <= path.size()) {
    const size_t end = std::min(path.find('/', start), path.size());
    const std::string_view step = std::string_view(path).substr(start, end - start);
    if (step == "..") {
      if (--depth < 0) return false;
    } else if (!step.empty() && step != ".") {
      ++depth;
    }
    start = end + 1;
  }
  return true;
}

std::string TooLargeMessage(int32_t n, std::string_view file, int64_t width, int64_t height) {
  return "pic no. " + std::to_string(n) + " is too large ('" + std::string(file) + "', " +
         std::to_string(width) + " x " + std::to_string(height) + " pixels; at most " +
         std::to_string(kMaxPicturePixels) + " pixels are allowed)";
}

}  // namespace

std::string PictureProblem(std::string_view skinPath, int32_t n, std::string_view file) {
  if (!StaysInsideFolder(file)) {
    return "pic no. " + std::to_string(n) + " ('" + std::string(file) +
           "') lies outside the skin's folder";
  }
  if (file.empty()) return {};
  const std::optional<PictureSize> size = ReadPictureSize(SkinPicturePath(skinPath, file));
  if (size && size->Pixels() > kMaxPicturePixels) {
    return TooLargeMessage(n, file, size->width, size->height);
  }
  return {};
}

bool LoadSkinFile(const std::string& path, clsHashFile& skinFile, std::string& reason) {
  const int32_t errorsBefore = ErrorCount();
  if (skinFile.LoadHash(path, false) == 1) return true;
  reason = FileExists(path) ? "the file cannot be read" : "the file is missing";
  if (ErrorCount() > errorsBefore) {
    // The error list holds "<date> (<time>) - <message>"; the message says
    // what the store met (a bad token, a section name without "%", ...).
    reason = ErrorList()
                 .GetValue("Error" + std::to_string(errorsBefore + 1), HashValue(""), false)
                 .ToText();
    const size_t dash = reason.find(" - ");
    if (dash != std::string::npos) reason.erase(0, dash + 3);
  }
  return false;
}

std::optional<int32_t> ReadSkinCount(clsHashFile& skinFile, std::string_view key,
                                     const SkinIssueSink& report) {
  const std::string text = TrimText(ReadText(skinFile, std::string(key), ""));
  const std::optional<double> number = TryToDouble(text);
  if (!number || *number < 0 || *number != std::floor(*number)) {
    report(SkinIssue::Error, std::string(key) + " is not a count: '" + text + "'");
    return std::nullopt;
  }
  if (*number > kMaxSkinCount) {
    report(SkinIssue::Error, std::string(key) + " is too large: '" + text + "'");
    return std::nullopt;
  }
  return static_cast<int32_t>(*number);
}

bool ReadSkinElements(clsHashFile& skinFile, int32_t count, int32_t pictureCount,
                      std::vector<SkinElement>& elements, const SkinIssueSink& report) {
  ElementReader reader(skinFile, pictureCount, report);
  elements.assign(static_cast<size_t>(count) + 1, SkinElement{});
  elements[0].Index = count;
  for (int32_t i = 1; i <= count; ++i) reader.ReadElement(i, elements[i]);
  // The move entries come in a second pass, once every element is complete.
  for (int32_t i = 1; i <= count; ++i) reader.ReadMoves(i, elements[i]);
  return !reader.Failed();
}

namespace {

bool LoadStrings(clsHashFile& skinFile, SkinModel& model, const SkinIssueSink& report) {
  const std::optional<int32_t> count = ReadSkinCount(skinFile, "noStrings", report);
  if (!count) return false;
  for (int32_t n = 1; n <= *count; ++n) {
    // An absent entry reads as ":", which stores an empty text under ":".
    const std::string value = ReadText(skinFile, "string" + std::to_string(n), ":");
    const std::string name = Field(value, 1);
    if (name.empty()) {
      report(SkinIssue::Notice, "string no. " + std::to_string(n) + " has no name");
      continue;
    }
    model.SkinStrings.SetValue(name, Field(value, 2));
  }
  return true;
}

// Reads one picture; nothing when it cannot be read.
std::shared_ptr<SkinPicture> LoadPicture(PictureLoader& pictures, const std::string& path,
                                         const std::string& file) {
  if (file.empty()) return nullptr;
  try {
    return pictures.Load(SkinPicturePath(path, file));
  } catch (const std::exception& failure) {
    WriteLog(std::string("DX_LoadSkin - ") + failure.what());
    return nullptr;
  }
}

// What reading one picture of the skin gave.
struct PictureRead {
  bool done = false;
  std::string problem;  // why the picture is refused before or after decoding
  std::shared_ptr<SkinPicture> picture;

  bool Failed() const { return !problem.empty() || !picture; }
};

PictureRead ReadPicture(PictureLoader& pictures, const std::string& path, int32_t n,
                        const std::string& file) {
  PictureRead read;
  read.done = true;
  read.problem = PictureProblem(path, n, file);
  if (!read.problem.empty()) return read;
  read.picture = LoadPicture(pictures, path, file);
  // A format whose header is not read shows its size only once decoded.
  if (read.picture && int64_t{read.picture->width} * read.picture->height > kMaxPicturePixels) {
    read.problem = TooLargeMessage(n, file, read.picture->width, read.picture->height);
    read.picture.reset();
  }
  return read;
}

// Reads the named pictures on several threads when the loader allows it:
// decoding the pictures is much of the start-up time of a skin. Pictures are
// taken in order and none is started after one has failed, since loading
// stops at the first failure; entries not read (and those left for later)
// stay not done.
std::vector<PictureRead> ReadInParallel(PictureLoader& pictures, const std::string& path,
                                        const std::vector<std::string>& files,
                                        const std::vector<bool>& later) {
  std::vector<PictureRead> reads(files.size());
  const unsigned workers = std::min(4u, std::max(1u, std::thread::hardware_concurrency()));
  if (!pictures.IsThreadSafe() || workers < 2 || files.size() < 3) return reads;
  std::atomic<size_t> next{1};
  std::atomic<bool> failed{false};
  const auto work = [&] {
    for (size_t n = next++; n < files.size() && !failed; n = next++) {
      if (later[n]) continue;
      reads[n] = ReadPicture(pictures, path, static_cast<int32_t>(n), files[n]);
      if (reads[n].Failed()) failed = true;
    }
  };
  std::vector<std::thread> threads;
  for (unsigned i = 1; i < workers; ++i) threads.emplace_back(work);
  work();
  for (std::thread& thread : threads) thread.join();
  return reads;
}

// The pictures that the start element's window shows in any state. The
// elements are read here without a word, ahead of the pictures: they are
// read again, and their problems reported, after them. Every picture when
// the start element cannot be found, so that nothing is left for later in a
// skin that fails.
std::vector<bool> StartWindowPictures(clsHashFile& skinFile, int32_t pictureCount) {
  std::vector<bool> shown(static_cast<size_t>(pictureCount) + 1, true);
  const SkinIssueSink silent = [](SkinIssue, const std::string&) {};
  const std::optional<int32_t> elementCount = ReadSkinCount(skinFile, "noCtrls", silent);
  if (!elementCount) return shown;
  std::vector<SkinElement> elements;
  ReadSkinElements(skinFile, *elementCount, pictureCount, elements, silent);
  const std::string start = TrimText(ReadText(skinFile, "startCtrl", ""));
  const auto startElement = std::find_if(elements.begin() + 1, elements.end(),
                                         [&](const SkinElement& e) { return e.FullName == start; });
  if (start.empty() || startElement == elements.end()) return shown;
  shown.assign(shown.size(), false);
  for (size_t i = 1; i < elements.size(); ++i) {
    if (elements[i].Window != startElement->Window) continue;
    for (const int32_t picture : elements[i].PicIndex) {
      if (picture >= 1 && picture <= pictureCount) shown[picture] = true;
    }
  }
  return shown;
}

// The size a picture's header states when the picture can be left for later:
// its name stays in the skin's folder and its header gives a size that is
// allowed. A picture without one is decoded with the skin, which reports
// what is wrong with it.
std::optional<PictureSize> SizeForLater(const std::string& path, const std::string& file) {
  if (file.empty() || !StaysInsideFolder(file)) return std::nullopt;
  std::optional<PictureSize> size = ReadPictureSize(SkinPicturePath(path, file));
  if (!size || size->Pixels() > kMaxPicturePixels || size->width > INT32_MAX ||
      size->height > INT32_MAX) {
    return std::nullopt;
  }
  return size;
}

// Loads pictures 1..count, stopping at the first that cannot be loaded. With
// StartWindowFirst, those the start window does not show are decoded after it
// is drawn (see DeferredPictures), when their headers give their sizes.
bool LoadPictures(clsHashFile& skinFile, const std::string& path, int32_t count, SkinModel& model,
                  PictureLoader& pictures, PictureDecoding decoding, const SkinIssueSink& report) {
  model.SkinPictures.assign(static_cast<size_t>(count) + 1, nullptr);
  model.SkinPictureDescs.assign(static_cast<size_t>(count) + 1, SkinPictureDesc{});
  std::vector<std::string> files(static_cast<size_t>(count) + 1);
  for (int32_t n = 1; n <= count; ++n) files[n] = ReadText(skinFile, "pic" + std::to_string(n), "");
  const std::vector<bool> shown = decoding == PictureDecoding::All
                                      ? std::vector<bool>(files.size(), true)
                                      : StartWindowPictures(skinFile, count);
  std::vector<bool> later(files.size(), false);
  std::vector<std::string> laterPaths(files.size());
  for (int32_t n = 1; n <= count; ++n) {
    if (shown[n]) continue;
    const std::optional<PictureSize> size = SizeForLater(path, files[n]);
    if (!size) continue;
    later[n] = true;
    laterPaths[n] = SkinPicturePath(path, files[n]);
    model.SkinPictureDescs[n] =
        SkinPictureDesc{static_cast<int32_t>(size->width), static_cast<int32_t>(size->height)};
  }
  std::vector<PictureRead> reads = ReadInParallel(pictures, path, files, later);
  for (int32_t n = 1; n <= count; ++n) {
    if (later[n]) continue;
    const std::string& file = files[n];
    if (file.empty()) report(SkinIssue::Notice, "pic no. " + std::to_string(n) + " is empty");
    PictureRead read = reads[n].done ? std::move(reads[n]) : ReadPicture(pictures, path, n, file);
    if (!read.problem.empty()) {
      report(SkinIssue::Error, read.problem);
      return false;
    }
    if (!read.picture) {
      report(SkinIssue::Error, "file '" + file + "' of skin '" + SkinNameOf(path) + "' not found");
      return false;
    }
    model.SkinPictureDescs[n] = SkinPictureDesc{read.picture->width, read.picture->height};
    model.SkinPictures[n] = std::move(read.picture);
  }
  if (std::find(later.begin(), later.end(), true) != later.end()) {
    model.LeavePicturesForLater(std::make_shared<DeferredPictures>(pictures, laterPaths));
  }
  return true;
}

}  // namespace

std::string DX_LoadSkin(const std::string& path, SkinModel& model, PictureLoader& pictures,
                        PictureDecoding decoding) {
  model.Clear();
  clsHashFile skinFile;
  std::string reason;
  if (!LoadSkinFile(path, skinFile, reason)) {
    // The store has logged why a file that exists could not be read.
    WriteLog("skin " + path + " not found");
    return "-1";
  }
  const SkinIssueSink report = LogIssue;
  if (!LoadStrings(skinFile, model, report)) return "";
  const std::optional<int32_t> pictureCount = ReadSkinCount(skinFile, "noPics", report);
  if (!pictureCount) return "";
  if (!LoadPictures(skinFile, path, *pictureCount, model, pictures, decoding, report)) return "";
  const std::optional<int32_t> elementCount = ReadSkinCount(skinFile, "noCtrls", report);
  if (!elementCount) return "";
  const bool wellFormed =
      ReadSkinElements(skinFile, *elementCount, *pictureCount, model.SkinElements, report);
  model.IndexElements();
  if (!wellFormed) return "";
  return TrimText(ReadText(skinFile, "startCtrl", ""));
}
