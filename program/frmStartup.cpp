#include "program/frmStartup.h"

#include <pixman.h>

#include "base/SplashWindow.h"
#include "render/FontEngine.h"
#include "render/TextRenderer.h"
#include "skin/SkinPicture.h"

namespace {

constexpr int kVersionMajor = 1;
constexpr int kVersionMinor = 0;
constexpr int kVersionRevision = 0;

// The splash is light, so the black version text reads well on it.
constexpr uint32_t kBackground = 0xF2F4F7;

}  // namespace

frmStartup::frmStartup(SplashWindow& window, TextRenderer& text,
                       std::shared_ptr<const SkinPicture> logo)
    : mWindow(window), mText(text), mLogo(std::move(logo)) {}

std::string frmStartup::VersionText() {
  return "Tavizo " + std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) + "." +
         std::to_string(kVersionRevision);
}

void frmStartup::Show() {
  if (mShown) return;
  if (!mWindow.Open(kSize, kSize)) return;
  mShown = true;
  Compose();
  mWindow.Present(mPicture);
}

void frmStartup::UnloadMe() {
  if (!mShown) return;
  mShown = false;
  mWindow.Close();
}

void frmStartup::Compose() {
  if (!mPicture.Resize(kSize, kSize)) return;
  mPicture.FillRect(0, 0, kSize, kSize, kBackground);

  // The logo centred across, its top at a quarter of the height it leaves free.
  const int32_t logoWidth = mLogo ? mLogo->width : 125;
  const int32_t logoHeight = mLogo ? mLogo->height : 125;
  const int32_t logoLeft = (kSize - logoWidth) / 2;
  const int32_t logoTop = (kSize - logoHeight) / 4;
  if (mLogo && mLogo->Count() > 0) {
    pixman_image_t* logo = pixman_image_create_bits(
        PIXMAN_a8r8g8b8, mLogo->width, mLogo->height, const_cast<uint32_t*>(mLogo->Data()),
        mLogo->width * static_cast<int>(sizeof(uint32_t)));
    if (logo) {
      pixman_image_composite32(PIXMAN_OP_OVER, logo, nullptr, mPicture.Image(), 0, 0, 0, 0,
                               logoLeft, logoTop, mLogo->width, mLogo->height);
      pixman_image_unref(logo);
    }
  }

  // The version text in the box below the logo, in the splash's own face.
  const int32_t textTop = logoTop + logoHeight;
  BackBuffer textBox;
  if (!textBox.Resize(kSize, kSize - textTop)) return;
  textBox.FillRect(0, 0, textBox.Width(), textBox.Height(), kBackground);
  mText.Fonts().SetFace("Tahoma");
  mText.DrawCentredText(textBox, VersionText(), -1, 5, -1, 40);
  pixman_image_composite32(PIXMAN_OP_SRC, textBox.Image(), nullptr, mPicture.Image(), 0, 0, 0, 0, 0,
                           textTop, textBox.Width(), textBox.Height());
}
