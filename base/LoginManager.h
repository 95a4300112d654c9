#pragma once

// The system's login manager, which powers the computer off. Implemented over
// systemd-logind's D-Bus interface in platform/; tests use a fake and never
// reach the real bus. Errors are negative errno values, 0 is success.

#include <cstdint>
#include <string>

class LoginManager {
 public:
  virtual ~LoginManager() = default;

  // This computer's name.
  virtual std::string ComputerName() = 0;

  // Opens the connection to the login manager.
  virtual int Connect() = 0;

  // Asks whether this user may power off (or reboot) the computer; the answer
  // is "yes", "no", "challenge" or "na".
  virtual int CanPowerOff(bool reboot, std::string& answer) = 0;

  // Powers off (or reboots) now. interactive: the login manager may ask the
  // user for authorisation.
  virtual int PowerOff(bool reboot, bool interactive) = 0;

  // Powers off (or reboots) after a delay.
  virtual int ScheduleShutdown(bool reboot, uint32_t delaySeconds) = 0;
};
