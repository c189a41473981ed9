// The program: the Windows GUI entry of app/Project1.cpp, run on the Qt widget set.
#include <QApplication>

#include "platform/Forms.hpp"
#include "platform/Windows.hpp"
#include "platform/qt/ProgramIcon.hpp"
#include "platform/qt/QtWidgetSet.hpp"

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    TQtWidgetSet widgetSet;
    SetWidgetSet(&widgetSet);
    widgetSet.SetApplicationIcon(ProgramIcon());
    // The entry's four arguments are ignored; there is no instance or command line.
    int result = WinMain(nullptr, nullptr, nullptr, 0);
    // The forms' windows go while the toolkit is still there.
    DoneApplication();
    SetWidgetSet(nullptr);
    return result;
}
