// Keys as inputs: input codes, what is logged, dispatching on behalf of the
// focused element, binding while configuring, and the acceleration of held keys.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "support/FakeLog.h"
#include "support/FakeNavigation.h"

namespace {

std::unique_ptr<FakeNavigation> MakeNavigation() {
  auto nav = std::make_unique<FakeNavigation>();
  nav->Add("wndMain.lstPlaylist", "wndMain.cmdPlay;;;;*.lstPlaylist", "Files");
  nav->Add("wndMain.cmdPlay", ";;wndMain.lstPlaylist;;*.cmdPlay", "Play");
  nav->Add("wndMain.picStatus");
  nav->Add("wndInfo.configInput", "", "Press the input for");
  nav->keyMap.SetValue("key.38.0", HashValue("!.elemMoveN"));
  nav->keyMap.SetValue("key.40.0", HashValue("!.elemMoveS"));
  nav->keyMap.SetValue("key.13.0", HashValue("!.elemMovePressed"));
  nav->keyMap.SetValue("key.13.4", HashValue("!.ELEMCONFIGINPUT"));
  nav->keyMap.SetValue("key.179.0", HashValue("*.cmdPlay"));
  nav->keyMap.SetValue("key.80.3", HashValue("*.cmdPause"));
  nav->Focus("wndMain.cmdPlay");
  return nav;
}

TEST(KeyInput, KeysBecomeLoggedInputCodesAndRunTheirActions) {
  struct Case {
    int32_t key;
    int32_t mask;
    const char* code;
    std::vector<std::string> commands;
    const char* focus;
  };
  const Case cases[] = {
      {179, 0, "key.179.0", {"cmdPlay"}, "wndMain.cmdPlay"},
      {80, 3, "key.80.3", {"cmdPause"}, "wndMain.cmdPlay"},
      {13, 0, "key.13.0", {"cmdPlay"}, "wndMain.cmdPlay"},
      {40, 0, "key.40.0", {}, "wndMain.lstPlaylist"},
      // Shift+Up is an input of its own, bound to nothing here.
      {38, 1, "key.38.1", {}, "wndMain.cmdPlay"},
      {80, 0, "key.80.0", {}, "wndMain.cmdPlay"},
  };
  for (const Case& row : cases) {
    SCOPED_TRACE(row.code);
    auto nav = MakeNavigation();
    FakeLog log;

    nav->keys.KeyDown(row.key, row.mask);

    EXPECT_EQ(log.Messages(), std::vector<std::string>{row.code});
    EXPECT_EQ(nav->commands, row.commands);
    EXPECT_EQ(nav->focus.mFocusElement, row.focus);
    EXPECT_DOUBLE_EQ(nav->focus.mKeyAcceleration, 0.1);
  }
}

TEST(KeyInput, ShiftCtrlAndAltAloneAreNoInput) {
  for (int32_t key : {16, 17, 18}) {
    for (int32_t mask : {0, 1, 2, 4, 7}) {
      SCOPED_TRACE(::testing::Message() << "key " << key << " mask " << mask);
      auto nav = MakeNavigation();
      nav->keyMap.SetValue(KeyInput::InputCode(key, mask), HashValue("*.cmdStop"));
      nav->bindings.ConfigInput("wndMain.cmdPlay", Bindings::kSelf);
      FakeLog log;

      nav->keys.KeyDown(key, mask);

      EXPECT_TRUE(log.Messages().empty());
      EXPECT_TRUE(nav->commands.empty());
      EXPECT_TRUE(nav->bindings.IsConfiguring());
      EXPECT_EQ(nav->focus.mKeyAcceleration, 0);
    }
  }
}

TEST(KeyInput, WhileConfiguringAKeyIsBoundNotDispatched) {
  auto nav = MakeNavigation();
  nav->bindings.ConfigInput("wndMain.cmdPlay", Bindings::kSelf);
  FakeLog log;

  // Even the configuration key itself is bound.
  nav->keys.KeyDown(13, 4);

  EXPECT_EQ(nav->keyMap.GetValue("key.13.4").ToText(), "*.cmdPlay");
  EXPECT_TRUE(nav->commands.empty());
  EXPECT_EQ(log.Messages(), std::vector<std::string>{"key.13.4 now triggers *.cmdPlay"});
  EXPECT_EQ(nav->focus.mKeyAcceleration, 0);
  EXPECT_FALSE(nav->bindings.IsConfiguring());
}

TEST(KeyInput, TheConfigurationKeyConfiguresTheFocusedElement) {
  auto nav = MakeNavigation();
  FakeLog log;

  nav->keys.KeyDown(13, 4);

  EXPECT_EQ(nav->bindings.ConfigTarget(), "wndMain.cmdPlay");
  EXPECT_EQ(log.Messages(), std::vector<std::string>{"key.13.4"});
  EXPECT_EQ(nav->focus.mKeyAcceleration, 0);
  EXPECT_TRUE(nav->commands.empty());

  nav->keys.KeyDown(120, 0);
  EXPECT_EQ(nav->keyMap.GetValue("key.120.0").ToText(), "*.cmdPlay");
  nav->keys.KeyDown(120, 0);
  EXPECT_EQ(nav->commands, std::vector<std::string>{"cmdPlay"});
}

TEST(KeyInput, HeldKeysScrollTheListFasterUntilReleased) {
  struct Case {
    const char* name;
    std::vector<char> events;  // 'd' key down (Up), 'u' key up
    std::vector<double> moves;
  };
  const Case cases[] = {
      {"first press before any release", {'d'}, {-1}},
      // 0.2, 0.3, 0.4, 0.5 round to 0; 0.6 rounds to 1.
      {"held after a release", {'u', 'd', 'd', 'd', 'd', 'd'}, {-1, -1, -1, -1, -2}},
      {"release starts over", {'u', 'd', 'd', 'd', 'd', 'd', 'u', 'd'}, {-1, -1, -1, -1, -2, -1}},
      {"long hold",
       std::vector<char>(16, 'd'),
       {-1, -1, -1, -1, -1, -2, -2, -2, -2, -2, -2, -2, -2, -2, -3, -3}},
  };
  for (const Case& row : cases) {
    SCOPED_TRACE(row.name);
    auto nav = MakeNavigation();
    nav->Focus("wndMain.lstPlaylist");
    FakeLog log;

    for (char event : row.events) {
      if (event == 'd') nav->keys.KeyDown(38, 0);
      if (event == 'u') nav->keys.KeyUp();
    }

    EXPECT_EQ(nav->cursorMoves, row.moves);
  }
}

}  // namespace
