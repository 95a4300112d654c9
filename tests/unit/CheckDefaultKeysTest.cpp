// The default bindings come back for every action that has lost all its
// inputs, and only then, read from key files as the program finds them.

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

}  // namespace
