// The shell's interfaces live with the rest of the stand-in's calls.
#pragma once

#include <windows.h>
