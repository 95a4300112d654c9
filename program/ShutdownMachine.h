#pragma once

// Shutting a computer down through the login manager.

#include <cstdint>
#include <string>

class LoginManager;

struct ShutdownRequest {
  std::string machine;  // "\\name" or "name"
  bool force = false;   // close applications without asking
  bool reboot = true;
  bool allowLocal = false;
  uint32_t delaySeconds = 0;
  std::string message;
};

// Shuts the named computer down or restarts it. Only this computer can be shut
// down, and only with allowLocal; another computer's name gives false with a
// log line. Each failing step is logged with its number; a refused request is not.
bool InitiateShutdownMachine(LoginManager& loginManager, const ShutdownRequest& request);
