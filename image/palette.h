// The screen's palette and the copy of its buffer to the window, shared by
// every image loader.
#pragma once

#include <windows.h>

#include <cstdint>

#include "host/host_records.h"

namespace zor {

// Makes `count` RGB triples (red first) the screen's palette: the colour
// table of its DIB (palette screens only) and a logical palette selected
// into its memory DC. count is 1 to 256.
void InstallPalette(HspScreen* screen, int count, const std::uint8_t* rgbTriples);

// Copies the buffer to the screen's window when redrawMode asks for it.
void RedrawScreen(HspScreen* screen);

// Copies the visible part of the buffer into dc, with the screen's palette
// realized there for the copy.
void PaintScreen(HDC dc, HspScreen* screen);

}  // namespace zor
