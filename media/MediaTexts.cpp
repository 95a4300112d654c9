#include "media/MediaTexts.h"

#include <cstdint>
#include <cstdlib>

#include "base/Conversions.h"
#include "media/MediaEngine.h"
#include "media/MediaSessionState.h"

namespace {

void AppendTwoDigits(std::string& text, int32_t value) {
  if (value < 10) text += '0';
  text += std::to_string(value);
}

}  // namespace

std::string FormatMediaTime(double seconds) {
  int32_t total = RoundToInt32(seconds);
  if (total < 0) total = 0;
  std::string text;
  AppendTwoDigits(text, total / 3600);
  text += ':';
  AppendTwoDigits(text, total % 3600 / 60);
  text += ':';
  AppendTwoDigits(text, total % 60);
  return text;
}

MediaTexts::MediaTexts(MediaEngine& engine, const MediaSessionState& state)
    : mEngine(engine), mState(state) {}

std::string MediaTexts::GetMediaTimeStr() {
  if (!mEngine.IsOpen()) return {};
  return FormatMediaTime(mEngine.CurrentPosition()) + " (" + FormatMediaTime(mEngine.Duration()) +
         ")";
}

std::string MediaTexts::GetMediaStateStr() {
  if (!mEngine.IsOpen()) return {};
  const double position = mEngine.CurrentPosition();
  if (mState.mIsScrolling && mState.mScrollRate < 1) {
    return "(Rewind x" + std::to_string(std::abs(int64_t{mState.mScrollRate})) + ")";
  }
  if (mState.mIsScrolling) return "(Forward x" + std::to_string(mState.mScrollRate) + ")";
  if (mState.mIsRunning) return "(Play)";
  if (position != 0) return "(Pause)";
  return "(Stop)";
}

std::string MediaTexts::GetPositionStr() {
  if (!mEngine.IsOpen()) return {};
  return FormatMediaTime(mEngine.CurrentPosition());
}
