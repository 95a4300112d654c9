// The default bindings come back for every action that has lost all its
// inputs, and only then, read from key files as the program finds them; the
// cursor-key sequence binds keys of the user's choice.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "navigation/CheckDefaultKeys.h"
#include "store/clsHashFile.h"
#include "support/FakeLog.h"
#include "support/FakeNavigation.h"
#include "support/TempFolder.h"

namespace {

const char* const kDefaultsFile =
    "\"key.38.0\",\"!.elemMoveN\"\r\n\"key.39.0\",\"!.elemMoveE\"\r\n"
    "\"key.40.0\",\"!.elemMoveS\"\r\n\"key.37.0\",\"!.elemMoveW\"\r\n"
    "\"key.13.0\",\"!.elemMovePressed\"\r\n\"key.13.4\",\"!.elemConfigInput\"\r\n";
// The film keys, which the rows below leave as they are unless they say otherwise.
const std::string kFilmKeys =
    "\"key.83.0\",\"*.cmdSubtitle\"\r\n\"key.65.0\",\"*.cmdAudioTrack\"\r\n"
    "\"key.33.0\",\"*.cmdChapterPrevious\"\r\n\"key.34.0\",\"*.cmdChapterNext\"\r\n"
    "\"key.82.0\",\"*.cmdRestart\"\r\n";

std::string Binding(clsHashFile& keyMap, const std::string& input) {
  return keyMap.GetValue(input, HashValue("(none)")).ToText();
}

TEST(CheckDefaultKeys, RestoresOnlyActionsWithoutAnyInput) {
  const struct {
    const char* name;
    std::string file;
    std::vector<std::pair<std::string, std::string>> bindings;
    std::vector<std::string> log;
  } cases[] = {
      {"an empty file",
       "",
       {{"key.38.0", "!.elemMoveN"},
        {"key.39.0", "!.elemMoveE"},
        {"key.40.0", "!.elemMoveS"},
        {"key.37.0", "!.elemMoveW"},
        {"key.13.4", "!.elemConfigInput"}},
       {}},
      // A film key that the user gave to another action stays with it.
      {"A bound to the aspect mode",
       std::string(kDefaultsFile) + "\"key.65.0\",\"*.cmdARMode\"\r\n",
       {{"key.65.0", "*.cmdARMode"}, {"key.83.0", "*.cmdSubtitle"}},
       {"key.83.0 now triggers *.cmdSubtitle", "key.33.0 now triggers *.cmdChapterPrevious",
        "key.34.0 now triggers *.cmdChapterNext", "key.82.0 now triggers *.cmdRestart"}},
      // Enter is taken back from play because nothing else selects.
      {"Enter bound to play and nothing to select",
       "\"key.38.0\",\"!.elemMoveN\"\r\n\"key.39.0\",\"!.elemMoveE\"\r\n"
       "\"key.40.0\",\"!.elemMoveS\"\r\n\"key.37.0\",\"!.elemMoveW\"\r\n"
       "\"key.13.0\",\"*.cmdPlay\"\r\n\"key.13.4\",\"!.elemConfigInput\"\r\n" +
           kFilmKeys,
       {{"key.13.0", "!.elemMovePressed"}},
       {"key.13.0 now triggers !.elemMovePressed"}},
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(row.name);
    TempFolder folder;
    folder.Write("Tavizo.keys", row.file);
    clsHashFile keyMap;
    ASSERT_EQ(keyMap.LoadHash(folder.File("Tavizo.keys"), false), 1);
    FakeLog log;

    CheckDefaultKeys(keyMap);

    for (const auto& [input, action] : row.bindings) {
      EXPECT_EQ(Binding(keyMap, input), action) << input;
    }
    if (!row.log.empty()) {
      EXPECT_EQ(log.Messages(), row.log);
    }
  }
}

// The cursor-key sequence binds the next four keys to north, east, south and
// west; a modifier key alone is never bound nor triggers anything.
TEST(KeyBindings, TheCursorKeySequenceBindsFourKeysAndSkipsModifiers) {
  FakeNavigation nav;
  nav.Add("wndMain.cmdPlay", ";;;;*.cmdPlay", "Play or pause");
  nav.Focus("wndMain.cmdPlay");
  nav.keyMap.SetValue("key.13.0", HashValue("*.cmdSetCursorKeys"));
  FakeLog log;

  for (int32_t key : {13, 16, 17, 18, 104, 102, 98, 100, 18}) nav.keys.KeyDown(key, 0);

  const std::pair<std::string, std::string> bindings[] = {
      {"key.104.0", "!.elemMoveN"}, {"key.102.0", "!.elemMoveE"}, {"key.98.0", "!.elemMoveS"},
      {"key.100.0", "!.elemMoveW"}, {"key.18.0", "(none)"},       {"key.16.0", "(none)"}};
  for (const auto& [input, action] : bindings) EXPECT_EQ(Binding(nav.keyMap, input), action);
  EXPECT_FALSE(nav.bindings.IsConfiguring());
  EXPECT_TRUE(nav.commands.empty());
}

}  // namespace
