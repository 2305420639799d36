#pragma once
// The restart on Linux: systemd-logind, asked over the system bus, decides
// whether this user may reboot the machine and carries the reboot out.

#include <memory>

#include "platform/services/Restart.h"

struct sd_bus;

namespace zorvanel::platform {

class LogindRestart : public RestartApi {
 public:
  LogindRestart();
  ~LogindRestart() override;

  // Connects to the system bus and asks logind's CanReboot. "yes" and
  // "challenge" (polkit will ask the user to authenticate) allow the reboot;
  // "no", "na", no bus or no logind is false.
  bool AcquireRestartRight() override;
  // Reboot with interactive authorisation allowed. Whether logind carries it
  // out is not looked at, as with the request on Windows.
  void RequestRestart() override;

 private:
  struct BusDeleter {
    void operator()(sd_bus* bus) const;
  };
  std::unique_ptr<sd_bus, BusDeleter> bus_;
};

}  // namespace zorvanel::platform
