#pragma once

// The media-playback subsystem over fakes: a scripted engine, a recording
// screen, pointer and event pump, a main window with an 800 x 600 client
// area, a small skin and a play list. Tests drive the units directly.

#include <deque>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "FakeClock.h"
#include "FakeMainWindow.h"
#include "FakeMediaEngine.h"
#include "FakeScreen.h"
#include "base/EventPump.h"
#include "base/Log.h"
#include "base/MainWindow.h"
#include "base/TimerTable.h"
#include "input/PointerVisibility.h"
#include "media/MediaPlayback.h"
#include "render/BrowseState.h"
#include "render/FocusState.h"
#include "render/OverlayState.h"
#include "render/StatusLine.h"
#include "render/UiTexts.h"
#include "store/Settings.h"
#include "support/SkinElements.h"

class RecordingPointer final : public PointerVisibility {
 public:
  bool HideMouse(bool forced) override {
    mCalls.push_back(forced ? "HideMouse forced" : "HideMouse");
    return true;
  }
  bool ShowMouse(bool forced) override {
    mCalls.push_back(forced ? "ShowMouse forced" : "ShowMouse");
    return true;
  }
  bool NeedsWatching() const override { return false; }
  std::vector<std::string> mCalls;
};

// Runs the test's hook, if any, as the pending events of a pass.
class IdlePump final : public EventPump {
 public:
  void PumpPendingEvents() override {
    if (mDuringPass) mDuringPass();
  }
  void RequestQuit() override {}
  std::function<void()> mDuringPass;
};

struct RowSpec {
  std::string text;
  int32_t kind;
  int32_t playCount = 0;
};

inline EntryList MakeList(std::initializer_list<RowSpec> rows) {
  EntryList list{ListEntry{std::to_string(rows.size()), kEntryBack, 0, {}}};
  for (const RowSpec& row : rows) list.push_back(ListEntry{row.text, row.kind, row.playCount, {}});
  return list;
}

class MediaTestRig {
 public:
  MediaTestRig() {
    focus.mCurrentWindow = "wndMain";
    BuildSkin();
    mPreviousSink = SetLogSink([this](const std::string& line) { log.push_back(line); });
  }
  ~MediaTestRig() { SetLogSink(mPreviousSink); }

  // An element of the skin; window.name gives its full name.
  SkinElement& AddElement(const std::string& window, const std::string& name, double x, double y,
                          double w, double h) {
    SkinElement& element = AppendElement(skin, window + "." + name, x, y, w, h);
    skin.IndexElements();
    return element;
  }

  // The folder being browsed, which is also the playing folder.
  void ShowFolder(const std::string& folder, const EntryList& list, double cursor = 1) {
    settings.gPlaylistName = folder;
    browse.mBrowseList = list;
    browse.mBrowseCursor = cursor;
    browse.mPlaying.Take(folder, list, cursor);
  }

  bool Logged(std::string_view text) const {
    for (const std::string& line : log) {
      if (line.find(text) != std::string::npos) return true;
    }
    return false;
  }

  FakeClock clock;
  TimerTable timers{clock};
  FakeMediaEngine engine;
  FakeScreen screen;
  RecordingPointer pointer;
  IdlePump pump;
  FakeMainWindow window;  // client area 800 x 600
  SkinModel skin;
  Settings settings;
  UiTexts texts;
  OverlayState overlay;
  BrowseState browse;
  FocusState focus;
  StatusLine status{texts, focus, screen};
  std::deque<double> randomValues;  // handed out in order; 0 when used up
  std::vector<std::string> log;

  MediaPlayback media{MediaServices{engine, screen, pointer, pump, timers, window, skin, settings,
                                    texts, status, overlay, browse, focus,
                                    [this](int32_t row) { ActivateFileRow(row); }, [](bool) {},
                                    [this] {
                                      if (randomValues.empty()) return 0.0;
                                      const double value = randomValues.front();
                                      randomValues.pop_front();
                                      return value;
                                    }}};

 private:
  // What activating a file row of the browse list does: it becomes the
  // playing row and its file opens.
  void ActivateFileRow(int32_t row) {
    browse.mPlaying.MoveTo(row);
    const bool opened =
        media.mSession.cmdOpenFile(settings.gPlaylistName + browse.mBrowseList[row].text);
    if (opened) browse.mPlaying.CountPlay();
    media.mState.mNeedsReopen = !opened;
  }

  void BuildSkin() {
    AddElement("wndMain", "picVideoWindow", 10, 10, 50, 50);
    AddElement("wndMain", "cmdVolControl", 90, 20, 5, 40);
    AddElement("wndInfo", "fsMediaInfo", 0, 80, 100, 20).Text[Idle] = "info text";
    AddElement("wndInfo", "waitPrepare", 30, 40, 40, 20).Text[Idle] = "please wait";
  }

  LogSink mPreviousSink;
};
