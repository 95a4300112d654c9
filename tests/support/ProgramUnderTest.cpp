#include "support/ProgramUnderTest.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct DisplayCloser {
  void operator()(Display* display) const {
    if (display) XCloseDisplay(display);
  }
};
using DisplayHandle = std::unique_ptr<Display, DisplayCloser>;

bool WindowHasPid(Display* display, Window window, pid_t pid) {
  const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", True);
  if (pidAtom == None) return false;
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(display, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &count,
                         &after, &data) != Success ||
      !data) {
    return false;
  }
  const bool matches =
      count == 1 && static_cast<pid_t>(*reinterpret_cast<unsigned long*>(data)) == pid;
  XFree(data);
  return matches;
}

// WM_NAME as UTF-8 text, decoded by the encoding the window stored it in:
// Latin-1 (STRING) or UTF8_STRING. A title stored as STRING although its bytes
// are UTF-8 comes out garbled, as a desktop that reads WM_NAME shows it.
std::string WindowName(Display* display, Window window) {
  XTextProperty property{};
  if (!XGetWMName(display, window, &property) || !property.value) return {};
  const std::string bytes(reinterpret_cast<const char*>(property.value), property.nitems);
  XFree(property.value);
  if (property.encoding != XA_STRING) return bytes;
  std::string name;
  for (const unsigned char c : bytes) {
    if (c >= 0x80) name += static_cast<char>(0xC0 | (c >> 6));
    name += static_cast<char>(c < 0x80 ? c : 0x80 | (c & 0x3F));
  }
  return name;
}

std::string NetWmName(Display* display, Window window) {
  const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(display, window, XInternAtom(display, "_NET_WM_NAME", False), 0, 4096,
                         False, utf8, &type, &format, &count, &after, &data) != Success ||
      !data) {
    return {};
  }
  std::string name(reinterpret_cast<const char*>(data), count);
  XFree(data);
  return name;
}

void CollectWindowsOf(Display* display, Window root, Window window, pid_t pid,
                      std::vector<ProgramUnderTest::WindowInfo>& found) {
  Window rootReturn = 0;
  Window parent = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  if (!XQueryTree(display, window, &rootReturn, &parent, &children, &count)) return;
  for (unsigned int i = 0; i < count; ++i) {
    XWindowAttributes attributes;
    if ((pid == 0 || WindowHasPid(display, children[i], pid)) &&
        XGetWindowAttributes(display, children[i], &attributes) &&
        attributes.map_state == IsViewable) {
      ProgramUnderTest::WindowInfo info;
      info.id = children[i];
      info.title = WindowName(display, children[i]);
      info.netWmName = NetWmName(display, children[i]);
      Window child = 0;
      XTranslateCoordinates(display, children[i], root, 0, 0, &info.x, &info.y, &child);
      info.width = attributes.width;
      info.height = attributes.height;
      found.push_back(info);
    }
    CollectWindowsOf(display, root, children[i], pid, found);
  }
  if (children) XFree(children);
}

}  // namespace

void SleepMs(int milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

std::string RunCommand(const std::string& command) {
  std::string output;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return output;
  std::array<char, 4096> buffer;
  size_t read = 0;
  while ((read = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
    output.append(buffer.data(), read);
  pclose(pipe);
  return output;
}

bool TakeScreenshot(const std::string& pngFile) {
  return std::system(("import -window root '" + pngFile + "' 2>/dev/null").c_str()) == 0;
}

ProgramUnderTest::ProgramUnderTest(const std::string& folder, bool withSkins)
    : mFolder(folder), mExecutable(folder + "/tavizo") {
  fs::create_directories(folder);
  fs::copy_file(TAVIZO_EXECUTABLE, folder + "/tavizo", fs::copy_options::overwrite_existing);
  if (withSkins) {
    const fs::path skins = fs::path(TAVIZO_EXECUTABLE).parent_path() / "skins";
    fs::copy(skins, folder + "/skins",
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
  }
}

ProgramUnderTest::ProgramUnderTest(const std::string& folder, const std::string& executable,
                                   std::vector<std::string> environment,
                                   std::vector<std::string> arguments)
    : mFolder(folder),
      mExecutable(executable),
      mEnvironment(std::move(environment)),
      mArguments(std::move(arguments)) {
  fs::create_directories(folder);
}

ProgramUnderTest::~ProgramUnderTest() {
  if (mPid > 0 && Running()) {
    kill(mPid, SIGKILL);
    waitpid(mPid, nullptr, 0);
  }
}

bool ProgramUnderTest::Start() {
  const std::string log = mFolder + "/stderr.log";
  // Everything exec needs is built before the fork.
  std::vector<char*> argv{const_cast<char*>(mExecutable.c_str())};
  for (const std::string& argument : mArguments)
    argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  std::vector<char*> envp;
  for (char** variable = environ; *variable; ++variable) {
    const std::string_view entry(*variable);
    const bool replaced = std::any_of(mEnvironment.begin(), mEnvironment.end(), [&](auto& set) {
      return entry.starts_with(set.substr(0, set.find('=') + 1));
    });
    if (!replaced) envp.push_back(*variable);
  }
  for (const std::string& variable : mEnvironment)
    envp.push_back(const_cast<char*>(variable.c_str()));
  envp.push_back(nullptr);
  // A program started again after it ended is a new process with a new window.
  mExitStatus = -1;
  mWindow = 0;
  mPid = fork();
  if (mPid < 0) return false;
  if (mPid == 0) {
    const int fd = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd >= 0) {
      dup2(fd, STDERR_FILENO);
      dup2(fd, STDOUT_FILENO);
      close(fd);
    }
    chdir("/");
    execve(mExecutable.c_str(), argv.data(), envp.data());
    _exit(127);
  }
  return true;
}

bool ProgramUnderTest::Running() {
  if (mPid <= 0 || mExitStatus >= 0) return false;
  int status = 0;
  const pid_t result = waitpid(mPid, &status, WNOHANG);
  if (result == mPid) {
    mExitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return false;
  }
  return result == 0;
}

unsigned long ProgramUnderTest::WaitForWindow(int timeoutMs) {
  // The main window, not the 250 x 250 splash that shows while it starts.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (std::chrono::steady_clock::now() < deadline && Running()) {
    for (const WindowInfo& window : Windows()) {
      if (window.width == 250 && window.height == 250) continue;
      mWindow = window.id;
      return mWindow;
    }
    SleepMs(50);
  }
  return 0;
}

bool ProgramUnderTest::RequestClose() {
  DisplayHandle display(XOpenDisplay(nullptr));
  if (!display || !mWindow) return false;
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = mWindow;
  event.xclient.message_type = XInternAtom(display.get(), "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] =
      static_cast<long>(XInternAtom(display.get(), "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display.get(), mWindow, False, NoEventMask, &event);
  XFlush(display.get());
  return true;
}

int ProgramUnderTest::WaitForExit(int timeoutMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (std::chrono::steady_clock::now() < deadline) {
    if (!Running()) return mExitStatus;
    SleepMs(20);
  }
  kill(mPid, SIGKILL);
  waitpid(mPid, nullptr, 0);
  mExitStatus = -1;
  return -1;
}

std::string ProgramUnderTest::Log() const {
  std::ifstream file(mFolder + "/stderr.log", std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

bool ProgramUnderTest::WaitForLog(const std::string& text, int timeoutMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (std::chrono::steady_clock::now() < deadline) {
    if (Log().find(text) != std::string::npos) return true;
    SleepMs(50);
  }
  return false;
}

std::vector<ProgramUnderTest::WindowInfo> ProgramUnderTest::Windows() {
  if (mPid <= 0) return {};
  // A window may go between listing it and reading it (a message box being
  // dismissed); the request then fails, which must not end the test program.
  XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
  std::vector<WindowInfo> found;
  DisplayHandle display(XOpenDisplay(nullptr));
  if (!display) return found;
  const ::Window root = DefaultRootWindow(display.get());
  CollectWindowsOf(display.get(), root, root, mPid, found);
  return found;
}
