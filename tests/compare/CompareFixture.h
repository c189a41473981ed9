// A headless main window after start-up on a temporary drive C (the current directory is
// its root, so the Windows folder is C:\Windows and the data folder C:\Kavru exists with
// a snapshot file), and helpers that fill the entry lists from tables.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "app/Unit1.h"
#include "platform/Testing.hpp"
#include "scan/RunState.h"
#include "support/HeadlessApp.h"
#include "support/RunStateReset.h"
#include "support/TempDrives.h"

namespace compare_test {

struct Entry {
    std::string name;
    std::string stamp;
};

class CompareFixture : public ::testing::Test {
protected:
    RunStateReset reset;
    support::TempDrives drives;
    std::string c = drives.AddDrive('C');
    std::string kavru = support::TempDrives::MakeFolder(c + "/Kavru");
    std::optional<support::HeadlessApp> app;

    void SetUp() override {
        // A snapshot file is there, so start-up scans nothing and writes nothing.
        support::TempDrives::MakeFile(kavru + "/czenkai.txt",
                                      "97/05/01\r\n 18:20:07\r\n*\r\n *\r\n*\r\n *\r\n");
        drives.ChangeDir(c);
        app.emplace();
        Application->CreateForm<TForm1>(&Form1);
        ASSERT_NE(Form1, nullptr);
        ASSERT_EQ(DriveText.Bytes(), "C:");
        ASSERT_EQ(WinDirName.Bytes(), "Windows");
        NowDate = "97/05/03";
        NowTime = "9:05:03";
    }
    void TearDown() override {
        app.reset();  // destroys the window
        Form1 = nullptr;
        PlatformTesting::SetClock({});
    }

    // Fills the lists from slot 0 on; the slots after the table keep what they hold.
    static void Fill(DynamicArray<AnsiString> &names, DynamicArray<AnsiString> &stamps,
                     const std::vector<Entry> &entries) {
        for (std::size_t i = 0; i < entries.size(); ++i) {
            names[static_cast<int>(i)] = AnsiString::FromBytes(entries[i].name);
            stamps[static_cast<int>(i)] = AnsiString::FromBytes(entries[i].stamp);
        }
    }
    // The previous lists as a load leaves them: PrevCount is the table's size.
    static void SetPrevious(const std::vector<Entry> &entries) {
        Fill(PrevNames, PrevStamps, entries);
        PrevCount = static_cast<int>(entries.size());
    }
    static void SetCurrent(const std::vector<Entry> &entries) {
        Fill(NowNames, NowStamps, entries);
    }

    static std::vector<std::string> MemoLines() {
        std::vector<std::string> lines;
        for (int i = 0; i < Form1->Memo1->Lines->Count(); ++i)
            lines.push_back(Form1->Memo1->Lines->Get(i).Bytes());
        return lines;
    }
    static std::string MemoText() {
        std::string text;
        for (const std::string &line : MemoLines()) text += line + "\r\n";
        return text;
    }
};

}  // namespace compare_test
