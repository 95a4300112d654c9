#pragma once

#include "base/LoginManager.h"

typedef struct sd_bus sd_bus;

// The login manager over systemd-logind on the system bus.
class LogindLoginManager final : public LoginManager {
 public:
  ~LogindLoginManager() override;

  std::string ComputerName() override;
  int Connect() override;
  int CanPowerOff(bool reboot, std::string& answer) override;
  int PowerOff(bool reboot, bool interactive) override;
  int ScheduleShutdown(bool reboot, uint32_t delaySeconds) override;

 private:
  sd_bus* mBus = nullptr;
};
