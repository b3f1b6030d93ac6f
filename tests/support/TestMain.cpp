#include <QApplication>
#include <gtest/gtest.h>

// Every test binary builds a QApplication; gtest_discover_tests runs the binaries without the
// tests' environment, so the offscreen platform is chosen here when nothing else is.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
