// The program's own icon, the bytes of app/Quindral.ico built into it.
#pragma once

#include <string>

std::string ProgramIcon();
