#pragma once

// The main window: the composition root of Tavizo. It owns one object per
// subsystem and the state they share, runs the start-up sequence when the
// window is loaded and the shutdown sequence when it is closed, and routes the
// window's events and the ticks of its six timers to the subsystems.

#include <memory>
#include <string>

#include "app/Settings.h"
#include "app/TimerTable.h"
#include "app/WindowEventHandler.h"
#include "store/clsHashFile.h"

class Clock;
class ErrorMessageBox;
class EventPump;
class MainWindow;

// The platform services the main window is built on.
struct FrmMainServices {
  MainWindow& window;
  EventPump& pump;
  ErrorMessageBox& messageBox;
  const Clock& clock;
  TimerTable& timers;
  std::string programFolder;  // without a trailing "/"
};

class frmMain final : public WindowEventHandler {
 public:
  static constexpr const char* kProgramName = "Tavizo";

  explicit frmMain(const FrmMainServices& services);
  ~frmMain() override;
  frmMain(const frmMain&) = delete;
  frmMain& operator=(const frmMain&) = delete;

  // The start-up sequence. Returns false when it ended on its fatal path; the
  // shutdown sequence must run all the same.
  bool Load();

  // The shutdown sequence: settings and key bindings written, media closed,
  // pending events run once, pointer shown. Runs once, however the program ends.
  void Unload();

  // "*.cmdQuitTavizo": closes the main window; the shutdown sequence follows.
  void QuitProgram();

  // One tick of a timer of the main window.
  void OnTimer(TimerId id);

  std::string SettingsFile() const { return mServices.programFolder + "/Tavizo.ini"; }
  std::string KeyBindingFile() const { return mServices.programFolder + "/Tavizo.keys"; }

  Settings& CurrentSettings() { return mSettings; }
  clsHashFile& KeyMap() { return mKeyMap; }

  // WindowEventHandler
  void OnKeyDown(int32_t virtualKey, int32_t modifierMask) override;
  void OnKeyUp(int32_t virtualKey, int32_t modifierMask) override;
  void OnMouseDown(int32_t button, int32_t modifierMask, double x, double y) override;
  void OnMouseMove(int32_t button, int32_t modifierMask, double x, double y) override;
  void OnMouseUp(int32_t button, int32_t modifierMask, double x, double y) override;
  void OnDoubleClick(int32_t button, int32_t modifierMask, double x, double y) override;
  void OnCloseRequested() override;
  void OnExposed() override;
  void OnResized() override;

 private:
  void LoadSettingsAndBindings();
  void SaveSettingsAndBindings();
  void ShowMainWindow();

  FrmMainServices mServices;
  Settings mSettings;
  clsHashFile mKeyMap;
  bool mLoaded = false;
  bool mUnloaded = false;
};
