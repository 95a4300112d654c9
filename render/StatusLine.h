#pragma once

// The status line: the text that the current window's picStatus element
// shows. Focus moves, the list cursor, the pointer's help texts, the play and
// aspect modes and the media session all set it here, and each change is
// drawn at once.

#include <string>
#include <string_view>

class Screen;
struct FocusState;
struct UiTexts;

class StatusLine {
 public:
  // The text is kept in texts.mStatusText, where drawing reads it.
  StatusLine(UiTexts& texts, const FocusState& focus, Screen& screen);

  const std::string& Text() const;

  // Sets the text and redraws <current window>.picStatus.
  void Show(std::string_view text);

  // Empties the text without drawing: the window is drawn whole afterwards.
  void Clear();

 private:
  UiTexts& mTexts;
  const FocusState& mFocus;
  Screen& mScreen;
};
