#pragma once
// What the POSIX and Windows processes share: the end of the run, reported
// once to Exited and kept for Wait.

#include <condition_variable>
#include <mutex>
#include <utility>

#include "platform/Process.h"

namespace platform {

class ProcessBase : public Process {
 public:
  ProcessExit Wait() override {
    std::unique_lock<std::mutex> lock(Mutex);
    Ended.wait(lock, [this] { return Done; });
    return Exit;
  }

 protected:
  explicit ProcessBase(Handlers handlers) : H(std::move(handlers)) {}

  // Calls Exited, then wakes Wait; the last thing the reader thread does.
  void Finish(const ProcessExit& exit) {
    if (H.Exited) H.Exited(exit);
    std::lock_guard<std::mutex> lock(Mutex);
    Exit = exit;
    Done = true;
    Ended.notify_all();
  }

  Handlers H;
  std::mutex Mutex;  // guards Done and the subclass's stop state
  bool Done = false;

 private:
  std::condition_variable Ended;
  ProcessExit Exit;
};

}  // namespace platform
