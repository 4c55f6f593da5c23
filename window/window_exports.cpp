// The script's window: dragging, re-parenting, message boxes, system
// colours, raster operations, object fonts, window state, flashing, the
// cursor in client coordinates and the input method.
#include <windows.h>

#include "host/capacity.h"
#include "host/export.h"
#include "window/message_box.h"
#include "window/object_ref.h"
#include "window/parent_window.h"

using namespace zor;

namespace {

constexpr int kRasterCodes[9] = {13, 9, 15, 7, 4, 6, 8, 2, 10};
constexpr WPARAM kMoveByCaption = 0xF012;  // SC_MOVE | HTCAPTION
constexpr std::int32_t kOutsideClient = -268435455;

std::int32_t Show(const HspScreen* screen, int command) {
  ShowWindow(WindowOf(screen->window), command);
  return 0;
}

}  // namespace

ZOR_EXPORT DragWin(HspScreen* screen, std::int32_t, std::int32_t, std::int32_t) {
  ReleaseCapture();
  SendMessageA(WindowOf(screen->window), WM_SYSCOMMAND, kMoveByCaption, 0);
  return 0;
}

ZOR_EXPORT ChangeParentWnd(HspScreen* screen, std::int32_t, std::int32_t, std::int32_t) {
  HWND parent = ParentWindowRaw();
  if (parent == nullptr) return -1;
  if (parent == WindowOf(screen->window)) return -2;
  SetParent(WindowOf(screen->window), parent);
  return 0;
}

ZOR_EXPORT SetParentWnd(HspScreen* screen, std::int32_t clear, std::int32_t, std::int32_t) {
  bool taken = false;
  if (static_cast<DWORD>(GetWindowLongA(WindowOf(screen->window), GWL_STYLE)) & WS_VISIBLE) {
    SetParentWindowHandle(WindowOf(screen->window));
    taken = true;
  }
  if (clear != 0) {
    SetParentWindowHandle(nullptr);
    return -2;
  }
  return taken ? 0 : -1;
}

ZOR_EXPORT ExDialog(const char* text, const char* caption, std::int32_t code,
                    std::int32_t defaultButton) {
  HWND owner = OwnerWindow();
  return MessageBoxStatus(MessageBoxA(owner, text, caption, MessageBoxStyle(code, defaultButton)));
}

ZOR_EXPORT GetSysColour(HspVar* var, std::int32_t index, std::int32_t, std::int32_t) {
  if (var->type != kTypeInt) return kWrongType;
  if (var->lengths[1] < 3) return kBadArg;
  index = index < 0 ? 0 : index > 63 ? 63 : index;
  DWORD c = GetSysColor(index);
  std::int32_t* out = VarInts(*var);
  out[0] = static_cast<std::int32_t>(c & 0xFF);
  out[1] = static_cast<std::int32_t>((c >> 8) & 0xFF);
  out[2] = static_cast<std::int32_t>((c >> 16) & 0xFF);
  return 0;
}

ZOR_EXPORT RasterOperation(HspScreen* screen, std::int32_t mode, std::int32_t, std::int32_t) {
  if (mode < 0 || mode > 8) mode = 0;
  SetROP2(HostHandle<HDC>(screen->memoryDc), kRasterCodes[mode]);
  return 0;
}

ZOR_EXPORT Obj_Font(HspScreen* screen, std::int32_t number, std::int32_t, std::int32_t) {
  if (number < 0 || number > 63) return -1;
  HWND object = HostHandle<HWND>(screen->objects[number]);
  if (object == nullptr) return kRefused;
  SendMessageA(object, WM_SETFONT, static_cast<WPARAM>(screen->font), 1);
  return 0;
}

ZOR_EXPORT Iconic(HspScreen* screen, std::int32_t, std::int32_t, std::int32_t) {
  return IsIconic(WindowOf(screen->window)) == 1 ? -1 : 0;
}

ZOR_EXPORT Zoomed(HspScreen* screen, std::int32_t, std::int32_t, std::int32_t) {
  return IsZoomed(WindowOf(screen->window)) == 1 ? -1 : 0;
}

ZOR_EXPORT ZorMinimize(HspScreen* screen, std::int32_t, std::int32_t, std::int32_t) {
  return Show(screen, SW_MINIMIZE);
}

ZOR_EXPORT ZorMaximize(HspScreen* screen, std::int32_t, std::int32_t, std::int32_t) {
  return Show(screen, SW_SHOWMAXIMIZED);
}

ZOR_EXPORT ZorRestore(HspScreen* screen, std::int32_t, std::int32_t, std::int32_t) {
  return Show(screen, SW_RESTORE);
}

ZOR_EXPORT FlashWin(HspScreen* screen, std::int32_t invert, std::int32_t, std::int32_t) {
  FlashWindow(WindowOf(screen->window), invert != 0);
  return 0;
}

ZOR_EXPORT GetClientCurPos(HspScreen* screen, std::int32_t axis, std::int32_t, std::int32_t) {
  // A window that is none has an empty client area: the cursor is outside.
  POINT cursor{0, 0}, origin{0, 0};
  RECT client{0, 0, 0, 0};
  GetCursorPos(&cursor);
  if (!GetClientRect(WindowOf(screen->window), &client)) client = RECT{0, 0, 0, 0};
  ClientToScreen(WindowOf(screen->window), &origin);
  LONG x = cursor.x - origin.x, y = cursor.y - origin.y;
  if (x < 0 || y < 0 || x >= client.right || y >= client.bottom) return kOutsideClient;
  return axis == 1 ? -y : -x;
}

ZOR_EXPORT SetCursorClient(HspScreen* screen, std::int32_t x, std::int32_t y, std::int32_t) {
  POINT p{x, y};
  ClientToScreen(WindowOf(screen->window), &p);
  SetCursorPos(p.x, p.y);
  return 0;
}

ZOR_EXPORT Ime_Open(HspScreen* screen, std::int32_t open, std::int32_t, std::int32_t) {
  HIMC context = ImmGetContext(WindowOf(screen->window));
  if (context == nullptr) return -1;
  BOOL set = ImmSetOpenStatus(context, open != 0);
  ImmReleaseContext(WindowOf(screen->window), context);
  return set ? 0 : -1;
}
