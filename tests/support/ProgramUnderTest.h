#pragma once

// The real Tavizo program, run by a display test in a program folder of its
// own: a copy of the executable (settings and key bindings live beside it)
// with the skins next to it. Its standard error, the log, is kept in a file.

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

class ProgramUnderTest {
 public:
  // Prepares <folder>/tavizo and, when withSkins, <folder>/skins.
  ProgramUnderTest(const std::string& folder, bool withSkins = true);
  // Runs an installed executable where it lies, its log kept in folder, with
  // the environment variables ("NAME=value") set over the test's own.
  ProgramUnderTest(const std::string& folder, const std::string& executable,
                   std::vector<std::string> environment, std::vector<std::string> arguments = {});
  ~ProgramUnderTest();
  ProgramUnderTest(const ProgramUnderTest&) = delete;
  ProgramUnderTest& operator=(const ProgramUnderTest&) = delete;

  const std::string& Folder() const { return mFolder; }
  bool Start();
  bool Running();
  pid_t Pid() const { return mPid; }

  // Waits until a window titled "Tavizo..." of this process is mapped; its X
  // window id, or 0 after the timeout.
  unsigned long WaitForWindow(int timeoutMs);

  // Asks the window to close the way a desktop's close button does
  // (WM_DELETE_WINDOW).
  bool RequestClose();

  // Waits for the process to end; its exit status, or -1 when it had to be
  // killed after the timeout.
  int WaitForExit(int timeoutMs);

  // Waits until the log holds the text; true when it appeared in time.
  bool WaitForLog(const std::string& text, int timeoutMs);
  std::string Log() const;

  unsigned long Window() const { return mWindow; }

  // The viewable top-level windows of the process with their titles and
  // geometry in screen pixels.
  struct WindowInfo {
    unsigned long id = 0;
    std::string title;      // WM_NAME in UTF-8, decoded by the encoding it was stored in
    std::string netWmName;  // _NET_WM_NAME, the UTF-8 title that desktops show
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
  };
  std::vector<WindowInfo> Windows();

 private:
  std::string mFolder;
  std::string mExecutable;
  std::vector<std::string> mEnvironment;
  std::vector<std::string> mArguments;
  pid_t mPid = -1;
  unsigned long mWindow = 0;
  int mExitStatus = -1;
};

// Runs a shell command and returns what it printed on standard output.
std::string RunCommand(const std::string& command);

// Saves a screenshot of the whole X screen as a PNG file.
bool TakeScreenshot(const std::string& pngFile);

// Sleeps the given milliseconds.
void SleepMs(int milliseconds);
