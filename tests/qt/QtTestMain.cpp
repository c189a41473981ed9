// The tests' own main: the widget set needs a QApplication, made on the offscreen
// platform unless another is asked for.
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
