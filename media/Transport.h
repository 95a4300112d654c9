#pragma once

// Play, pause, stop, jump to the end, and fast forward and rewind of the open
// medium. Fast scrolling pauses the medium and lets timVideoScroll move the
// position in steps, at a signed speed that doubles with each further press
// up to 256 times real time.

#include <cstdint>
#include <functional>

class MediaEngine;
class Screen;
class UiTimer;
struct FocusState;
struct MediaSessionState;
struct Settings;

// How a move lands: Paced lets a quick series of moves land on key frames.
enum class SeekLanding { Paced, Exactly };

class Transport {
 public:
  // startFromList opens the entry at the list cursor (or the next file after
  // it); Play uses it when nothing is open or the medium must be reopened.
  // leaving runs when Stop is about to take the medium back to its start, so
  // that where it was left can be remembered.
  Transport(MediaEngine& engine, MediaSessionState& state, const Settings& settings,
            const FocusState& focus, Screen& screen, UiTimer& scrollTimer,
            std::function<void()> startFromList, std::function<void()> leaving = {});

  // Starts from the list, resumes, or pauses while playing. A medium paused
  // at its end starts again from the beginning.
  void cmdPlay();
  void cmdPause();
  // Plays the open medium again from where Play starts it (repeat single at
  // the end of the medium).
  void PlayFromStart();
  // Plays the open medium from its very start, wherever it was.
  void cmdRestart();
  // Pauses at the start; the next Play reopens the list entry at the cursor.
  void cmdStop();
  // One second before the end, only while playing.
  void cmdForceEnd();
  // Moves the open medium to the position in seconds, kept within the
  // medium; the time shown follows at once. Playing or paused stays so.
  // Exactly lands on the position even in a quick series of moves.
  void SeekTo(double seconds, SeekLanding landing = SeekLanding::Paced);
  // Starts or speeds up fast forward, or slows down rewind (back to normal
  // play from the slowest rewind).
  void cmdForward();
  // The mirror image of cmdForward.
  void cmdRewind();

  // One timVideoScroll tick: moves the position by the scroll rate. Past the
  // start playback resumes; past the end the medium stops.
  void ScrollTick();

 private:
  void StopScrolling();
  void PlayFrom(double seconds);
  void Scroll(int32_t direction);

  MediaEngine& mEngine;
  MediaSessionState& mState;
  const Settings& mSettings;
  const FocusState& mFocus;
  Screen& mScreen;
  UiTimer& mScrollTimer;
  std::function<void()> mStartFromList;
  std::function<void()> mLeaving;
};
