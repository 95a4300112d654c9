// The default skin passes the skin checker, and the checker fails a broken copy.

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/ProgramUnderTest.h"
#include "support/TempFolder.h"

namespace {

int ExitStatusOf(const std::string& command) {
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(DefaultSkinTest, PassesTheSkinCheckerWithEveryCommandUsed) {
  const std::string command = std::string(TAVIZO_SKINCHECK) + " --require-all-commands " +
                              TAVIZO_SOURCE_DIR + "/skins/default.tvs";
  const std::string output = RunCommand(command + " 2>&1");
  EXPECT_NE(output.find("OK"), std::string::npos) << output;
  EXPECT_EQ(output.find("fault"), std::string::npos) << output;
  EXPECT_EQ(ExitStatusOf(command + " >/dev/null 2>&1"), 0);
}

TEST(DefaultSkinTest, TheCheckerFailsACopyWithAMissingPicture) {
  TempFolder folder;
  namespace fs = std::filesystem;
  fs::copy(std::string(TAVIZO_SOURCE_DIR) + "/skins/default", folder.File("default"),
           fs::copy_options::recursive);
  fs::copy_file(std::string(TAVIZO_SOURCE_DIR) + "/skins/default.tvs", folder.File("default.tvs"));
  // Remove the skin's first picture, its background.
  const std::string removed = "background.png";
  ASSERT_NE(folder.Read("default.tvs").find("\"pic1\",\"" + removed + "\""), std::string::npos);
  ASSERT_TRUE(fs::remove(folder.File("default/" + removed)));
  const std::string command = std::string(TAVIZO_SKINCHECK) + " " + folder.File("default.tvs");
  const std::string output = RunCommand(command + " 2>&1");
  EXPECT_NE(output.find(removed), std::string::npos) << output;
  EXPECT_EQ(ExitStatusOf(command + " >/dev/null 2>&1"), 1);
}

}  // namespace
