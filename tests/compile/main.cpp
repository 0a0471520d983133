#include <QApplication>

#include <gtest/gtest.h>

#if defined(__SANITIZE_ADDRESS__)
// Qt keeps caches until exit that the leak checker would report; set here
// rather than in the test's environment, which can carry only one variable
// through gtest_discover_tests.
extern "C" const char* __asan_default_options() { return "detect_leaks=0"; }
#endif

// The runs and the output window need an application object and its event
// loop; the offscreen platform keeps them headless.
int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
