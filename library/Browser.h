#pragma once

// The file-system browser behind the play list: reads a folder or the volume
// list into a list of rows, moves the list cursor, and acts on a row: go back
// up, enter a folder or volume, or open a file (which makes the browsed folder
// the playing list when another folder was playing).

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "base/OpenOutcome.h"
#include "library/VolumeList.h"
#include "render/BrowseState.h"

class EventPump;
class InfoDisplay;
class Screen;
class StatusLine;
struct FocusState;
struct Settings;

// What the browser reads and changes; owned by the main window.
struct BrowserServices {
  Settings& settings;       // gPlaylistName: the folder browsed, "" for the volume list
  BrowseState& browse;      // browse list and cursor, and the playing list
  StatusLine& status;       // follows the cursor row
  const FocusState& focus;  // mCurrentWindow names the window whose list is redrawn
  Screen& screen;
  InfoDisplay& info;  // "scanContent" is shown while a folder is read
  EventPump& pump;    // lets the info be drawn before the scan
  // Opens a file (full path) and starts playback: the media session's
  // OpenMedium. Without it a file row fails to open, with a log line.
  std::function<OpenOutcome(const std::string& path)> openFile;
  // Sets or clears the media session's mNeedsReopen.
  std::function<void(bool needsReopen)> setNeedsReopen;
};

class Browser {
 public:
  // Lists the mounted volumes; ReadVolumeList on a real machine.
  using VolumeSource = std::function<std::vector<MountedVolume>()>;
  explicit Browser(const BrowserServices& services, VolumeSource volumes = ReadVolumeList);

  // Rebuilds list from the volume list (empty path) or from the folder path,
  // appending "/" to path when missing. A folder lists "<back>", its folders
  // (">" + name) and then its files, each group in natural name order, hidden
  // entries left out. A folder that cannot be read lists only "<back>" (and is
  // logged). Never throws and never descends into sub-folders.
  void ScanFolder(std::string& path, EntryList& list) const;

  // Acts on row index of the browse list; -1 means the cursor row, and index
  // is replaced by that row. A row outside the list changes nothing. Back,
  // folder and volume rows change the folder, put the cursor on row 1 and
  // rescan; a not-ready volume rescans the volume list. A file row becomes
  // the playing row: the browse list is copied into the playing list when
  // another folder was playing (or this folder's rows have changed since,
  // keeping the play counts of the files still there), the file is opened,
  // its play count raised on success and mNeedsReopen cleared, or set on
  // failure (an open overtaken by another one changes neither). The list is
  // redrawn afterwards. Calls made while a rescan lets
  // pending events run are ignored: the list they saw is about to be replaced.
  void ActivateEntry(int32_t& index);
  // The same for a row given as a value, such as -1 or 1.
  void ActivateEntry(int32_t&& index) { ActivateEntry(index); }

  // Moves the cursor by delta rows, stopping at the first and the last row.
  // When it moved, the list and the status line (now the cursor row's text)
  // are redrawn. Returns true when the rounded cursor row changed.
  bool MoveCursor(double delta);

 private:
  void ScanVolumes(EntryList& list) const;
  void ScanFolderRows(const std::string& folder, EntryList& list) const;
  void OpenFileRow(int32_t index);
  void Rescan();
  std::string CurrentElement(std::string_view name) const;

  BrowserServices mServices;
  VolumeSource mVolumes;
  bool mScanning = false;
};
