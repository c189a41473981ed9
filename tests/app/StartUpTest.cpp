// The main window and its start-up, headless: the form built from Unit1.dfm, the
// sequence its constructor runs with and without a snapshot file, and the program entry
// with an exception during start-up.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "app/Unit1.h"
#include "platform/SysUtils.hpp"
#include "platform/Testing.hpp"
#include "platform/Windows.hpp"
#include "scan/RunState.h"
#include "support/HeadlessApp.h"
#include "support/RunStateReset.h"
#include "support/TempDrives.h"

namespace {

using support::PeerOf;
using support::TempDrives;

std::string Bytes(const AnsiString &s) { return s.Bytes(); }

const std::string MsGothic = "\x82\x6C\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4E";

// A C: drive whose Windows folder holds Win.ini and System\Kernel32.dll, a D: drive
// where the program starts, and a clock fixed at 98/06/01 21:04:37.
class StartUpTest : public ::testing::Test {
protected:
    RunStateReset reset;
    TempDrives drives;
    std::string c = drives.AddDrive('C');
    std::string d = drives.AddDrive('D');
    std::string kavru = c + "/Kavru";
    support::HeadlessApp app;

    void SetUp() override {
        TempDrives::MakeFile(c + "/Windows/Win.ini", "[windows]\r\n");
        TempDrives::MakeFile(c + "/Windows/System/Kernel32.dll", "MZ");
        TempDrives::SetMTime(c + "/Windows/Win.ini", "1998-05-20 10:12:00");
        TempDrives::SetMTime(c + "/Windows/System/Kernel32.dll", "1997-05-03 09:02:44");
        TempDrives::SetMTime(c + "/Windows/System", "1998-05-29 12:30:00");
        TempDrives::SetMTime(c + "/Windows", "1998-05-30 08:00:00");
        TempDrives::SetMTime(c, "1998-05-01 07:00:00");
        drives.ChangeDir(d);
        PlatformTesting::SetClock(
            [] { return PlatformTesting::ClockReading{1998, 6, 1, 21, 4, 37, 500}; });
    }
    void TearDown() override {
        PlatformTesting::SetClock({});
        Form1 = nullptr;
    }

    void MakeSnapshotFile() { TempDrives::MakeFile(kavru + "/czenkai.txt", "kept as it is\r\n"); }

    std::set<std::string> DataFolder() const {
        std::set<std::string> names;
        for (const auto &entry : std::filesystem::directory_iterator(kavru))
            names.insert(entry.path().filename().string());
        return names;
    }

    // What start-up leaves in either case, before the window is shown.
    void ExpectWindowAfterStartUp() {
        EXPECT_FALSE(Form1->HandleAllocated());  // not shown yet
        EXPECT_EQ(Bytes(GetCurrentDir()), "C:\\");
        EXPECT_EQ(Bytes(Form1->Memo1->Text), "");
        EXPECT_EQ(Form1->Memo1->Lines->Count(), 0);
        EXPECT_FALSE(Form1->Button1->Visible);
        EXPECT_FALSE(Form1->Button2->Visible);
        EXPECT_FALSE(Form1->Button3->Visible);
        EXPECT_EQ(Form1->Memo1->Cursor, crArrow);
        EXPECT_EQ(Form1->Cursor, crDefault);
        EXPECT_EQ(Form1->Button2->Cursor, crDefault);
    }
};

TEST_F(StartUpTest, WithASnapshotFileNothingIsScannedOrWritten) {
    MakeSnapshotFile();
    PrevStart = 7;
    Application->CreateForm<TForm1>(&Form1);
    EXPECT_EQ(PrevStart, 0);
    EXPECT_EQ(Bytes(NowNames[0]), "");  // no scan
    EXPECT_EQ(Bytes(NowDate), "");
    EXPECT_EQ(Bytes(DriveText), "C:");
    ExpectWindowAfterStartUp();
    EXPECT_EQ(DataFolder(), std::set<std::string>{"czenkai.txt"});
    EXPECT_EQ(TempDrives::ReadBytes(kavru + "/czenkai.txt"), "kept as it is\r\n");
}

TEST_F(StartUpTest, TheFirstStartWritesBothFilesBeforeTheWindowIsShown) {
    Application->CreateForm<TForm1>(&Form1);
    const std::string scan =
        "98/06/01\r\n"
        " 21:04:37\r\n"
        "C:\\Windows\\.<Dir>\r\n"
        " 98/05/30 8:00:00\r\n"
        "C:\\Windows\\..<Dir>\r\n"
        " 98/05/01 7:00:00\r\n"
        "C:\\Windows\\System<Dir>\r\n"
        " 98/05/29 12:30:00\r\n"
        "C:\\Windows\\Win.ini\r\n"
        " 98/05/20 10:12:00\r\n"
        "*\r\n"
        " *\r\n"
        "C:\\Windows\\System\\.<Dir>\r\n"
        " 98/05/29 12:30:00\r\n"
        "C:\\Windows\\System\\..<Dir>\r\n"
        " 98/05/30 8:00:00\r\n"
        "C:\\Windows\\System\\Kernel32.dll\r\n"
        " 97/05/03 9:02:44\r\n"
        "*\r\n"
        " *\r\n";
    EXPECT_EQ(DataFolder(), (std::set<std::string>{"czenkai.bak", "czenkai.txt"}));
    EXPECT_EQ(TempDrives::ReadBytes(kavru + "/czenkai.txt"), scan);
    EXPECT_EQ(TempDrives::ReadBytes(kavru + "/czenkai.bak"), scan);
    EXPECT_EQ(PrevStart, 1);
    ExpectWindowAfterStartUp();
}

TEST_F(StartUpTest, TheShownWindowHasAnEmptyTextAreaNoButtonAndTheMenuBar) {
    MakeSnapshotFile();
    bool ran = false;
    app.Widgets().OnRun = [&] {
        ran = true;
        THeadlessFormPeer &form = PeerOf(Form1);
        EXPECT_TRUE(form.Visible);
        ASSERT_EQ(form.MenuBar.size(), 2u);
        EXPECT_EQ(form.MenuBar[0].Item, Form1->K1);
        EXPECT_EQ(Bytes(form.MenuBar[0].Caption), "\x8A\x4A\x8E\x6E(&S)");
        EXPECT_EQ(form.MenuBar[1].Item, Form1->Close1);
        EXPECT_EQ(Bytes(form.MenuBar[1].Caption), "\x95\xC2\x82\xB6\x82\xE9(&E)");
        EXPECT_EQ(form.Icon.substr(0, 6), std::string("\x00\x00\x01\x00\x02\x00", 6));
        THeadlessMemoPeer &memo = PeerOf(Form1->Memo1);
        EXPECT_EQ(Bytes(memo.Text), "");
        EXPECT_EQ(memo.Shown.find("Memo1"), std::string::npos);  // never shown
        EXPECT_EQ(memo.Cursor, -2);
        EXPECT_TRUE(memo.Visible);
        for (TButton *button : {Form1->Button1, Form1->Button2, Form1->Button3})
            EXPECT_FALSE(PeerOf(button).Visible);
        Form1->Close();  // the window's close box
    };
    EXPECT_EQ(WinMain(nullptr, nullptr, nullptr, 0), 0);
    EXPECT_TRUE(ran);
    EXPECT_TRUE(Application->Terminated());
    EXPECT_TRUE(app.Widgets().MessageBoxes.empty());
    EXPECT_EQ(DataFolder(), std::set<std::string>{"czenkai.txt"});
    EXPECT_EQ(TempDrives::ReadBytes(kavru + "/czenkai.txt"), "kept as it is\r\n");
}

TEST_F(StartUpTest, AnExceptionDuringStartUpIsShownAndTheEntryReturnsZero) {
    TempDrives::MakeFile(kavru, "a file where the data folder belongs");
    EXPECT_EQ(WinMain(nullptr, nullptr, nullptr, 0), 0);
    ASSERT_EQ(app.Widgets().MessageBoxes.size(), 1u);
    const auto &box = app.Widgets().MessageBoxes[0];
    EXPECT_EQ(Bytes(box.Text),
              "\xCC\xA7\xB2\xD9 C:\\Kavru\\czenkai.txt "
              "\x82\xF0\x8D\xEC\x90\xAC\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1.");
    EXPECT_EQ(Bytes(box.Caption), "quindral");
    EXPECT_EQ(box.Flags, MB_ICONSTOP | MB_OK);
    EXPECT_EQ(Form1, nullptr);
    EXPECT_EQ(Application->MainForm(), nullptr);
    EXPECT_EQ(Application->ComponentCount(), 0);
    EXPECT_EQ(app.Widgets().RunCount, 0);  // the window never shows
}

TEST_F(StartUpTest, TheFormDescriptionGivesTheLayout) {
    MakeSnapshotFile();
    Application->CreateForm<TForm1>(&Form1);
    EXPECT_EQ(Bytes(Form1->Name()), "Form1");
    EXPECT_EQ((std::vector<int>{Form1->Left, Form1->Top, Form1->Width, Form1->Height}),
              (std::vector<int>{109, 88, 528, 435}));
    EXPECT_EQ(Bytes(Form1->Caption), "Quindral");
    EXPECT_EQ(Form1->PixelsPerInch, 96);
    EXPECT_EQ(Form1->TextHeight, 12);
    EXPECT_EQ(static_cast<TMainMenu *>(Form1->Menu), Form1->MainMenu1);
    EXPECT_EQ(Form1->Icon->Data().substr(0, 6), std::string("\x00\x00\x01\x00\x02\x00", 6));
    EXPECT_FALSE(Form1->OnClick);

    struct Font {
        TControl *control;
        const char *name;
    } fonts[] = {{Form1, "Form1"},
                 {Form1->Memo1, "Memo1"},
                 {Form1->Button1, "Button1"},
                 {Form1->Button2, "Button2"},
                 {Form1->Button3, "Button3"}};
    for (const Font &f : fonts) {
        EXPECT_EQ(f.control->Font->Charset, 128) << f.name;  // SHIFTJIS_CHARSET
        EXPECT_EQ(f.control->Font->Color, 0) << f.name;      // clBlack
        EXPECT_EQ(f.control->Font->Height, -12) << f.name;
        EXPECT_EQ(Bytes(f.control->Font->Name), MsGothic) << f.name;
        EXPECT_EQ(f.control->Font->Style, 0) << f.name;
    }

    struct Place {
        TControl *control;
        const char *name;
        int left, top, width, height;
        std::string caption;
        int tabOrder;
        bool clicks;
    } places[] = {
        {Form1->Memo1, "Memo1", 16, 72, 465, 265, "", 0, false},
        {Form1->Button1, "Button1", 208, 352, 73, 33, "\xCC\xA7\xB2\xD9\x8D\x58\x90\x56(&A)", 1,
         true},
        {Form1->Button2, "Button2", 112, 16, 73, 33, "\x94\xE4\x81\x40\x8A\x72(&H)", 2, true},
        {Form1->Button3, "Button3", 272, 16, 129, 33,
         "\xB8\xD8\xAF\xCC\xDF\xCE\xDE\xB0\xC4\xDE\x82\xC9\xBA\xCB\xDF\xB0(&C)", 3, true},
    };
    ASSERT_EQ(Form1->ControlCount(), 4);
    for (const Place &p : places) {
        EXPECT_EQ(Bytes(p.control->Name()), p.name);
        EXPECT_EQ(static_cast<TForm *>(p.control->Parent), Form1) << p.name;
        EXPECT_EQ((std::vector<int>{p.control->Left, p.control->Top, p.control->Width,
                                    p.control->Height}),
                  (std::vector<int>{p.left, p.top, p.width, p.height}))
            << p.name;
        EXPECT_EQ(Bytes(p.control->Caption), p.caption) << p.name;
        EXPECT_EQ(p.control->TabOrder, p.tabOrder) << p.name;
        EXPECT_EQ(static_cast<bool>(p.control->OnClick), p.clicks) << p.name;
    }
    EXPECT_TRUE(Form1->Memo1->ReadOnly);
    EXPECT_EQ(Form1->Memo1->ScrollBars, ssBoth);
    EXPECT_FALSE(Form1->Memo1->ParentFont);
    EXPECT_TRUE(Form1->Button1->ParentFont);

    // Both items stand on the bar itself, with no menu under them.
    TMenuItem *bar = Form1->MainMenu1->Items;
    ASSERT_EQ(bar->Count(), 2);
    EXPECT_EQ(bar->Items(0), Form1->K1);
    EXPECT_EQ(bar->Items(1), Form1->Close1);
    EXPECT_EQ(Bytes(Form1->K1->Caption), "\x8A\x4A\x8E\x6E(&S)");
    EXPECT_EQ(Bytes(Form1->Close1->Caption), "\x95\xC2\x82\xB6\x82\xE9(&E)");
    for (TMenuItem *item : {Form1->K1, Form1->Close1}) {
        EXPECT_EQ(item->Count(), 0);
        EXPECT_EQ(item->ShortCut, 0);
        EXPECT_TRUE(item->Visible);
        EXPECT_TRUE(static_cast<bool>(item->OnClick));
    }
}

}  // namespace
