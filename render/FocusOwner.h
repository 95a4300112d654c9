#pragma once

// The owner of the input focus. Exactly one element of the interface has it
// and is drawn Selected; every change of focus goes through here, so the
// element that loses it is drawn Idle again and the focus always names an
// element of the skin. (The remote panel over full-screen video keeps a focus
// of its own in the overlay state.)

#include <cstdint>
#include <string>

class Screen;
class SkinModel;
class StatusLine;
struct FocusState;

class FocusOwner {
 public:
  // What a move within the window shows besides the two elements redrawn.
  enum class HelpText { Keep, Show };

  // The fields of state change only here; every reference outlives the focus.
  FocusOwner(FocusState& state, SkinModel& skin, Screen& screen, StatusLine& status);

  // Gives the focus to element (a number of the skin) when the program
  // starts: its window becomes the current window, window move and resize
  // modes are off, the status line is empty. Nothing is drawn; the window is
  // drawn whole when it is shown.
  void Start(int32_t element);

  // Gives the focus to target, an element of the current window, coming from
  // `from` (remembered as the element focused before) in direction (a
  // kDirection* code). The element focused and the one that lost the focus
  // are redrawn; with HelpText::Show the status line then shows the focused
  // element's help text. Moving to the element that has the focus redraws it
  // and changes nothing else.
  void MoveTo(int32_t target, const std::string& from, int32_t direction, HelpText help);

  // Makes window the current window with the focus on target, coming from
  // `from`, and draws the window whole.
  void SwitchWindow(const std::string& window, int32_t target, const std::string& from);

 private:
  // The focus-change steps: the fields, the element left drawn Idle, target
  // drawn Selected. Returns the element that lost the focus (0 when none had
  // it), or -1 when target had it already.
  int32_t Give(int32_t target, const std::string& from, int32_t direction);

  FocusState& mState;
  SkinModel& mSkin;
  Screen& mScreen;
  StatusLine& mStatus;
};
