// Input bindings and configuration mode: binding an element's pressed entry,
// the four-key cursor sequence, the action and configuration keys, the prompt
// texts and the log.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "support/FakeLog.h"
#include "support/FakeNavigation.h"

namespace {

constexpr const char* kSelf = Bindings::kSelf;
constexpr const char* kPromptInfo = "Press the input for";

std::unique_ptr<FakeNavigation> MakeNavigation() {
  auto nav = std::make_unique<FakeNavigation>();
  nav->Add("wndMain.cmdPlay", ";;;;*.cmdPlay", "Play or pause");
  nav->Add("wndMain.picLogo", "", "Logo");
  nav->Add("wndInfo.configInput", "", kPromptInfo);
  nav->skin.SkinStrings.SetValue("!.elemMoveN", HashValue("up"));
  nav->skin.SkinStrings.SetValue("!.elemMoveE", HashValue("right"));
  nav->skin.SkinStrings.SetValue("!.elemMoveS", HashValue("down"));
  // No string for west: its prompt shows two double quotes.
  nav->skin.SkinStrings.SetValue("!.elemMovePressed", HashValue("select"));
  nav->skin.SkinStrings.SetValue("!.elemConfigInput", HashValue("configure"));
  nav->Focus("wndMain.cmdPlay");
  return nav;
}

std::string Prompt(FakeNavigation& nav) {
  return nav.skin.ElementNamed("wndInfo.configInput").Text[Idle];
}

std::string Binding(FakeNavigation& nav, const std::string& input) {
  return nav.keyMap.GetValue(input, HashValue("(none)")).ToText();
}

TEST(Bindings, AnElementGetsTheNextInputForItsPressedEntry) {
  auto nav = MakeNavigation();
  nav->keyMap.SetValue("key.80.0", HashValue("*.cmdStop"));
  nav->keyMap.SetValue("key.13.0", HashValue("*.cmdPlay"));
  FakeLog log;

  nav->bindings.ConfigInput("wndMain.cmdPlay", kSelf);
  EXPECT_EQ(nav->bindings.ConfigTarget(), "wndMain.cmdPlay");
  EXPECT_EQ(Prompt(*nav), std::string(kPromptInfo) + "\r\n\"Play or pause\"");
  EXPECT_EQ(nav->info.mCalls, std::vector<std::string>{"ShowInfo configInput xselfx hide"});

  nav->bindings.ConfigInput("XXSELFXX", "key.80.0");

  EXPECT_EQ(Binding(*nav, "key.80.0"), "*.cmdPlay");
  EXPECT_EQ(Binding(*nav, "key.13.0"), "*.cmdPlay");  // other inputs of the action stay
  EXPECT_EQ(log.Messages(), std::vector<std::string>{"key.80.0 now triggers *.cmdPlay"});
  EXPECT_EQ(nav->info.mCalls.back(), "HideInfo configInput");
  EXPECT_FALSE(nav->bindings.IsConfiguring());

  // The prompt is built from the help text each time, never from the last prompt.
  nav->bindings.ConfigInput("wndMain.picLogo", kSelf);
  EXPECT_EQ(Prompt(*nav), std::string(kPromptInfo) + "\r\n\"Logo\"");
  // An element without a pressed entry gets its input bound to nothing.
  nav->bindings.ConfigInput(kSelf, "key.76.2");
  EXPECT_EQ(Binding(*nav, "key.76.2"), "");
}

TEST(Bindings, CursorKeySequenceBindsFourInputsInARow) {
  struct Case {
    const char* name;
    std::vector<std::string> inputs;
    std::vector<std::pair<std::string, std::string>> bindings;
  };
  const Case cases[] = {
      {"four keys",
       {"key.104.0", "key.102.0", "key.98.0", "key.100.0"},
       {{"key.104.0", "!.elemMoveN"},
        {"key.102.0", "!.elemMoveE"},
        {"key.98.0", "!.elemMoveS"},
        {"key.100.0", "!.elemMoveW"},
        {"key.38.0", "!.elemMoveN"}}},
      // The same key four times ends on west only; the keys bound before keep
      // their directions.
      {"one key four times",
       {"key.116.0", "key.116.0", "key.116.0", "key.116.0"},
       {{"key.116.0", "!.elemMoveW"},
        {"key.38.0", "!.elemMoveN"},
        {"key.39.0", "!.elemMoveE"},
        {"key.40.0", "!.elemMoveS"}}},
  };
  for (const Case& row : cases) {
    SCOPED_TRACE(row.name);
    auto nav = MakeNavigation();
    nav->keyMap.SetValue("key.38.0", HashValue("!.elemMoveN"));
    nav->keyMap.SetValue("key.39.0", HashValue("!.elemMoveE"));
    nav->keyMap.SetValue("key.40.0", HashValue("!.elemMoveS"));
    FakeLog log;

    nav->dispatcher.DoAction("wndMain.cmdPlay", "*.cmdSetCursorKeys");

    const char* targets[] = {"!.elemMoveE", "!.elemMoveS", "!.elemMoveW", ""};
    const char* prompts[] = {"\"right\"", "\"down\"", "\"\"", "\"\""};
    EXPECT_EQ(nav->bindings.ConfigTarget(), "!.elemMoveN");
    EXPECT_EQ(Prompt(*nav), std::string(kPromptInfo) + "\r\n\"up\"");
    for (size_t i = 0; i < row.inputs.size(); ++i) {
      nav->bindings.ConfigInput(kSelf, row.inputs[i]);
      EXPECT_EQ(nav->bindings.ConfigTarget(), targets[i]) << "after input " << i + 1;
      EXPECT_EQ(Prompt(*nav), std::string(kPromptInfo) + "\r\n" + prompts[i]);
    }
    for (const auto& [input, action] : row.bindings) {
      EXPECT_EQ(Binding(*nav, input), action) << input;
    }
    EXPECT_EQ(nav->bindings.CursorKeyStep(), -1);
    EXPECT_EQ(log.Messages().size(), 4u);
    // The prompt stays up through the sequence and goes once at its end.
    EXPECT_EQ(nav->info.mCalls,
              (std::vector<std::string>{
                  "ShowInfo configInput xselfx hide", "ShowInfo configInput xselfx hide",
                  "ShowInfo configInput xselfx hide", "ShowInfo configInput xselfx hide",
                  "HideInfo configInput"}));
  }
}

TEST(Bindings, ActionAndConfigurationKeysBindOneInput) {
  struct Case {
    const char* command;
    const char* action;
    const char* description;
  };
  const Case cases[] = {
      {"*.cmdSetActionKey", "!.elemMovePressed", "select"},
      {"*.cmdSetConfigInputKey", "!.elemConfigInput", "configure"},
  };
  for (const Case& row : cases) {
    SCOPED_TRACE(row.command);
    auto nav = MakeNavigation();
    FakeLog log;

    nav->dispatcher.DoAction("wndMain.cmdPlay", row.command);
    EXPECT_EQ(nav->bindings.ConfigTarget(), row.action);
    EXPECT_EQ(Prompt(*nav), std::string(kPromptInfo) + "\r\n\"" + row.description + "\"");

    nav->bindings.ConfigInput(kSelf, "key.32.0");

    EXPECT_EQ(Binding(*nav, "key.32.0"), row.action);
    EXPECT_EQ(log.Messages(),
              std::vector<std::string>{std::string("key.32.0 now triggers ") + row.action});
    EXPECT_FALSE(nav->bindings.IsConfiguring());
    EXPECT_EQ(nav->bindings.CursorKeyStep(), -1);
    EXPECT_EQ(nav->info.mCalls.back(), "HideInfo configInput");

    // Afterwards an element is configured with its own help text again.
    nav->bindings.ConfigInput("wndMain.cmdPlay", kSelf);
    EXPECT_EQ(Prompt(*nav), std::string(kPromptInfo) + "\r\n\"Play or pause\"");
  }
}

TEST(Bindings, CallsThatCarryNothingChangeNothing) {
  struct Case {
    const char* element;
    const char* input;
  };
  const Case cases[] = {
      {"", kSelf},
      {kSelf, ""},
      {kSelf, kSelf},
      {"xxselfxx", "XXSELFXX"},
      // An input outside configuration would be bound to nothing.
      {kSelf, "key.38.0"},
  };
  for (const Case& row : cases) {
    SCOPED_TRACE(std::string("'") + row.element + "', '" + row.input + "'");
    auto nav = MakeNavigation();
    nav->keyMap.SetValue("key.38.0", HashValue("!.elemMoveN"));
    FakeLog log;

    nav->bindings.ConfigInput(row.element, row.input);

    EXPECT_FALSE(nav->bindings.IsConfiguring());
    EXPECT_EQ(nav->keyMap.NumKeys(), 1);
    EXPECT_EQ(Binding(*nav, "key.38.0"), "!.elemMoveN");
    EXPECT_TRUE(nav->info.mCalls.empty());
    EXPECT_TRUE(log.Messages().empty());
  }
  // Steps outside the sequence leave it alone.
  auto nav = MakeNavigation();
  for (int32_t step : {-1, 5, 7}) nav->bindings.SetCursorKeysStep(step);
  EXPECT_EQ(nav->bindings.CursorKeyStep(), -1);
  EXPECT_FALSE(nav->bindings.IsConfiguring());
}

TEST(Bindings, ConfiguringWorksWithoutAPromptElement) {
  FakeNavigation nav;
  nav.Add("wndMain.cmdMute", ";;;;*.cmdMute", "Mute");
  nav.Focus("wndMain.cmdMute");
  FakeLog log;

  nav.bindings.ConfigInput("wndMain.cmdMute", kSelf);
  nav.bindings.ConfigInput(kSelf, "key.77.0");

  EXPECT_EQ(nav.keyMap.GetValue("key.77.0").ToText(), "*.cmdMute");
  EXPECT_FALSE(nav.bindings.IsConfiguring());
}

}  // namespace
