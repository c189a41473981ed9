// Locating the Windows folder, scanning it and its System folder into the current lists,
// and the date and time texts.
#pragma once

#include "platform/System.hpp"

// Sets DriveText and WinDirName from the four probes for Kernel32.dll, else the drive
// of the current directory.
void LocateWindowsFolder();
// Lists the Windows folder and then its System folder into NowNames and NowStamps,
// each section closed by its end mark, with NowDate and NowTime.
void ScanFolders();
// Lists the folder ScanDir into the current lists from ListIndex on.
void ListFolder();
// The text of a date-time value: a time text below 1.0, a date text for a whole
// number, else the date text, one blank and the time text.
AnsiString DateTimeText(TDateTime value);
