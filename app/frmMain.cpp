#include "app/frmMain.h"

#include <chrono>
#include <cstdlib>

#include "app/ErrorMessageBox.h"
#include "app/EventPump.h"
#include "app/Log.h"
#include "app/MainWindow.h"
#include "navigation/CheckDefaultKeys.h"

frmMain::frmMain(const FrmMainServices& services) : mServices(services) {}

frmMain::~frmMain() = default;

bool frmMain::Load() {
  // Seed the generator of the random play modes from the clock.
  std::srand(static_cast<unsigned>(
      std::chrono::system_clock::now().time_since_epoch().count() & 0x7fffffff));
  LoadSettingsAndBindings();
  ShowMainWindow();
  mLoaded = true;
  mServices.timers[TimerId::InfoUpdate].Enable();
  mServices.timers[TimerId::MouseOver].SetInterval(100);
  mServices.timers[TimerId::MouseOver].Enable();
  return true;
}

void frmMain::LoadSettingsAndBindings() {
  LoadSettings(mSettings, SettingsFile(), mServices.programFolder, mServices.window.Geometry());
  mKeyMap.LoadHash(KeyBindingFile(), true);
  CheckDefaultKeys(mKeyMap);
}

void frmMain::SaveSettingsAndBindings() {
  SaveSettings(mSettings, SettingsFile());
  mKeyMap.SaveHash(KeyBindingFile());
}

void frmMain::ShowMainWindow() {
  mServices.window.SetGeometry({mSettings.gFormLastLeft, mSettings.gFormLastTop,
                                mSettings.gFormLastWidth, mSettings.gFormLastHeight});
  mServices.window.Show();
}

void frmMain::Unload() {
  if (mUnloaded) return;
  mUnloaded = true;
  SaveSettingsAndBindings();
  mServices.pump.PumpPendingEvents();
}

void frmMain::QuitProgram() { mServices.pump.RequestQuit(); }

void frmMain::OnTimer(TimerId) {}

void frmMain::OnKeyDown(int32_t, int32_t) {}
void frmMain::OnKeyUp(int32_t, int32_t) {}
void frmMain::OnMouseDown(int32_t, int32_t, double, double) {}
void frmMain::OnMouseMove(int32_t, int32_t, double, double) {}
void frmMain::OnMouseUp(int32_t, int32_t, double, double) {}
void frmMain::OnDoubleClick(int32_t, int32_t, double, double) {}
void frmMain::OnCloseRequested() { QuitProgram(); }
void frmMain::OnExposed() {}
void frmMain::OnResized() {}
