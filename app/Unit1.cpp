#include "app/Unit1.h"

#include "platform/Resources.hpp"
#include "platform/Stdio.hpp"
#include "scan/RunState.h"
#include "scan/Scan.h"
#include "snapshot/Snapshot.h"

// The form description Unit1.dfm is among the program's resources.
USE_RESOURCES(ProjectResources);

TForm1 *Form1;

// The handlers that the form description names (the commands, in Commands.cpp).
static const TPublishedMethods<TForm1> Form1Methods{
    {"K1Click", &TForm1::K1Click},           {"Close1Click", &TForm1::Close1Click},
    {"Button1Click", &TForm1::Button1Click}, {"Button2Click", &TForm1::Button2Click},
    {"Button3Click", &TForm1::Button3Click},
};

// The window is made but not shown yet: find the Windows folder, work from the root of
// its drive, show no button and an empty text area with the arrow, and make the first
// snapshot when there is none.
static void StartUp() {
    LocateWindowsFolder();
    Crt::chdir((DriveText + "\\").c_str());
    Form1->Button1->Visible = false;
    Form1->Button2->Visible = false;
    Form1->Button3->Visible = false;
    Form1->Memo1->Cursor = crArrow;
    Form1->Memo1->Clear();
    CreateFirstSnapshot();
}

TForm1::TForm1(TComponent *Owner) : TForm(Owner) {
    PrevStart = 0;
    StartUp();
}
