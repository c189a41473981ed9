// The tests' own main: the widget set needs a QApplication, made on the offscreen
// platform unless another is asked for.
#include <gtest/gtest.h>

#include <QApplication>

namespace {
QtMessageHandler toolkitHandler = nullptr;

// The offscreen platform says for every window that it cannot raise it or pass on its
// size hints; that is no news to these tests.
void QuietHandler(QtMsgType type, const QMessageLogContext &context, const QString &message) {
    if (message.startsWith("This plugin does not support")) return;
    toolkitHandler(type, context, message);
}
}  // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    toolkitHandler = qInstallMessageHandler(QuietHandler);
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
