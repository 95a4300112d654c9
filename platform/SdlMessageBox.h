#pragma once

#include "app/ErrorMessageBox.h"

// The error message box through SDL, modal to the main window when it exists.
class SdlMessageBox final : public ErrorMessageBox {
 public:
  void ShowError(const std::string& title, const std::string& text) override;
};
