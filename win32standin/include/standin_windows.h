// user32: windows, the message queue, the cursor and the foreground window.
#pragma once
