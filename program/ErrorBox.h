#pragma once

// The picture of the fatal message: the error icon, the lines of the message
// and an OK button, drawn by the program itself into a back buffer with its
// own fonts, so it shows on any machine that runs the program at all. The
// window that shows it and its modal loop live in platform/.

#include <cstdint>
#include <string_view>

#include "base/MainWindow.h"
#include "render/BackBuffer.h"

class TextRenderer;

class ErrorBox {
 public:
  // Lays out the message (lines separated by CRLF; a lone LF or CR also
  // breaks a line) and draws the box, sized to hold it.
  ErrorBox(TextRenderer& text, std::string_view message);

  const BackBuffer& Picture() const { return mPicture; }
  // The OK button in the picture's pixels.
  const PixelRect& Button() const { return mButton; }
  bool IsOnButton(int32_t x, int32_t y) const;

  // Draws the button held down (while the pointer presses it) or raised.
  void SetButtonPressed(bool pressed);

 private:
  void DrawIcon(int32_t left, int32_t top);
  void DrawButton();

  TextRenderer& mText;
  BackBuffer mPicture;
  PixelRect mButton;
  bool mButtonPressed = false;
};
