// The floor of the start-up figure: the toolkit alone, showing an empty window of the
// main window's size with a menu bar, a text area and a button, and nothing else.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle("QuindralFloor");
    window.setGeometry(109, 88, 528, 435);
    window.menuBar()->addAction("Start");
    auto *memo = new QPlainTextEdit(&window);
    memo->setGeometry(16, 72, 465, 265);
    auto *button = new QPushButton("Compare", &window);
    button->setGeometry(112, 16, 73, 33);
    window.show();
    return app.exec();
}
