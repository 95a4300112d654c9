#include "navigation/Dispatcher.h"

#include <optional>
#include <utility>

#include "base/Log.h"
#include "base/Text.h"
#include "render/FocusOwner.h"
#include "render/FocusState.h"
#include "render/Screen.h"
#include "skin/SkinModel.h"
#include "store/Settings.h"

namespace {

constexpr std::string_view kAnyWindow = "*";
constexpr std::string_view kNavigationPrefix = "!";
constexpr std::string_view kRemoteWindow = "wndRemote";

// Counts one level of DoAction for as long as it lives.
class NestingLevel {
 public:
  explicit NestingLevel(int32_t& depth) : mDepth(depth) { ++mDepth; }
  ~NestingLevel() { --mDepth; }
  NestingLevel(const NestingLevel&) = delete;
  NestingLevel& operator=(const NestingLevel&) = delete;

 private:
  int32_t& mDepth;
};

}  // namespace

Dispatcher::Dispatcher(const SkinModel& skin, FocusState& focus, FocusOwner& focusOwner,
                       const Settings& settings, NavigationStep navigationStep)
    : mSkin(skin),
      mFocus(focus),
      mFocusOwner(focusOwner),
      mSettings(settings),
      mNavigationStep(std::move(navigationStep)) {
  RegisterCommand("cmdFormMove", [this] { ToggleFormMoving(); });
}

bool Dispatcher::RegisterCommand(std::string_view name, Command command) {
  const std::optional<size_t> index = FindCommand(name);
  if (!index) {
    WriteLog("RegisterCommand: '" + std::string(name) + "' is not a command");
    return false;
  }
  mCommands[*index] = std::move(command);
  return true;
}

std::string Dispatcher::DoAction(std::string_view sourceText, std::string_view actionText) {
  if (actionText.empty() || sourceText.empty()) return {};
  const size_t dot = actionText.find('.');
  if (dot == std::string_view::npos) return {};

  if (mDepth >= kMaxNesting) {
    WriteLog("DoAction: '" + std::string(actionText) + "' for '" + std::string(sourceText) +
             "' ignored, actions nested more than " + std::to_string(kMaxNesting) + " levels deep");
    return {};
  }
  NestingLevel level(mDepth);

  // Callers pass fields that the action itself changes (the focused element,
  // an element's entries), so the dispatcher works on copies.
  const std::string source(sourceText);
  const std::string action(actionText);
  const std::string prefix = action.substr(0, dot);
  const std::string rest = action.substr(dot + 1);
  if (prefix == kNavigationPrefix) {
    if (!mNavigationStep) return {};
    return mNavigationStep(source, rest);
  }

  const bool anyWindow = prefix == kAnyWindow;
  const std::string window = anyWindow ? mFocus.mCurrentWindow : prefix;
  if (!EqualsIgnoreCase(window, kRemoteWindow) &&
      !EqualsIgnoreCase(window, mFocus.mCurrentWindow)) {
    return SwitchWindow(source, window, action);
  }
  // Only "*." actions are commands: the full name of an element of the current
  // window or of the remote panel does nothing here.
  if (anyWindow) RunCommand(rest);
  return {};
}

std::string Dispatcher::SwitchWindow(const std::string& source, const std::string& window,
                                     const std::string& action) {
  const int32_t target = mSkin.FindElement(action);
  if (target == 0) return {};

  mFocusOwner.SwitchWindow(window, target, source);
  return {};
}

void Dispatcher::RunCommand(std::string_view name) {
  const std::optional<size_t> index = FindCommand(name);
  if (!index) return;
  if (!mCommands[*index]) {
    WriteLog("DoAction: no operation is wired to *." + std::string(kCommandNames[*index]));
    return;
  }
  // Copied so that a command which registers commands cannot pull the
  // callback out from under itself.
  const Command command = mCommands[*index];
  command();
}

void Dispatcher::ToggleFormMoving() {
  if (mSettings.gIsFormFullScreen != 0) return;
  mFocus.mIsFormMoving = !mFocus.mIsFormMoving;
}
