#pragma once

// The splash window: the logo and "Tavizo 1.0.0" while the program starts.
// Shown by start-up step 2, closed by step 17 or on the fatal path once the
// message box has been dismissed.

#include <memory>
#include <string>

#include "render/BackBuffer.h"

class SplashWindow;
class TextRenderer;
struct SkinPicture;

class frmStartup {
 public:
  static constexpr int32_t kSize = 250;

  frmStartup(SplashWindow& window, TextRenderer& text, std::shared_ptr<const SkinPicture> logo);

  // The version text: "Tavizo " + major.minor.revision.
  static std::string VersionText();

  // Shows the splash and paints it at once.
  void Show();
  // Closes the splash; it is never shown again.
  void UnloadMe();

  // The picture the splash shows (for tests).
  const BackBuffer& Picture() const { return mPicture; }

 private:
  void Compose();

  SplashWindow& mWindow;
  TextRenderer& mText;
  std::shared_ptr<const SkinPicture> mLogo;
  BackBuffer mPicture;
  bool mShown = false;
};
