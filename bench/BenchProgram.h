#pragma once

// The real Tavizo program as a benchmark runs it: a copy of the executable
// with the skins beside it in a folder of its own, settings written before it
// starts, its log (standard error) kept in a file. Header-only, because the
// benchmark programs are built from one source file each.

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

inline void SleepMilliseconds(int milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

inline double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Runs a shell command and returns what it printed on standard output.
inline std::string ShellOutput(const std::string& command) {
  std::string output;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return output;
  char buffer[4096];
  size_t read = 0;
  while ((read = fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, read);
  pclose(pipe);
  return output;
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
  pid_t Pid() const { return mPid; }

  // Copies a fixture into the media folder under the given name.
  void AddMedia(const std::string& fixture, const std::string& name) {
    std::filesystem::copy_file(std::string(TAVIZO_SOURCE_DIR) + "/tests/fixtures/" + fixture,
                               MediaFolder() + name,
                               std::filesystem::copy_options::overwrite_existing);
  }

  bool Start() {
    const std::string program = mFolder + "/tavizo";
    const std::string log = mFolder + "/stderr.log";
    mPid = fork();
    if (mPid < 0) return false;
    if (mPid == 0) {
      const int fd = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      if (fd >= 0) {
        dup2(fd, STDERR_FILENO);
        dup2(fd, STDOUT_FILENO);
        close(fd);
      }
      execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
    return true;
  }

  // Ends the program the way the desktop's session end does (SIGTERM, which
  // it takes as a close), and kills it when it has not gone in time.
  void Stop() {
    if (mPid <= 0) return;
    kill(mPid, SIGTERM);
    for (int waited = 0; waited < 5000; waited += 20) {
      if (waitpid(mPid, nullptr, WNOHANG) == mPid) {
        mPid = -1;
        return;
      }
      SleepMilliseconds(20);
    }
    kill(mPid, SIGKILL);
    waitpid(mPid, nullptr, 0);
    mPid = -1;
  }

  std::string Log() const {
    std::ifstream file(mFolder + "/stderr.log", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  }

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
    for (int waited = 0; waited <= timeoutMs; waited += 10) {
      if (Log().find(text) != std::string::npos) return true;
      SleepMilliseconds(10);
    }
    return false;
  }

  // The visible window of the program (the main window once the splash has
  // gone); 0 when there is none.
  unsigned long VisibleWindow() const {
    const std::string found =
        ShellOutput("xdotool search --onlyvisible --pid " + std::to_string(mPid) + " 2>/dev/null");
    return std::strtoul(found.c_str(), nullptr, 10);
  }

 private:
  std::string mFolder;
  pid_t mPid = -1;
};
