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
  // False when the registry the program changes belongs to a Windows that
  // is not running (an installation opened from Linux): there is nothing
  // to restart, and the changes take effect when that Windows next starts.
  virtual bool ReachesTarget() { return true; }
};

class OfflineRestart : public RestartApi {
 public:
  bool AcquireRestartRight() override { return false; }
  void RequestRestart() override {}
  bool ReachesTarget() override { return false; }
};

}  // namespace zorvanel::platform
