#include "program/ShutdownMachine.h"

#include "base/Log.h"
#include "base/LoginManager.h"
#include "base/Text.h"

bool InitiateShutdownMachine(LoginManager& loginManager, const ShutdownRequest& request) {
  std::string machine = request.machine;
  if (machine.rfind("\\\\", 0) == 0) machine.erase(0, 2);

  if (!EqualsIgnoreCase(machine, loginManager.ComputerName())) {
    WriteLog("InitiateShutdownMachine: " + machine +
             " is another computer; only this computer can be shut down");
    return false;
  }
  if (!request.allowLocal) return false;

  // The three privilege steps of the system this grew up on map onto the login
  // manager: reaching it, asking whether this user may power off, and its answer.
  if (const int error = loginManager.Connect(); error < 0) {
    WriteLog("InitiateShutdownMachine: OpenProcessToken Error: " + std::to_string(-error));
    return false;
  }
  std::string answer;
  if (const int error = loginManager.CanPowerOff(request.reboot, answer); error < 0) {
    WriteLog("InitiateShutdownMachine: LookupPrivilegeValue Error: " + std::to_string(-error));
    return false;
  }
  if (answer != "yes" && answer != "challenge") {
    constexpr int kAccessDenied = 13;  // EACCES
    WriteLog("InitiateShutdownMachine: AdjustTokenPrivileges Error: " +
             std::to_string(kAccessDenied) + " (" + answer + ")");
    return false;
  }

  // A refused request is not logged; the result says it.
  const int result = request.delaySeconds > 0
                         ? loginManager.ScheduleShutdown(request.reboot, request.delaySeconds)
                         : loginManager.PowerOff(request.reboot, /*interactive=*/!request.force);
  return result >= 0;
}
