// The script window's objects by number: position, size, styles, a pressed
// button, the cursor on an object, an object's text, and a snapshot of the
// 64 object handles that later tells which objects came or went.
#include <windows.h>

#include "host/capacity.h"
#include "host/export.h"
#include "window/object_ref.h"

using namespace zor;

namespace {

constexpr UINT kMoveFlags = 0x65;    // SWP_NOSIZE | NOZORDER | FRAMECHANGED | SHOWWINDOW
constexpr UINT kResizeFlags = 0x66;  // SWP_NOMOVE | NOZORDER | FRAMECHANGED | SHOWWINDOW
constexpr int kStyleIndex = -16;     // GWL_STYLE
constexpr UINT kClick = 0xF5;        // BM_CLICK
constexpr std::int32_t kBadIndex = -16;

// ES_UPPERCASE and ES_LOWERCASE, by case index 1 and 2.
constexpr LONG kEditCase[] = {0, 0x8, 0x10};
// The button styles BS_Ext adds, by style index 1 to 20.
constexpr LONG kButtonStyle[] = {
    0,       // unused
    0x20,    // BS_LEFTTEXT
    0x100,   // BS_LEFT
    0x200,   // BS_RIGHT
    0x300,   // BS_CENTER
    0x400,   // BS_TOP
    0x800,   // BS_BOTTOM
    0xC00,   // BS_VCENTER
    2,       // BS_CHECKBOX
    3,       // BS_AUTOCHECKBOX
    4,       // BS_RADIOBUTTON
    5,       // BS_3STATE
    6,       // BS_AUTO3STATE
    7,       // BS_GROUPBOX
    9,       // BS_AUTORADIOBUTTON
    0x1000,  // BS_PUSHLIKE
    0x8000,  // BS_FLAT
    0xB,     // BS_OWNERDRAW
    0,       // BS_TEXT
    0x40,    // BS_ICON
    0x80,    // BS_BITMAP
};
constexpr std::int32_t kLastButtonStyle = 20;
static_assert(sizeof kButtonStyle / sizeof kButtonStyle[0] == kLastButtonStyle + 1);

HostAddr g_saved[kObjectCount];
std::int32_t g_changed[kObjectCount];
HWND g_target = nullptr;

// The status of a failed reference for the exports that tell the two
// failures apart (-1 bad number, -2 no object).
std::int32_t RefStatus(ObjectRef r) { return r == ObjectRef::kBadNumber ? -1 : -2; }

// ORs style bits into the object's window style.
std::int32_t AddStyle(const HspScreen* screen, std::int32_t number, LONG bits) {
  HWND w;
  if (CheckObject(*screen, number, &w) != ObjectRef::kUsable) return -1;
  SetWindowLongA(w, kStyleIndex, GetWindowLongA(w, kStyleIndex) | bits);
  return 0;
}

}  // namespace

ZOR_EXPORT MoveObject(HspScreen* screen, std::int32_t number, std::int32_t x, std::int32_t y) {
  HWND w;
  ObjectRef r = CheckObject(*screen, number, &w);
  if (r != ObjectRef::kUsable) return RefStatus(r);
  SetWindowPos(w, nullptr, x < 0 ? 0 : x, y < 0 ? 0 : y, 0, 0, kMoveFlags);
  return 0;
}

ZOR_EXPORT ResizeObject(HspScreen* screen, std::int32_t number, std::int32_t width,
                        std::int32_t height) {
  HWND w;
  ObjectRef r = CheckObject(*screen, number, &w);
  if (r != ObjectRef::kUsable) return RefStatus(r);
  SetWindowPos(w, nullptr, 0, 0, width < 1 ? 16 : width, height < 1 ? 16 : height, kResizeFlags);
  return 0;
}

ZOR_EXPORT SetObjTable(HspScreen* screen, std::int32_t, std::int32_t, std::int32_t) {
  for (std::int32_t i = 0; i < kObjectCount; ++i) g_saved[i] = screen->objects[i];
  return 0;
}

ZOR_EXPORT CheckObjTable(HspScreen* screen, std::int32_t, std::int32_t, std::int32_t) {
  for (std::int32_t i = 0; i < kObjectCount; ++i) {
    g_changed[i] = screen->objects[i] != g_saved[i] ? 1 : 0;
  }
  return 0;
}

ZOR_EXPORT GetObjTable(HspVar* var, std::int32_t, std::int32_t, std::int32_t) {
  if (var->type != kTypeInt) return -1;
  if (var->lengths[1] < kObjectCount) return -2;
  std::int32_t* out = VarInts(*var);
  for (std::int32_t i = 0; i < kObjectCount; ++i) out[i] = g_changed[i];
  return 0;
}

ZOR_EXPORT SetTargetObj(HspScreen* screen, std::int32_t number, std::int32_t, std::int32_t) {
  HWND w = nullptr;
  ObjectRef r = CheckObject(*screen, number, &w);
  g_target = w;
  return r == ObjectRef::kUsable ? 0 : RefStatus(r);
}

ZOR_EXPORT GetObjText(HspVar* var, std::int32_t, std::int32_t, std::int32_t) {
  var->type = kTypeString;
  if (g_target == nullptr || !IsWindow(g_target)) {
    g_target = nullptr;
    return kNoResult;
  }
  // A row of 0 bytes has no room even for the terminator: nothing is
  // written and no character counts as copied.
  std::uint32_t row = RowBytes(*var);
  if (row == 0) return 0;
  return -GetWindowTextA(g_target, VarText(*var), static_cast<int>(row - 1));
}

ZOR_EXPORT ES_Change(HspScreen* screen, std::int32_t number, std::int32_t set, std::int32_t clear) {
  if (set < 1 || clear < 1) return kBadIndex;
  if (set > 2) set = 2;
  if (clear > 2) clear = 2;
  HWND w;
  if (CheckObject(*screen, number, &w) != ObjectRef::kUsable) return -1;
  LONG style = GetWindowLongA(w, kStyleIndex);
  style &= ~kEditCase[clear];
  style |= kEditCase[set];
  SetWindowLongA(w, kStyleIndex, style);
  return 0;
}

ZOR_EXPORT BS_Def(HspScreen* screen, std::int32_t number, std::int32_t, std::int32_t) {
  return AddStyle(screen, number, 1);  // BS_DEFPUSHBUTTON
}

ZOR_EXPORT BS_Multi(HspScreen* screen, std::int32_t number, std::int32_t, std::int32_t) {
  return AddStyle(screen, number, 0x2000);  // BS_MULTILINE
}

ZOR_EXPORT BS_Ext(HspScreen* screen, std::int32_t number, std::int32_t index, std::int32_t) {
  if (index < 1) return kBadIndex;
  if (index > kLastButtonStyle) index = kLastButtonStyle;
  return AddStyle(screen, number, kButtonStyle[index]);
}

ZOR_EXPORT CallCursor(HspScreen* screen, std::int32_t number, std::int32_t useWindow,
                      std::int32_t) {
  HWND w = nullptr;
  if (useWindow != 0) {
    if (!ValidObjectNumber(number)) return -1;
    w = WindowOf(screen->window);
    if (w == nullptr || !IsWindow(w)) return -1;
  } else if (CheckObject(*screen, number, &w) != ObjectRef::kUsable) {
    return -1;
  }
  RECT r;
  if (!GetWindowRect(w, &r)) return -1;
  SetCursorPos(r.left + (r.right - r.left) / 2, r.top + (r.bottom - r.top) / 2);
  return 0;
}

ZOR_EXPORT BtnPush(HspScreen* screen, std::int32_t number, std::int32_t, std::int32_t) {
  HWND w;
  if (CheckObject(*screen, number, &w) != ObjectRef::kUsable) return -1;
  PostMessageA(w, kClick, 0, 0);
  return 0;
}
