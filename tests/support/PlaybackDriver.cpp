#include "support/PlaybackDriver.h"

#include <cmath>
#include <filesystem>
#include <memory>

namespace fs = std::filesystem;

namespace {

size_t CountOf(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
    ++count;
  }
  return count;
}

// The log line of a handled key, as the program writes it.
std::string KeyLine(int virtualKey) {
  return ": key." + std::to_string(virtualKey) + ".0\n";
}

}  // namespace

PlaybackDriver::PlaybackDriver(const std::vector<MediaFile>& files, const std::string& settings,
                               const std::string& keys, int windowWidth, int windowHeight) {
  mMediaFolder = mFolder.File("media") + "/";
  fs::create_directories(mMediaFolder);
  for (const MediaFile& file : files) {
    fs::copy_file(std::string(TAVIZO_TESTS_DIR) + "/fixtures/" + file.fixture,
                  mMediaFolder + file.name, fs::copy_options::overwrite_existing);
  }
  mProgram = std::make_unique<ProgramUnderTest>(mFolder.File("program"));
  mFolder.Write("program/Tavizo.ini",
                "\"gPlaylistName\",\"" + mMediaFolder + "\"\r\n\"gFormLastLeft\",0\r\n" +
                    "\"gFormLastTop\",0\r\n\"gFormLastWidth\"," + std::to_string(windowWidth) +
                    "\r\n\"gFormLastHeight\"," + std::to_string(windowHeight) + "\r\n" + settings);
  if (!keys.empty()) mFolder.Write("program/Tavizo.keys", keys);
}

bool PlaybackDriver::Start() {
  if (!mProgram->Start()) return false;
  const unsigned long window = mProgram->WaitForWindow(10000);
  if (window == 0) return false;
  // Mapped is not drawn yet: the start window has no black of its own.
  const ScreenRect client = ClientRect();
  const ScreenImage drawn = WaitForPicture(
      client.Inset(client.width / 4),
      [](const ScreenImage& image) {
        return !image.Empty() &&
               image.Share(image.Rect(), [](uint32_t pixel) { return !IsBlack(pixel); }) > 0.9;
      },
      10000);
  if (drawn.Empty()) return false;
  // Keys go to the window that has the focus.
  RunCommand("xdotool windowfocus --sync " + std::to_string(window) + " 2>/dev/null");
  return true;
}

bool PlaybackDriver::WaitForKeyCount(const std::string& line, size_t count, int timeoutMs) const {
  constexpr int kPollMs = 20;
  for (int waited = 0; waited <= timeoutMs; waited += kPollMs) {
    if (CountOf(mProgram->Log(), line) >= count) return true;
    SleepMs(kPollMs);
  }
  return false;
}

bool PlaybackDriver::PressKey(const std::string& keyName, int virtualKey) {
  const std::string line = KeyLine(virtualKey);
  const size_t before = CountOf(mProgram->Log(), line);
  RunCommand("xdotool key " + keyName + " 2>/dev/null");
  return WaitForKeyCount(line, before + 1, 5000);
}

bool PlaybackDriver::PressDown(int times) {
  for (int i = 0; i < times; ++i) {
    if (!PressKey("Down", 40)) return false;
  }
  return true;
}

bool PlaybackDriver::PlayFile(int file) {
  return PressReturn() && PressDown(file) && PressReturn();
}

std::string PlaybackDriver::Caption() {
  for (const ProgramUnderTest::WindowInfo& window : mProgram->Windows()) {
    if (window.id == mProgram->Window()) return window.title;
  }
  return {};
}

bool PlaybackDriver::WaitForCaption(const std::string& caption, int timeoutMs) {
  constexpr int kPollMs = 40;
  for (int waited = 0; waited <= timeoutMs; waited += kPollMs) {
    if (Caption() == caption) return true;
    SleepMs(kPollMs);
  }
  return false;
}

std::string PlaybackDriver::LogSince(size_t mark) const {
  const std::string log = mProgram->Log();
  return mark < log.size() ? log.substr(mark) : std::string();
}

bool PlaybackDriver::WaitForLogSince(size_t mark, const std::string& text, int timeoutMs) const {
  constexpr int kPollMs = 40;
  for (int waited = 0; waited <= timeoutMs; waited += kPollMs) {
    if (LogSince(mark).find(text) != std::string::npos) return true;
    SleepMs(kPollMs);
  }
  return false;
}

ScreenRect PlaybackDriver::ClientRect() {
  for (const ProgramUnderTest::WindowInfo& window : mProgram->Windows()) {
    if (window.id == mProgram->Window()) {
      return {window.x, window.y, window.width, window.height};
    }
  }
  return {};
}

ScreenRect PlaybackDriver::PercentRect(double posX, double posY, double sizeW, double sizeH) {
  const ScreenRect client = ClientRect();
  const double left = client.width / 100.0 * posX;
  const double top = client.height / 100.0 * posY;
  const double right = left + client.width / 100.0 * sizeW;
  const double bottom = top + client.height / 100.0 * sizeH;
  return {client.x + static_cast<int>(std::lround(left)),
          client.y + static_cast<int>(std::lround(top)),
          static_cast<int>(std::lround(right) - std::lround(left)),
          static_cast<int>(std::lround(bottom) - std::lround(top))};
}

ScreenRect PlaybackDriver::ElementRect(const std::string& fullName) {
  if (!mSkin) mSkin = std::make_unique<SkinGeometry>(mProgram->Folder() + "/skins/default.tvs");
  const SkinRect element = mSkin->Element(fullName);
  if (element.width <= 0 || element.height <= 0) return {};
  return PercentRect(element.x, element.y, element.width, element.height);
}
