#pragma once

// The action dispatcher. Every input ends as an action text handed to DoAction
// together with the element it acts for:
//   "!." + navigation name   a focus move, run by the focus navigator's step;
//   "*." + command name      a command of the table below, run on whatever
//                            window is current;
//   window.element           the full name of an element of another skin
//                            window: switch to that window and focus it.
// Prefixes, window names and command names compare ignoring letter case; the
// element look-up of a window switch is exact.
//
// The commands are the names of skin/SkinCommands.h, operations of other
// subsystems. The composition root registers one callback per command name; a
// command without a callback does nothing but log that it is not wired. "cmdFormMove" (window-move
// mode) is the dispatcher's own and is registered from the start.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "skin/SkinCommands.h"

struct FocusState;
struct Settings;
class FocusOwner;
class SkinModel;

class Dispatcher {
 public:
  using Command = std::function<void()>;

  // The focus navigator's step: the source element's full name and the
  // navigation name after "!."; returns the new focus element's full name or
  // empty text.
  using NavigationStep =
      std::function<std::string(const std::string& source, const std::string& name)>;

  // DoAction calls itself for pressed entries and "*"-neighbours. A skin can
  // make that endless (an element whose pressed entry is "!.elemMovePressed"),
  // so calls nested deeper than this are ignored with a log line.
  static constexpr int32_t kMaxNesting = 8;

  // Reads gIsFormFullScreen from settings (it blocks window-move mode);
  // window switches move the focus through focusOwner; "!." actions run
  // navigationStep (the focus navigator's; empty: they do nothing).
  Dispatcher(const SkinModel& skin, FocusState& focus, FocusOwner& focusOwner,
             const Settings& settings, NavigationStep navigationStep);

  // Makes command run for "*." + name. The name is one of kCommandNames (any
  // letter case); any other name is a wiring mistake: it is logged, nothing is
  // registered and the result is false. A later registration replaces an
  // earlier one, "cmdFormMove" included.
  bool RegisterCommand(std::string_view name, Command command);

  // Runs action on behalf of source (a full element name). Returns the new
  // focus element's full name for navigation actions and empty text for
  // everything else. An empty source or action, an action without a dot, an
  // unknown command, a switch to an element that does not exist and any
  // action naming the current window or "wndRemote" change nothing.
  std::string DoAction(std::string_view source, std::string_view action);

 private:
  std::string SwitchWindow(const std::string& source, const std::string& window,
                           const std::string& action);
  void RunCommand(std::string_view name);
  void ToggleFormMoving();

  const SkinModel& mSkin;
  FocusState& mFocus;
  FocusOwner& mFocusOwner;
  const Settings& mSettings;
  NavigationStep mNavigationStep;
  std::array<Command, kCommandNames.size()> mCommands;
  int32_t mDepth = 0;
};
