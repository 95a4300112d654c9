#include "library/Browser.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <system_error>
#include <utility>

#include "base/Conversions.h"
#include "base/EventPump.h"
#include "base/Log.h"
#include "base/Text.h"
#include "render/FocusState.h"
#include "render/InfoDisplay.h"
#include "render/Screen.h"
#include "render/StatusLine.h"
#include "render/UiTexts.h"
#include "store/Settings.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kBackText = "<back>";
constexpr const char* kNotReadyText = "<empty>";
constexpr const char* kListElement = "wndVidMain.lstPlaylist";

// A name with its sort key. Sorting compares keys as plain bytes, which gives
// the order of CompareNatural without folding letters and parsing numbers in
// every one of the many comparisons a large folder needs.
struct SortedName {
  std::string key;
  std::string name;
};

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// The name in lower case, each run of digits written as "0", its length
// without leading zeros in two bytes, and those digits. A longer number then
// sorts after a shorter one, numbers of one length by their digits, and a
// number against a letter as any digit would.
std::string NaturalSortKey(std::string_view name) {
  const std::string lower = LowerText(name);
  std::string key;
  key.reserve(lower.size() + 8);
  size_t position = 0;
  while (position < lower.size()) {
    if (!IsDigit(lower[position])) {
      key += lower[position++];
      continue;
    }
    size_t end = position;
    while (end < lower.size() && IsDigit(lower[end])) ++end;
    while (end - position > 1 && lower[position] == '0') ++position;
    const size_t length = end - position;
    key += '0';
    key += static_cast<char>((length >> 8) & 0xFF);
    key += static_cast<char>(length & 0xFF);
    key.append(lower, position, length);
    position = end;
  }
  return key;
}

SortedName MakeSortedName(std::string name) {
  std::string key = NaturalSortKey(name);
  return SortedName{std::move(key), std::move(name)};
}

// Names equal but for letter case or leading zeros fall back to their bytes,
// as CompareNatural does, so the order never depends on the file system's.
bool NaturalLess(const SortedName& a, const SortedName& b) {
  if (const int order = a.key.compare(b.key); order != 0) return order < 0;
  return a.name < b.name;
}

void AppendSorted(std::vector<SortedName>& names, const char* prefix, ListEntryKind kind,
                  EntryList& list) {
  std::sort(names.begin(), names.end(), NaturalLess);
  for (SortedName& entry : names) {
    list.push_back(ListEntry{prefix + std::move(entry.name), kind, 0, {}});
  }
}

}  // namespace

Browser::Browser(const BrowserServices& services, VolumeSource volumes)
    : mServices(services), mVolumes(std::move(volumes)) {}

void Browser::ScanFolder(std::string& path, EntryList& list) const {
  list.assign(1, ListEntry{"0", kEntryBack, 0, {}});
  if (path.empty()) {
    ScanVolumes(list);
  } else {
    list.push_back(ListEntry{kBackText, kEntryBack, 0, {}});
    if (!path.ends_with('/')) path += '/';
    ScanFolderRows(path, list);
  }
  list[0].text = std::to_string(list.size() - 1);
}

void Browser::ScanVolumes(EntryList& list) const {
  if (!mVolumes) return;
  for (const MountedVolume& volume : mVolumes()) {
    const std::string& shown = volume.ready ? volume.label : std::string(kNotReadyText);
    list.push_back(ListEntry{volume.mountPath + " (" + shown + ")",
                             volume.ready ? kEntryVolumeReady : kEntryVolumeNotReady, 0,
                             volume.mountPath});
  }
}

void Browser::ScanFolderRows(const std::string& folder, EntryList& list) const {
  std::error_code error;
  fs::directory_iterator it(fs::path(folder), error);
  if (error) {
    WriteLog("ScanFolder: cannot read " + folder + ": " + error.message());
    return;
  }
  std::vector<SortedName> folders;
  std::vector<SortedName> files;
  for (; it != fs::directory_iterator(); it.increment(error)) {
    if (error) break;
    std::string name = it->path().filename().string();
    if (name.empty() || name.front() == '.') continue;
    // The kind is known from the folder listing; only symlinks need a look at
    // their target (a link to a folder counts as a folder). Links that lead
    // nowhere, devices, pipes and sockets are left out.
    std::error_code typeError;
    if (it->is_directory(typeError)) {
      folders.push_back(MakeSortedName(std::move(name)));
    } else if (!typeError && it->is_regular_file(typeError)) {
      files.push_back(MakeSortedName(std::move(name)));
    }
  }
  if (error) WriteLog("ScanFolder: reading " + folder + " stopped early: " + error.message());
  list.reserve(list.size() + folders.size() + files.size());
  AppendSorted(folders, ">", kEntryFolder, list);
  AppendSorted(files, "", kEntryFile, list);
}

void Browser::ActivateEntry(int32_t& index) {
  BrowseState& browse = mServices.browse;
  if (index == -1) index = RoundToInt32(browse.mBrowseCursor);
  if (mScanning) {
    WriteLog("ActivateEntry: row " + std::to_string(index) +
             " ignored while the list is being read");
    return;
  }
  if (index < 1 || index > UsableRowCount(browse.mBrowseList)) return;

  // Copies: a rescan replaces the list.
  const ListEntry entry = browse.mBrowseList[static_cast<size_t>(index)];
  std::string& folder = mServices.settings.gPlaylistName;
  switch (entry.kind) {
    case kEntryBack: {
      if (folder.ends_with('/')) folder.pop_back();
      const size_t slash = folder.rfind('/');
      folder = slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
      browse.mBrowseCursor = 1;
      Rescan();
      break;
    }
    case kEntryFolder:
      if (!folder.empty() && !folder.ends_with('/')) folder += '/';
      folder += std::string(DropFirstCodePoint(entry.text)) + "/";
      browse.mBrowseCursor = 1;
      Rescan();
      break;
    case kEntryVolumeReady:
      folder = entry.path.empty() ? entry.text.substr(0, entry.text.rfind(" (")) : entry.path;
      if (!folder.ends_with('/')) folder += '/';
      browse.mBrowseCursor = 1;
      Rescan();
      break;
    case kEntryVolumeNotReady:
      Rescan();  // The volume may have become ready.
      break;
    case kEntryFile:
      OpenFileRow(index);
      break;
    default:
      WriteLog("ActivateEntry: row " + std::to_string(index) + " has unknown kind " +
               std::to_string(entry.kind));
      break;
  }
  mServices.screen.RedrawElement(kListElement);
}

void Browser::OpenFileRow(int32_t index) {
  BrowseState& browse = mServices.browse;
  const std::string& folder = mServices.settings.gPlaylistName;
  const std::string path = folder + browse.mBrowseList[static_cast<size_t>(index)].text;
  browse.mPlaying.OpenFrom(folder, browse.mBrowseList, index);

  OpenOutcome outcome = OpenOutcome::Failed;
  if (mServices.openFile) {
    outcome = mServices.openFile(path);
  } else {
    WriteLog("ActivateEntry: no media session to open " + path);
  }
  // The open that took this one's place has set the playing row and its count.
  if (outcome == OpenOutcome::Overtaken) return;
  const bool opened = outcome == OpenOutcome::Opened;
  if (opened) browse.mPlaying.CountPlay();
  if (mServices.setNeedsReopen) mServices.setNeedsReopen(!opened);
}

void Browser::Rescan() {
  BrowseState& browse = mServices.browse;
  mScanning = true;
  mServices.info.ShowInfo("scanContent", "xselfx", true);
  mServices.pump.PumpPendingEvents();  // so the info is drawn before the scan
  ScanFolder(mServices.settings.gPlaylistName, browse.mBrowseList);
  mServices.info.HideInfo("scanContent");
  mScanning = false;
  // Cursor moves handled while the events ran counted rows of the old list.
  const int32_t count = EntryCount(browse.mBrowseList);
  browse.mBrowseCursor = std::clamp<double>(browse.mBrowseCursor, 1, std::max(count, 1));
}

bool Browser::MoveCursor(double delta) {
  BrowseState& browse = mServices.browse;
  const double old = browse.mBrowseCursor;
  double target = old + delta;
  if (std::isnan(target)) return false;
  const int32_t count = EntryCount(browse.mBrowseList);
  if (target >= 1) {
    if (target > count) target = count;
  } else {
    target = 1;
  }
  target = std::max(target, 1.0);  // A list without rows keeps the cursor on 1.
  if (target == old) return false;

  browse.mBrowseCursor = target;
  mServices.screen.RedrawElement(CurrentElement("lstPlaylist"));
  const int32_t row = RoundToInt32(target);
  mServices.status.Show(row <= UsableRowCount(browse.mBrowseList)
                            ? TrimText(browse.mBrowseList[static_cast<size_t>(row)].text)
                            : std::string());
  return RoundToInt32(old) != row;
}

std::string Browser::CurrentElement(std::string_view name) const {
  return mServices.focus.mCurrentWindow + "." + std::string(name);
}
