#pragma once

// The navigation subsystem wired the way the main window wires it, over a
// recording screen and information display and fake hooks: the list cursor,
// full-screen video and the window position are plain fields here. Every
// command of the dispatcher's table records its name in `commands`; the ones
// that belong to navigation itself do their real work.

#include <string>
#include <vector>

#include "base/MainWindow.h"
#include "input/KeyInput.h"
#include "navigation/Bindings.h"
#include "navigation/Dispatcher.h"
#include "navigation/FocusNavigator.h"
#include "program/Desktop.h"
#include "render/FocusOwner.h"
#include "render/FocusState.h"
#include "render/OverlayState.h"
#include "render/StatusLine.h"
#include "render/UiTexts.h"
#include "store/Settings.h"
#include "store/clsHashFile.h"
#include "support/FakeInfoDisplay.h"
#include "support/FakeScreen.h"
#include "support/SkinElements.h"

class FakeNavigation {
 public:
  FakeNavigation() {
    for (std::string_view name : kCommandNames) {
      if (name == "cmdFormMove") continue;
      dispatcher.RegisterCommand(name, [this, name] { commands.push_back(std::string(name)); });
    }
    dispatcher.RegisterCommand("cmdFullsize", [this] { ToggleFullsize(); });
    dispatcher.RegisterCommand("cmdSetCursorKeys", [this] { bindings.SetCursorKeysStep(0); });
    dispatcher.RegisterCommand("cmdSetActionKey", [this] { bindings.cmdSetActionKey(); });
    dispatcher.RegisterCommand("cmdSetConfigInputKey", [this] { bindings.cmdSetConfigInputKey(); });
  }

  // Appends an element; moves are the five entries "north;east;south;west;pressed".
  void Add(const std::string& fullName, const std::string& moves = "",
           const std::string& infoText = "") {
    SkinElement& element = AppendElement(skin, fullName);
    for (int32_t entry = 0; entry < 5; ++entry) {
      element.Moves[entry] = GetField(moves, entry + 1, ";");
    }
    element.InfoText = infoText;
  }

  // Gives the focus to an element the way start-up does.
  void Focus(const std::string& fullName) {
    if (skin.FindElement(focus.mFocusElement) != 0)
      skin.ElementNamed(focus.mFocusElement).State = Idle;
    focus.mFocusElement = fullName;
    focus.mPrevFocusElement = fullName;
    focus.mCurrentWindow = GetField(fullName, 1, ".");
    focus.mLastMoveDirection = kDirectionNone;
    skin.ElementNamed(fullName).State = Selected;
  }

  // The elements drawn Selected, in element order.
  std::vector<std::string> SelectedElements() const {
    std::vector<std::string> selected;
    for (size_t n = 1; n < skin.SkinElements.size(); ++n) {
      if (skin.SkinElements[n].State == Selected) selected.push_back(skin.SkinElements[n].FullName);
    }
    return selected;
  }

  SkinModel skin;
  FocusState focus;
  OverlayState overlay;
  UiTexts texts;
  Settings settings;
  clsHashFile keyMap;
  FakeScreen screen;
  FakeInfoDisplay info;
  StatusLine status{texts, focus, screen};
  FocusOwner focusOwner{focus, skin, screen, status};

  std::vector<std::string> commands;  // names of the commands run, in order
  MonitorRect monitor{0, 0, 1920, 1080};
  PixelRect window{100, 100, 800, 600};

  Dispatcher dispatcher{skin, focus, focusOwner, settings,
                        [this](const std::string& source, const std::string& name) {
                          return navigator.NavigationStep(source, name);
                        }};
  FocusNavigator navigator{skin,     focus,  overlay,    focusOwner,
                           settings, screen, dispatcher, MakeHooks()};
  Bindings bindings{skin, keyMap, info};
  KeyInput keys{keyMap, focus, bindings, dispatcher};

 private:
  void ToggleFullsize() {
    commands.push_back("cmdFullsize");
    overlay.mIsVideoFullscreen = !overlay.mIsVideoFullscreen;
  }

  NavigationHooks MakeHooks() {
    NavigationHooks hooks;
    hooks.MoveCursor = [](double) {};
    hooks.cmdFullsize = [this] { ToggleFullsize(); };
    hooks.FindWindowMonitor = [this] { return monitor; };
    hooks.WindowGeometry = [this] { return window; };
    hooks.PlaceWindow = [this](int32_t left, int32_t top) {
      window.left = left;
      window.top = top;
    };
    return hooks;
  }
};
