// imm32: one input context per window, with its open status.
#pragma once

typedef HANDLE HIMC;

// The window's context, or NULL for a window that is none. Each context
// taken counts as an open handle until ImmReleaseContext.
ZOR_WIN32_API HIMC WINAPI ImmGetContext(HWND window);
ZOR_WIN32_API BOOL WINAPI ImmReleaseContext(HWND window, HIMC context);
ZOR_WIN32_API BOOL WINAPI ImmSetOpenStatus(HIMC context, BOOL open);
ZOR_WIN32_API BOOL WINAPI ImmGetOpenStatus(HIMC context);
