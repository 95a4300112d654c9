#pragma once

// The real program set up to play: a media folder holding chosen fixtures
// under chosen names, settings that point the play list at it, and the keys a
// user presses to reach a row of the list and play it.

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "support/ProgramUnderTest.h"
#include "support/ScreenImage.h"
#include "support/SkinGeometry.h"
#include "support/TempFolder.h"

class PlaybackDriver {
 public:
  struct MediaFile {
    std::string fixture;  // file name in tests/fixtures
    std::string name;     // name in the media folder
  };

  // settings: extra lines for Tavizo.ini ("gPlayMode",1 and the like, CR LF
  // ended); keys: the contents of Tavizo.keys. The window is placed at the
  // top left of the screen with the given client size.
  PlaybackDriver(const std::vector<MediaFile>& files, const std::string& settings = {},
                 const std::string& keys = {}, int windowWidth = 800, int windowHeight = 600);

  ProgramUnderTest& Program() { return *mProgram; }
  const std::string& MediaFolder() const { return mMediaFolder; }

  // Starts the program and waits until the main window is mapped and drawn.
  bool Start();

  // Presses a key (an xdotool key name) and waits until the program has
  // taken it: it logs every key it handles as "key.<code>.<modifiers>".
  bool PressKey(const std::string& keyName, int virtualKey);
  bool PressReturn() { return PressKey("Return", 13); }
  bool PressDown(int times = 1);

  // From the start window: Enter on the start tile opens the player with its
  // list, then Down to the given file (1 = the first file, the row under
  // "<back>") and Enter to play it.
  bool PlayFile(int file);

  // The main window's caption, which the title element keeps as "Tavizo: " + title.
  std::string Caption();
  bool WaitForCaption(const std::string& caption, int timeoutMs);

  // The log written since the given mark (a size of the log taken earlier).
  size_t LogMark() const { return mProgram->Log().size(); }
  std::string LogSince(size_t mark) const;
  // Waits until the log since the mark holds the text.
  bool WaitForLogSince(size_t mark, const std::string& text, int timeoutMs) const;

  // The client area on the screen, and a rectangle given in percent of it.
  ScreenRect ClientRect();
  ScreenRect PercentRect(double posX, double posY, double sizeW, double sizeH);
  // Where an element of the program's skin ("wndVidMain.picVideoWindow")
  // lies on the screen; empty when the skin has no such element.
  ScreenRect ElementRect(const std::string& fullName);

  // Captures the rectangle until the predicate holds for it; the last capture.
  template <typename Predicate>
  ScreenImage WaitForPicture(const ScreenRect& rect, Predicate holds, int timeoutMs);

 private:
  bool WaitForKeyCount(const std::string& line, size_t count, int timeoutMs) const;

  TempFolder mFolder;
  std::string mMediaFolder;
  std::unique_ptr<ProgramUnderTest> mProgram;
  std::unique_ptr<SkinGeometry> mSkin;
};

template <typename Predicate>
ScreenImage PlaybackDriver::WaitForPicture(const ScreenRect& rect, Predicate holds, int timeoutMs) {
  constexpr int kPollMs = 40;
  ScreenImage image = ScreenImage::Capture(rect);
  for (int waited = 0; waited < timeoutMs && !holds(image); waited += kPollMs) {
    SleepMs(kPollMs);
    image = ScreenImage::Capture(rect);
  }
  return image;
}
