#include "app/Unit1.h"
#include "platform/Forms.hpp"
#include "platform/Windows.hpp"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    try {
        Application->Initialize();
        Application->CreateForm<TForm1>(&Form1);
        Application->Run();
    } catch (Exception &exception) {
        Application->ShowException(&exception);
    }
    return 0;
}
