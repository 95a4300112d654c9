// A game pad drives the real program: a virtual pad, attached inside the
// program's own process, moves the focus on the default skin.

#include <gtest/gtest.h>

#include <SDL.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "base/ErrorMessageBox.h"
#include "platform/SdlUiLoop.h"
#include "platform/TavizoProgram.h"
#include "program/frmMain.h"
#include "support/TempFolder.h"

namespace {

class NoMessageBox final : public ErrorMessageBox {
 public:
  void ShowError(const std::string&, const std::string& text) override { shown = text; }
  std::string shown;
};

// Lets the program run its events and timers for a while.
void RunFor(TavizoProgram& program, int milliseconds) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  while (std::chrono::steady_clock::now() < end) {
    program.Loop().PumpPendingEvents();
    SDL_Delay(5);
  }
}

TEST(JoystickFocusTest, APadHatMovesTheFocusAndItsBindingIsWrittenAtExit) {
  TempFolder folder;
  namespace fs = std::filesystem;
  const fs::path built = fs::path(TAVIZO_EXECUTABLE).parent_path();
  fs::copy(built / "skins", folder.File("skins"), fs::copy_options::recursive);
  // The pad's hat pushed east moves east, as the right arrow key does.
  folder.Write("Tavizo.keys", "\"Test Pad;0;0;0;0;1;2\",\"!.elemMoveE\"\r\n");

  NoMessageBox messageBox;
  std::unique_ptr<TavizoProgram> program = TavizoProgram::Create(folder.Path(), &messageBox);
  ASSERT_TRUE(program);
  ASSERT_TRUE(program->Form().Load()) << messageBox.shown;
  EXPECT_EQ(program->Form().Focus().mFocusElement, "wndMain.cmdLibrary");

  SDL_VirtualJoystickDesc pad;
  SDL_zero(pad);
  pad.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
  pad.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
  pad.naxes = 2;
  pad.nbuttons = 4;
  pad.nhats = 1;
  pad.name = "Test Pad";
  const int index = SDL_JoystickAttachVirtualEx(&pad);
  ASSERT_GE(index, 0) << SDL_GetError();
  SDL_Joystick* handle = SDL_JoystickOpen(index);
  ASSERT_NE(handle, nullptr);
  RunFor(*program, 200);

  SDL_JoystickSetVirtualHat(handle, 0, SDL_HAT_RIGHT);
  RunFor(*program, 200);
  SDL_JoystickSetVirtualHat(handle, 0, SDL_HAT_CENTERED);
  RunFor(*program, 200);
  EXPECT_EQ(program->Form().Focus().mFocusElement, "wndMain.cmdOptions");

  SDL_JoystickClose(handle);
  SDL_JoystickDetachVirtual(index);
  RunFor(*program, 100);
  program->Form().Unload();
  EXPECT_NE(folder.Read("Tavizo.keys").find("\"Test Pad;0;0;0;0;1;2\",\"!.elemMoveE\""),
            std::string::npos);
}

}  // namespace
