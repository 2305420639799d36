#include "platform/linux/LogindRestart.h"

#include <systemd/sd-bus.h>

#include <string_view>

namespace zorvanel::platform {

namespace {

constexpr const char* kLogindService = "org.freedesktop.login1";
constexpr const char* kLogindPath = "/org/freedesktop/login1";
constexpr const char* kLogindManager = "org.freedesktop.login1.Manager";

struct ErrorHolder {
  sd_bus_error error = SD_BUS_ERROR_NULL;
  ~ErrorHolder() { sd_bus_error_free(&error); }
};

struct MessageHolder {
  sd_bus_message* message = nullptr;
  ~MessageHolder() { sd_bus_message_unref(message); }
};

bool RebootAllowed(std::string_view canRebootAnswer) {
  return canRebootAnswer == "yes" || canRebootAnswer == "challenge";
}

}  // namespace

void LogindRestart::BusDeleter::operator()(sd_bus* bus) const { sd_bus_flush_close_unref(bus); }

LogindRestart::LogindRestart() = default;
LogindRestart::~LogindRestart() = default;

bool LogindRestart::AcquireRestartRight() {
  sd_bus* bus = nullptr;
  if (sd_bus_open_system(&bus) < 0) return false;
  bus_.reset(bus);
  // Lets polkit ask the user for a password when logind answers "challenge".
  sd_bus_set_allow_interactive_authorization(bus, 1);

  ErrorHolder error;
  MessageHolder reply;
  if (sd_bus_call_method(bus, kLogindService, kLogindPath, kLogindManager, "CanReboot",
                         &error.error, &reply.message, "") < 0) {
    return false;
  }
  const char* answer = nullptr;
  if (sd_bus_message_read(reply.message, "s", &answer) < 0 || !answer) return false;
  return RebootAllowed(answer);
}

void LogindRestart::RequestRestart() {
  if (!bus_) return;
  ErrorHolder error;
  sd_bus_call_method(bus_.get(), kLogindService, kLogindPath, kLogindManager, "Reboot",
                     &error.error, nullptr, "b", 1);
}

}  // namespace zorvanel::platform
