#include "render/StatusLine.h"

#include "render/FocusState.h"
#include "render/Screen.h"
#include "render/UiTexts.h"

StatusLine::StatusLine(UiTexts& texts, const FocusState& focus, Screen& screen)
    : mTexts(texts), mFocus(focus), mScreen(screen) {}

const std::string& StatusLine::Text() const {
  return mTexts.mStatusText;
}

void StatusLine::Show(std::string_view text) {
  mTexts.mStatusText = text;
  mScreen.RedrawElement(mFocus.mCurrentWindow + ".picStatus");
}

void StatusLine::Clear() {
  mTexts.mStatusText.clear();
}
