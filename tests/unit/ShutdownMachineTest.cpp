#include "program/ShutdownMachine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Log.h"
#include "base/LoginManager.h"

namespace {

class FakeLoginManager final : public LoginManager {
 public:
  std::string ComputerName() override { return "LivingRoom"; }
  int Connect() override {
    calls.push_back("Connect");
    return connectResult;
  }
  int CanPowerOff(bool reboot, std::string& result) override {
    calls.push_back(reboot ? "CanReboot" : "CanPowerOff");
    result = answer;
    return canResult;
  }
  int PowerOff(bool reboot, bool interactive) override {
    calls.push_back(std::string(reboot ? "Reboot" : "PowerOff") + (interactive ? " asking" : ""));
    return powerOffResult;
  }
  int ScheduleShutdown(bool reboot, uint32_t delay) override {
    calls.push_back(std::string(reboot ? "Schedule reboot " : "Schedule poweroff ") +
                    std::to_string(delay));
    return powerOffResult;
  }

  int connectResult = 0;
  int canResult = 0;
  std::string answer = "yes";
  int powerOffResult = 0;
  std::vector<std::string> calls;
};

struct Case {
  const char* what;
  std::string machine;
  bool allowLocal;
  int connectResult;
  int canResult;
  const char* answer;
  int powerOffResult;
  bool expected;
  std::vector<std::string> calls;
  const char* logged;  // a part of the one log line, or "" for none
};

TEST(ShutdownMachineTest, EveryDecisionAndLogLine) {
  const Case cases[] = {
      {"local, allowed",
       "LivingRoom",
       true,
       0,
       0,
       "yes",
       0,
       true,
       {"Connect", "CanPowerOff", "PowerOff"},
       ""},
      {"local with two backslashes, any case",
       "\\\\LIVINGROOM",
       true,
       0,
       0,
       "yes",
       0,
       true,
       {"Connect", "CanPowerOff", "PowerOff"},
       ""},
      {"local without allow-local", "livingroom", false, 0, 0, "yes", 0, false, {}, ""},
      {"another computer",
       "\\\\Kitchen",
       true,
       0,
       0,
       "yes",
       0,
       false,
       {},
       "Kitchen is another computer"},
      {"the bus cannot be reached",
       "LivingRoom",
       true,
       -2,
       0,
       "yes",
       0,
       false,
       {"Connect"},
       "InitiateShutdownMachine: OpenProcessToken Error: 2"},
      {"the question fails",
       "LivingRoom",
       true,
       0,
       -5,
       "yes",
       0,
       false,
       {"Connect", "CanPowerOff"},
       "InitiateShutdownMachine: LookupPrivilegeValue Error: 5"},
      {"the answer is no",
       "LivingRoom",
       true,
       0,
       0,
       "no",
       0,
       false,
       {"Connect", "CanPowerOff"},
       "InitiateShutdownMachine: AdjustTokenPrivileges Error: 13"},
      {"authorisation may be asked",
       "LivingRoom",
       true,
       0,
       0,
       "challenge",
       0,
       true,
       {"Connect", "CanPowerOff", "PowerOff"},
       ""},
      {"the request is refused: not logged",
       "LivingRoom",
       true,
       0,
       0,
       "yes",
       -1,
       false,
       {"Connect", "CanPowerOff", "PowerOff"},
       ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FakeLoginManager manager;
    manager.connectResult = c.connectResult;
    manager.canResult = c.canResult;
    manager.answer = c.answer;
    manager.powerOffResult = c.powerOffResult;
    std::vector<std::string> lines;
    const LogSink previous = SetLogSink([&](const std::string& line) { lines.push_back(line); });
    ShutdownRequest request;
    request.machine = c.machine;
    request.force = true;
    request.reboot = false;
    request.allowLocal = c.allowLocal;
    const bool result = InitiateShutdownMachine(manager, request);
    SetLogSink(previous);
    EXPECT_EQ(result, c.expected);
    EXPECT_EQ(manager.calls, c.calls);
    if (std::string(c.logged).empty()) {
      EXPECT_TRUE(lines.empty());
    } else {
      ASSERT_EQ(lines.size(), 1u);
      EXPECT_NE(lines[0].find(c.logged), std::string::npos) << lines[0];
    }
  }
}

TEST(ShutdownMachineTest, RebootDelayAndForceMapOntoTheLoginManager) {
  FakeLoginManager manager;
  ShutdownRequest request{"LivingRoom", false, true, true, 30, ""};
  EXPECT_TRUE(InitiateShutdownMachine(manager, request));
  EXPECT_EQ(manager.calls,
            (std::vector<std::string>{"Connect", "CanReboot", "Schedule reboot 30"}));
  manager.calls.clear();
  request.delaySeconds = 0;
  EXPECT_TRUE(InitiateShutdownMachine(manager, request));
  EXPECT_EQ(manager.calls.back(), "Reboot asking");
}

}  // namespace
