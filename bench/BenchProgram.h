#pragma once

// The real Tavizo program as a benchmark runs it: a copy of the executable
// with the skins beside it in a folder of its own, settings written before it
// starts, launched as the display tests launch it, with its log (standard
// error) kept in a file.

#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/ProgramUnderTest.h"

// Processor seconds (user and system, every thread) a process has used so
// far; negative when it cannot be read.
inline double ProcessorSecondsOf(pid_t pid) {
  std::ifstream file("/proc/" + std::to_string(pid) + "/stat");
  const std::string stat((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  // The command name is in parentheses and may hold spaces; fields follow it.
  const size_t nameEnd = stat.rfind(')');
  if (nameEnd == std::string::npos) return -1;
  std::istringstream fields(stat.substr(nameEnd + 1));
  std::string field;
  long long userTicks = 0;
  long long systemTicks = 0;
  // After the name: state (field 3) ... utime (field 14), stime (field 15).
  for (int index = 3; index <= 15 && fields >> field; ++index) {
    if (index == 14) userTicks = std::stoll(field);
    if (index == 15) systemTicks = std::stoll(field);
  }
  return static_cast<double>(userTicks + systemTicks) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

inline double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

class BenchProgram {
 public:
  // settings: lines of Tavizo.ini (CR LF ended); keys: Tavizo.keys, if any.
  BenchProgram(const std::string& settings, const std::string& keys = {}) {
    namespace fs = std::filesystem;
    std::string pattern = (fs::temp_directory_path() / "tavizo-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) return;
    mFolder = pattern;
    fs::create_directories(MediaFolder());
    fs::copy_file(TAVIZO_EXECUTABLE, mFolder + "/tavizo");
    fs::copy(fs::path(TAVIZO_EXECUTABLE).parent_path() / "skins", mFolder + "/skins",
             fs::copy_options::recursive);
    std::ofstream(mFolder + "/Tavizo.ini", std::ios::binary)
        << "\"gPlaylistName\",\"" << MediaFolder() << "\"\r\n"
        << settings;
    if (!keys.empty()) std::ofstream(mFolder + "/Tavizo.keys", std::ios::binary) << keys;
    mProgram = std::make_unique<ProgramUnderTest>(mFolder, mFolder + "/tavizo",
                                                  std::vector<std::string>{});
  }

  ~BenchProgram() {
    Stop();
    std::error_code ignored;
    if (!mFolder.empty()) std::filesystem::remove_all(mFolder, ignored);
  }
  BenchProgram(const BenchProgram&) = delete;
  BenchProgram& operator=(const BenchProgram&) = delete;

  bool Ready() const { return !mFolder.empty(); }
  std::string MediaFolder() const { return mFolder + "/media/"; }
  pid_t Pid() const { return mProgram ? mProgram->Pid() : -1; }

  // Copies a fixture into the media folder under the given name.
  void AddMedia(const std::string& fixture, const std::string& name) {
    std::filesystem::copy_file(std::string(TAVIZO_SOURCE_DIR) + "/tests/fixtures/" + fixture,
                               MediaFolder() + name,
                               std::filesystem::copy_options::overwrite_existing);
  }

  bool Start() { return mProgram && mProgram->Start(); }

  // Ends the program the way the desktop's session end does (SIGTERM, which
  // it takes as a close), and kills it when it has not gone in time.
  void Stop() {
    if (!mProgram || !mProgram->Running()) return;
    kill(mProgram->Pid(), SIGTERM);
    if (mProgram->WaitForExit(5000) < 0) std::fprintf(stderr, "the program did not end; killed\n");
  }

  std::string Log() const { return mProgram ? mProgram->Log() : std::string(); }

  // The OpenGL renderer the program named in its log as it started; empty
  // before that.
  std::string GlRenderer() const {
    const std::string log = Log();
    const std::string mark = "OpenGL renderer: ";
    const size_t at = log.find(mark);
    if (at == std::string::npos) return {};
    const size_t start = at + mark.size();
    return log.substr(start, log.find('\n', start) - start);
  }

  // Waits until the log holds the text; false after the timeout.
  bool WaitForLog(const std::string& text, int timeoutMs) const {
    return mProgram && mProgram->WaitForLog(text, timeoutMs);
  }

  // The visible window of the program (the main window once the splash has
  // gone); 0 when there is none.
  unsigned long VisibleWindow() const {
    const std::string found =
        RunCommand("xdotool search --onlyvisible --pid " + std::to_string(Pid()) + " 2>/dev/null");
    return std::strtoul(found.c_str(), nullptr, 10);
  }

 private:
  std::string mFolder;
  std::unique_ptr<ProgramUnderTest> mProgram;
};
