#pragma once

// A modal message box with an error icon and an OK button. Tests use a fake
// that never blocks.

#include <string>

class ErrorMessageBox {
 public:
  virtual ~ErrorMessageBox() = default;
  // Shows the message and returns when the user has dismissed it. Lines of
  // the text are separated by CRLF.
  virtual void ShowError(const std::string& title, const std::string& text) = 0;
};
