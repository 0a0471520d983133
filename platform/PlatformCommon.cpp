#include "platform/Platform.h"

#include <thread>

namespace platform {

unsigned CoreCount() {
  const unsigned n = std::thread::hardware_concurrency();
  return n == 0 ? 1 : n;
}

}  // namespace platform
