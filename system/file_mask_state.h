// The file-type mask held between SetFileMask and the next dialog: one for
// the library, released by FileMaskFree or by the dialog that uses it.
#pragma once

namespace zor {

// Takes ownership of a buffer from new char[kFileMaskBytes]; a mask still
// held is freed and replaced.
void HoldFileMask(char* buffer);
// The held list, or nullptr when none is held.
const char* HeldFileMask();
// Frees the held mask; false when none was held.
bool ReleaseFileMask();

}  // namespace zor
