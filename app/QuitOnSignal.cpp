#include "app/QuitOnSignal.h"

#ifndef _WIN32
#include <QApplication>
#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

// A signal handler may do next to nothing: it writes one byte into a pipe,
// and the event loop reads it and does the rest.
int WakeUp[2] = {-1, -1};

void OnSignal(int) {
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = write(WakeUp[1], &byte, 1);
}

}  // namespace

void OnTerminationSignals(std::function<void()> onSignal) {
  if (WakeUp[0] >= 0 || pipe2(WakeUp, O_CLOEXEC | O_NONBLOCK) != 0) return;
  auto* notifier = new QSocketNotifier(WakeUp[0], QSocketNotifier::Read, qApp);
  QObject::connect(notifier, &QSocketNotifier::activated, qApp, [onSignal = std::move(onSignal)] {
    char byte;
    while (read(WakeUp[0], &byte, 1) > 0) {
    }
    onSignal();
  });
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int signal : {SIGTERM, SIGHUP, SIGINT}) sigaction(signal, &action, nullptr);
}

#else

void OnTerminationSignals(std::function<void()>) {}

#endif
