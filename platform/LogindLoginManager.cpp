#include "platform/LogindLoginManager.h"

#include <systemd/sd-bus.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

namespace {

constexpr const char* kService = "org.freedesktop.login1";
constexpr const char* kPath = "/org/freedesktop/login1";
constexpr const char* kManager = "org.freedesktop.login1.Manager";

}  // namespace

LogindLoginManager::~LogindLoginManager() {
  if (mBus) sd_bus_flush_close_unref(mBus);
}

std::string LogindLoginManager::ComputerName() {
  char name[256] = {};
  if (gethostname(name, sizeof name - 1) != 0) return {};
  return name;
}

int LogindLoginManager::Connect() {
  if (mBus) return 0;
  return sd_bus_open_system(&mBus);
}

int LogindLoginManager::CanPowerOff(bool reboot, std::string& answer) {
  if (!mBus) return -ENOTCONN;
  sd_bus_error error = SD_BUS_ERROR_NULL;
  sd_bus_message* reply = nullptr;
  int result = sd_bus_call_method(mBus, kService, kPath, kManager,
                                  reboot ? "CanReboot" : "CanPowerOff", &error, &reply, "");
  if (result >= 0) {
    const char* text = nullptr;
    result = sd_bus_message_read(reply, "s", &text);
    if (result >= 0 && text) answer = text;
  }
  sd_bus_error_free(&error);
  sd_bus_message_unref(reply);
  return result < 0 ? result : 0;
}

int LogindLoginManager::PowerOff(bool reboot, bool interactive) {
  if (!mBus) return -ENOTCONN;
  sd_bus_error error = SD_BUS_ERROR_NULL;
  const int result =
      sd_bus_call_method(mBus, kService, kPath, kManager, reboot ? "Reboot" : "PowerOff", &error,
                         nullptr, "b", interactive ? 1 : 0);
  sd_bus_error_free(&error);
  return result < 0 ? result : 0;
}

int LogindLoginManager::ScheduleShutdown(bool reboot, uint32_t delaySeconds) {
  if (!mBus) return -ENOTCONN;
  using namespace std::chrono;
  const uint64_t when = static_cast<uint64_t>(
      duration_cast<microseconds>(system_clock::now().time_since_epoch()).count() +
      static_cast<int64_t>(delaySeconds) * 1000000);
  sd_bus_error error = SD_BUS_ERROR_NULL;
  const int result = sd_bus_call_method(mBus, kService, kPath, kManager, "ScheduleShutdown", &error,
                                        nullptr, "st", reboot ? "reboot" : "poweroff", when);
  sd_bus_error_free(&error);
  return result < 0 ? result : 0;
}
