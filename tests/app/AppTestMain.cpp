// One QApplication for every test; windows are created offscreen.

#include <gtest/gtest.h>

#include <QApplication>

// Test discovery runs this program outside CTest's environment, so leak
// checking is switched off here too (Qt keeps allocations until exit).
extern "C" const char* __asan_default_options();
extern "C" const char* __asan_default_options() { return "detect_leaks=0"; }

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
