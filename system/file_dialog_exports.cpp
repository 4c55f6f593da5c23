// The open and save dialogs, and the file-type mask the next one offers.
#include <windows.h>

#include <cstddef>

#include "host/capacity.h"
#include "host/export.h"
#include "system/file_mask.h"
#include "system/file_mask_state.h"
#include "window/parent_window.h"

using namespace zor;

namespace {

// The record as Windows 95 and NT 4 knew it, up to lpTemplateName (76
// bytes on Win32): the dialogs accept it everywhere, and the library sets
// nothing added later.
constexpr DWORD kRecordSize = offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR);
#if defined(_WIN32) && !defined(_WIN64)
static_assert(kRecordSize == 76, "the Win32 record of 76 bytes");
#endif

// One entry for all files: "全て (*.*)" in Shift-JIS and its pattern.
constexpr char kDefaultFilter[] =
    "\x91\x53\x82\xc4"
    " (*.*)\0*.*\0";

constexpr std::uint32_t kMinPathBytes = 260;
constexpr DWORD kOpenFlags = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_NONETWORKBUTTON;
constexpr DWORD kSaveFlags =
    OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOREADONLYRETURN | OFN_NONETWORKBUTTON;
static_assert(kOpenFlags == 0x21004 && kSaveFlags == 0x28804);

typedef BOOL(APIENTRY* DialogCall)(OPENFILENAMEA*);

// Shows one dialog with the path in the variable's first row; the held
// mask, if any, is used and released whatever the user answers.
std::int32_t RunDialog(HspVar* var, const char* defaultExtension, DWORD flags, DialogCall show) {
  HWND owner = OwnerWindow();
  var->type = kTypeString;
  std::uint32_t room = RowBytes(*var);
  if (room < kMinPathBytes) return -static_cast<std::int32_t>(kMinPathBytes);
  OPENFILENAMEA record{};
  record.lStructSize = kRecordSize;
  record.hwndOwner = owner;
  const char* mask = HeldFileMask();
  record.lpstrFilter = mask != nullptr ? mask : kDefaultFilter;
  record.lpstrFile = VarText(*var);
  record.nMaxFile = room;
  record.Flags = flags;
  record.lpstrDefExt = defaultExtension;
  BOOL chosen = show(&record);
  ReleaseFileMask();
  if (!chosen) return kFail;
  InvalidateRect(owner, nullptr, TRUE);
  return kOk;
}

}  // namespace

ZOR_EXPORT SetFileMask(HspVar* var, std::int32_t pairs, std::int32_t, std::int32_t) {
  var->type = kTypeString;
  std::uint32_t rows = var->lengths[2] & ~1u;
  if (rows < 2) return kFail;
  std::int64_t wanted = std::int64_t{pairs} * 2;
  if (wanted > 0 && wanted < rows) rows = static_cast<std::uint32_t>(wanted);
  char* buffer = new char[kFileMaskBytes];
  if (BuildFileMask({VarText(*var), RowBytes(*var), rows}, buffer) == 0) {
    delete[] buffer;  // not even one pair fits: the held mask stays
    return kFail;
  }
  HoldFileMask(buffer);
  return kOk;
}

ZOR_EXPORT FileMaskFree(std::int32_t, std::int32_t, std::int32_t, std::int32_t) {
  return ReleaseFileMask() ? kOk : kFail;
}

ZOR_EXPORT GetOpenFile(HspVar* var, const char* defaultExtension, std::int32_t, std::int32_t) {
  return RunDialog(var, defaultExtension, kOpenFlags, GetOpenFileNameA);
}

ZOR_EXPORT GetSaveFile(HspVar* var, const char* defaultExtension, std::int32_t options,
                       std::int32_t) {
  DWORD flags = kSaveFlags;
  if (options & 1) flags |= OFN_CREATEPROMPT;
  if (options & 2) flags |= OFN_OVERWRITEPROMPT;
  return RunDialog(var, defaultExtension, flags, GetSaveFileNameA);
}
