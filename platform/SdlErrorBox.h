#pragma once

#include "base/ErrorMessageBox.h"

class FontEngine;

// The error message in a small window of its own, drawn with the program's
// fonts onto a plain SDL window surface: it needs no dialog helper program and
// no fonts of the X server. Centred on the primary monitor, above the other
// windows of the program, and modal: ShowError runs its own event loop until
// Return, Escape, Space, a click on OK or the window's close button ends it.
class SdlErrorBox final : public ErrorMessageBox {
 public:
  explicit SdlErrorBox(FontEngine& fonts) : mFonts(fonts) {}
  void ShowError(const std::string& title, const std::string& text) override;

 private:
  FontEngine& mFonts;
};
