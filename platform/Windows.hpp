// The few Windows types and constants the program's entry and the message boxes use.
#pragma once

struct HINSTANCE__;
using HINSTANCE = HINSTANCE__ *;  // a module's instance; the program has none to hand on
using LPSTR = char *;

// The calling convention of the Windows entry points; nothing to say on this platform.
#define WINAPI

// MessageBox flags and results.
constexpr int MB_OK = 0x00;
constexpr int MB_ICONSTOP = 0x10;
constexpr int MB_ICONERROR = MB_ICONSTOP;
constexpr int IDOK = 1;

// The Windows GUI entry function, app/Project1.cpp; the platform's main() calls it.
int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);
