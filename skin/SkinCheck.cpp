#include "skin/SkinCheck.h"

#include <algorithm>
#include <deque>
#include <exception>
#include <optional>
#include <string_view>

#include "base/Conversions.h"
#include "base/Log.h"
#include "base/Text.h"
#include "skin/SkinLoader.h"
#include "skin/SkinModel.h"

namespace {

constexpr const char* kEntryNames[] = {"north", "east", "south", "west", "pressed"};
// The pointer finds elements through a hit map of one byte per pixel.
constexpr int32_t kHighestHitElement = 255;
constexpr std::string_view kRemoteWindow = "wndRemote";
constexpr std::string_view kRemoteStart = "wndRemote.cmdStartButton";
// Geometry beyond this many percent of the window is reported.
constexpr int32_t kFarPercent = 1000;
// The tallest screens made (8K) have this many rows of pixels.
constexpr int32_t kTallestScreen = 4320;

bool IsNavigation(std::string_view name) {
  for (const char* navigation : kSkinNavigations) {
    if (EqualsIgnoreCase(name, navigation)) return true;
  }
  return false;
}

// While alive, collects the log lines written meanwhile (their text after the
// time stamp), so that a problem can carry the reason a library gave.
class LogCapture {
 public:
  LogCapture()
      : mPrevious(SetLogSink([this](const std::string& line) {
          const size_t colon = line.find(": ");
          mLines.push_back(colon == std::string::npos ? line : line.substr(colon + 2));
        })) {}
  ~LogCapture() { SetLogSink(std::move(mPrevious)); }
  LogCapture(const LogCapture&) = delete;
  LogCapture& operator=(const LogCapture&) = delete;

  // The lines since the last call, joined with "; ".
  std::string Take() {
    std::string joined;
    for (const std::string& line : mLines) joined += (joined.empty() ? "" : "; ") + line;
    mLines.clear();
    return joined;
  }

 private:
  std::vector<std::string> mLines;
  LogSink mPrevious;
};

class SkinChecker {
 public:
  SkinChecker(const std::string& path, PictureLoader& pictures, const SkinCheckOptions& options)
      : mPath(path), mPictures(pictures), mOptions(options) {}
  SkinChecker(const SkinChecker&) = delete;
  SkinChecker& operator=(const SkinChecker&) = delete;

  std::vector<SkinProblem> Run() {
    std::string reason;
    if (!LoadSkinFile(mPath, mSkinFile, reason)) {
      mCapture.Take();  // the store logged the reason that the fault below names
      Fault("cannot read the skin file " + mPath + ": " + reason);
      return Finish();
    }
    const SkinIssueSink report = [this](SkinIssue issue, const std::string& message) {
      if (issue == SkinIssue::Error)
        Fault(message);
      else
        Warn(message);
    };
    CheckStrings(report);
    const std::optional<int32_t> pictureCount = ReadSkinCount(mSkinFile, "noPics", report);
    if (pictureCount) CheckPictures(*pictureCount);
    const std::optional<int32_t> elementCount = ReadSkinCount(mSkinFile, "noCtrls", report);
    if (!elementCount) return Finish();
    ReadSkinElements(mSkinFile, *elementCount, pictureCount.value_or(0), mModel.SkinElements,
                     report);
    mModel.IndexElements();
    CheckGeometry();
    CheckNames();
    CheckMoveEntries();
    CheckStartAndReach();
    CheckCommandCoverage();
    return Finish();
  }

 private:
  // Log lines that no check asked for (the store's remarks on the file) are
  // passed on as warnings.
  void WarnAboutLogLines() {
    const std::string lines = mCapture.Take();
    if (!lines.empty()) Warn(lines);
  }

  std::vector<SkinProblem> Finish() {
    WarnAboutLogLines();
    return std::move(mProblems);
  }

  void Fault(std::string message) {
    mProblems.push_back({SkinProblemSeverity::Fault, std::move(message)});
  }
  void Warn(std::string message) {
    mProblems.push_back({SkinProblemSeverity::Warning, std::move(message)});
  }

  std::string Text(const std::string& key) {
    return mSkinFile.GetValue(key, HashValue(""), false).ToText();
  }

  void CheckStrings(const SkinIssueSink& report) {
    const std::optional<int32_t> count = ReadSkinCount(mSkinFile, "noStrings", report);
    for (int32_t n = 1; n <= count.value_or(0); ++n) {
      const std::string key = "string" + std::to_string(n);
      if (!mSkinFile.KeyExists(key))
        Warn(key + " is missing");
      else if (TrimText(GetField(Text(key), 1, ";")).empty())
        Warn(key + " has no name");
    }
  }

  void CheckPictures(int32_t count) {
    for (int32_t n = 1; n <= count; ++n) {
      const std::string key = "pic" + std::to_string(n);
      const std::string file = Text(key);
      if (file.empty()) {
        Fault(key + " is empty");
        continue;
      }
      if (const std::string problem = PictureProblem(mPath, n, file); !problem.empty()) {
        Fault(key + ": " + problem);
        continue;
      }
      const std::string path = SkinPicturePath(mPath, file);
      if (!FileExists(path)) {
        Fault(key + ": file '" + file + "' not found (" + path + ")");
        continue;
      }
      WarnAboutLogLines();
      std::shared_ptr<SkinPicture> picture;
      try {
        picture = mPictures.Load(path);
      } catch (const std::exception& failure) {
        WriteLog(failure.what());
      }
      const std::string why = mCapture.Take();
      if (!picture) {
        Fault(key + ": file '" + file + "' cannot be read" + (why.empty() ? "" : ": " + why));
      } else if (!why.empty()) {
        Warn(key + ": " + why);
      }
    }
  }

  // Percentages far outside the window are no layout anyone means; drawing
  // copes with them, but the author should know.
  void CheckPercent(const std::string& key, int32_t field, double percent) {
    if (percent == -1 || (percent >= -kFarPercent && percent <= kFarPercent)) return;
    Warn(key + " field " + std::to_string(field) + " (" + FormatDecimal(percent) +
         " %) lies far outside " + std::to_string(-kFarPercent) + ".." +
         std::to_string(kFarPercent) + " %");
  }

  // A line is at least one pixel high only while the text box is tall
  // enough, even on the tallest screen.
  void CheckLineCount(const std::string& key, const SkinElement& element, int state) {
    if (element.SizeH < 0 || element.TextH[state] < 0) return;
    const double boxPercent = element.SizeH * element.TextH[state] / 100;
    const double linePixels = kTallestScreen * boxPercent / 100 / element.TextLines[state];
    if (linePixels >= 1) return;
    Warn(key + " field 10: " + std::to_string(element.TextLines[state]) +
         " lines cannot be drawn; a line would be less than a pixel high even on a screen " +
         std::to_string(kTallestScreen) + " pixels high");
  }

  void CheckGeometry() {
    for (int32_t n = 1; n <= mModel.Count(); ++n) {
      const SkinElement& e = mModel.Element(n);
      const std::string number = std::to_string(n);
      CheckPercent("ctrlPos" + number, 1, e.PosX);
      CheckPercent("ctrlPos" + number, 2, e.PosY);
      CheckPercent("ctrlSize" + number, 1, e.SizeW);
      CheckPercent("ctrlSize" + number, 2, e.SizeH);
      for (int state = 0; state < kStateCount; ++state) {
        const std::string text = std::string("ctrlText") + kStateNames[state] + number;
        const std::string pic = std::string("ctrlPic") + kStateNames[state] + number;
        const double textFields[] = {e.TextX[state], e.TextY[state], e.TextW[state],
                                     e.TextH[state]};
        const double picFields[] = {e.PicX[state], e.PicY[state], e.PicW[state], e.PicH[state]};
        for (int32_t field = 0; field < 4; ++field) {
          CheckPercent(text, field + 6, textFields[field]);
          CheckPercent(pic, field + 2, picFields[field]);
        }
        if (!e.Text[state].empty()) CheckLineCount(text, e, state);
      }
    }
  }

  void CheckNames() {
    for (int32_t n = 1; n <= mModel.Count(); ++n) {
      const SkinElement& element = mModel.Element(n);
      const int32_t first = mModel.FindElement(element.FullName);
      if (first != n) {
        Fault("elements " + std::to_string(first) + " and " + std::to_string(n) +
              " are both named " + element.FullName);
      }
    }
    if (mModel.Count() > kHighestHitElement) {
      Warn("elements " + std::to_string(kHighestHitElement + 1) + " to " +
           std::to_string(mModel.Count()) + " are never hit by the pointer (only " +
           std::to_string(kHighestHitElement) + " elements can be)");
    }
  }

  // Names the element that differs from name only in letter case, for a hint.
  std::string CaseHint(std::string_view name) const {
    for (int32_t n = 1; n <= mModel.Count(); ++n) {
      if (EqualsIgnoreCase(mModel.Element(n).FullName, name)) {
        return " (letter case matters: " + mModel.Element(n).FullName + "?)";
      }
    }
    return {};
  }

  void CheckMoveEntries() {
    for (int32_t n = 1; n <= mModel.Count(); ++n) {
      const SkinElement& element = mModel.Element(n);
      for (int entry = 0; entry < 5; ++entry) CheckMoveEntry(element, entry);
    }
  }

  void CheckMoveEntry(const SkinElement& element, int entry) {
    const std::string& target = element.Moves[entry];
    if (target.empty()) return;
    const std::string where =
        element.FullName + " " + kEntryNames[entry] + " entry '" + target + "'";
    if (target.front() == '*') {
      if (!target.starts_with("*.") || !FindCommand(std::string_view(target).substr(2))) {
        Fault(where + " names no command");
      }
      return;
    }
    if (target.starts_with("!.")) {
      if (!IsNavigation(std::string_view(target).substr(2))) {
        Fault(where + " names no navigation");
      } else if (entry != kMovePressed) {
        // A neighbour entry is only ever a focus target or a "*." command.
        Fault(where + ": a navigation works only as the pressed entry");
      } else if (EqualsIgnoreCase(target, "!.elemMovePressed")) {
        Warn(where + " runs itself again and does nothing");
      }
      return;
    }
    const int32_t number = mModel.FindElement(target);
    if (number == 0) {
      Fault(where + " names no element and no command" + CaseHint(target));
      return;
    }
    if (entry != kMovePressed) return;
    const std::string& window = mModel.Element(number).Window;
    if (EqualsIgnoreCase(window, kRemoteWindow) || EqualsIgnoreCase(window, element.Window)) {
      Warn(where +
           " names an element of its own window or of the remote panel, which does "
           "nothing when pressed");
    }
  }

  // The elements that the focus walks to from element `from`: neighbour
  // entries naming elements, and a pressed entry naming an element of another
  // window (pressing it switches there).
  std::vector<int32_t> Neighbours(int32_t from, bool directionsOnly) const {
    const SkinElement& element = mModel.Element(from);
    std::vector<int32_t> targets;
    for (int entry = 0; entry < 5; ++entry) {
      const int32_t number = mModel.FindElement(element.Moves[entry]);
      if (number == 0) continue;
      if (entry == kMovePressed) {
        const std::string& window = mModel.Element(number).Window;
        if (directionsOnly || EqualsIgnoreCase(window, element.Window) ||
            EqualsIgnoreCase(window, kRemoteWindow)) {
          continue;
        }
      }
      targets.push_back(number);
    }
    return targets;
  }

  std::vector<bool> Reach(int32_t start, bool directionsOnly) const {
    std::vector<bool> reached(static_cast<size_t>(mModel.Count()) + 1, false);
    std::deque<int32_t> pending{start};
    reached[start] = true;
    while (!pending.empty()) {
      const int32_t current = pending.front();
      pending.pop_front();
      for (const int32_t next : Neighbours(current, directionsOnly)) {
        if (reached[next]) continue;
        reached[next] = true;
        pending.push_back(next);
      }
    }
    return reached;
  }

  void CheckStartAndReach() {
    const std::string start = TrimText(Text("startCtrl"));
    if (start.empty()) {
      Fault("the skin names no start element (startCtrl)");
      return;
    }
    const int32_t startNumber = mModel.FindElement(start);
    if (startNumber == 0) {
      Fault("startCtrl '" + start + "' names no element" + CaseHint(start));
      return;
    }
    // The remote panel has a focus of its own, always opened on its start
    // button and moved by the direction keys alone.
    const int32_t remoteStart = mModel.FindElement(kRemoteStart);
    const std::vector<bool> reached = Reach(startNumber, false);
    const std::vector<bool> reachedInRemote =
        remoteStart != 0 ? Reach(remoteStart, true) : std::vector<bool>();
    for (int32_t n = 1; n <= mModel.Count(); ++n) {
      const SkinElement& element = mModel.Element(n);
      if (element.Moves[kMovePressed].empty()) continue;
      if (EqualsIgnoreCase(element.Window, kRemoteWindow)) {
        if (remoteStart != 0 && !reachedInRemote[n]) {
          Fault(element.FullName +
                " has a pressed action, but the direction keys never reach it "
                "from " +
                std::string(kRemoteStart));
        }
        continue;
      }
      if (!reached[n]) {
        Fault(element.FullName +
              " has a pressed action, but the direction keys never reach it "
              "from the start element " +
              start);
      }
    }
  }

  static bool IsKeyCommand(std::string_view command) {
    return std::find(kKeyCommands.begin(), kKeyCommands.end(), command) != kKeyCommands.end();
  }

  void CheckCommandCoverage() {
    for (std::string_view command : kCommandNames) {
      const std::string action = "*." + std::string(command);
      bool used = false;
      for (int32_t n = 1; n <= mModel.Count() && !used; ++n) {
        for (const std::string& entry : mModel.Element(n).Moves) {
          if (EqualsIgnoreCase(entry, action)) used = true;
        }
      }
      if (used) continue;
      const std::string message = "no element uses the command " + action;
      if (mOptions.commands == CommandCoverage::Required && !IsKeyCommand(command))
        Fault(message);
      else
        Warn(message);
    }
  }

  LogCapture mCapture;
  const std::string& mPath;
  PictureLoader& mPictures;
  const SkinCheckOptions& mOptions;
  clsHashFile mSkinFile;
  SkinModel mModel;
  std::vector<SkinProblem> mProblems;
};

}  // namespace

std::vector<SkinProblem> CheckSkin(const std::string& path, PictureLoader& pictures,
                                   const SkinCheckOptions& options) {
  SkinChecker checker(path, pictures, options);
  return checker.Run();
}

bool HasFault(const std::vector<SkinProblem>& problems) {
  for (const SkinProblem& problem : problems) {
    if (problem.severity == SkinProblemSeverity::Fault) return true;
  }
  return false;
}
