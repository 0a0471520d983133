#include "platform/StopSignals.h"

#include <cstdlib>

#ifdef _WIN32

namespace platform {

void CatchStopSignals() {}
int StopSignal() { return 0; }
void EndBySignal(int signal) { std::_Exit(128 + signal); }

}  // namespace platform

#else

#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <initializer_list>

namespace platform {

namespace {

std::atomic<int> caught{0};

extern "C" void Record(int signal) {
  int none = 0;
  caught.compare_exchange_strong(none, signal);
}

}  // namespace

void CatchStopSignals() {
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
    struct sigaction old {};
    if (sigaction(signal, nullptr, &old) == 0 && old.sa_handler == SIG_IGN) continue;
    struct sigaction action {};
    action.sa_handler = Record;
    action.sa_flags = SA_RESTART;  // the writes of the tools' output go on
    sigemptyset(&action.sa_mask);
    sigaction(signal, &action, nullptr);
  }
}

int StopSignal() { return caught.load(); }

void EndBySignal(int signal) {
  ::signal(signal, SIG_DFL);
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, signal);
  pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
  raise(signal);
  _exit(128 + signal);
}

}  // namespace platform

#endif
