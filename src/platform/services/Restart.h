#pragma once

namespace zorvanel::platform {

// What a restart needs of the system: the right to restart, then the request.
class RestartApi {
 public:
  virtual ~RestartApi() = default;
  // Makes sure this process may restart the machine; false when it may not.
  virtual bool AcquireRestartRight() = 0;
  // Hands the restart request to the system; its answer is not looked at.
  virtual void RequestRestart() = 0;
};

}  // namespace zorvanel::platform
