// The owner of the library's dialogs: the window a script named with
// SetParentWnd. Message boxes and the file dialogs take it as their owner.
#pragma once

#include <windows.h>

namespace zor {

// The stored handle, 0 when none; never tested.
HWND ParentWindowRaw();
void SetParentWindowHandle(HWND window);
// The stored handle as an owner: a handle that no longer names a window is
// reset to 0 for good, and 0 is returned.
HWND OwnerWindow();

}  // namespace zor
