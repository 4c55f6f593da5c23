// Shortcut files through the shell link object: the setters keep references
// to the script's variables, CreateShortCut applies them and clears them,
// GetShortCutParam reads one setting of an existing file. COM is started
// and stopped inside each call that uses it.
#include <windows.h>
// The shell link interfaces (after windows.h).
#include <shlobj.h>

#include <cstring>

#include "host/capacity.h"
#include "host/export.h"
#include "system/shortcut_params.h"

using namespace zor;

namespace {

constexpr GUID kClsidShellLink = {0x00021401, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr GUID kIidShellLinkA = {0x000214EE, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr GUID kIidPersistFile = {0x0000010B, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr DWORD kInprocContext = 3;  // CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER
constexpr int kWidePathChars = 260;

// GetShortCutParam's settings.
enum Setting : std::int32_t {
  kArguments = 1,
  kWorkingDirectory = 2,
  kHotkey = 3,
  kIconFile = 4,
  kIconIndex = 5,
};

// Terminates the variable's first row at its last byte and returns its text.
const char* KeepText(const HspVar& var) {
  char* text = VarText(var);
  text[RowBytes(var) - 1] = 0;
  return text;
}

// The setters' shared checks: the parameter already set, then the type,
// then room for the terminator.
std::int32_t CheckSetter(const char* current, const HspVar& var) {
  if (current != nullptr) return -1;
  if (var.type != kTypeString) return kWrongType;
  if (RowBytes(var) == 0) return kBadArg;
  return kOk;
}

// COM for the call: uninitialised again only when this call initialised it.
class ComScope {
 public:
  ComScope() : started_(SUCCEEDED(CoInitialize(nullptr))) {}
  ~ComScope() {
    if (started_) CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  bool started_;
};

IShellLinkA* NewShellLink(HRESULT* hr) {
  void* link = nullptr;
  *hr = CoCreateInstance(kClsidShellLink, nullptr, kInprocContext, kIidShellLinkA, &link);
  return SUCCEEDED(*hr) ? static_cast<IShellLinkA*>(link) : nullptr;
}

IPersistFile* FileOf(IShellLinkA* link, HRESULT* hr) {
  void* file = nullptr;
  *hr = link->QueryInterface(kIidPersistFile, &file);
  return SUCCEEDED(*hr) ? static_cast<IPersistFile*>(file) : nullptr;
}

// The path as UTF-16 in `wide`; false when it needs more than the buffer's
// 260 characters with the terminator, so the buffer is never used unterminated.
bool WidePath(const char* path, WCHAR (&wide)[kWidePathChars]) {
  return MultiByteToWideChar(CP_ACP, 0, path, -1, wide, kWidePathChars) > 0;
}

void Apply(IShellLinkA* link, const ShortcutParams& p) {
  if (p.workingDirectory != nullptr) link->SetWorkingDirectory(p.workingDirectory);
  if (p.arguments != nullptr) link->SetArguments(p.arguments);
  if (p.iconFile != nullptr) link->SetIconLocation(p.iconFile, p.iconIndex);
  if (p.showCommand >= 0) link->SetShowCmd(p.showCommand);
  if (p.hotkeySet) link->SetHotkey(p.hotkey);
}

// Some shell versions fill the whole buffer without a terminator when the
// text does not fit; the text then ends at the row's last byte.
HRESULT Terminated(HRESULT hr, char* text, int room) {
  if (std::memchr(text, 0, static_cast<std::size_t>(room)) == nullptr) text[room - 1] = 0;
  return hr;
}

// Reads one setting of a loaded link into the variable; the call's result.
HRESULT ReadSetting(IShellLinkA* link, std::int32_t setting, HspVar* var) {
  var->type = kTypeString;
  char* text = VarText(*var);
  const int room = static_cast<int>(RowBytes(*var));
  switch (setting) {
    case kArguments:
      return Terminated(link->GetArguments(text, room), text, room);
    case kWorkingDirectory:
      return Terminated(link->GetWorkingDirectory(text, room), text, room);
    case kHotkey: {
      var->type = kTypeInt;
      WORD hotkey = 0;
      HRESULT hr = link->GetHotkey(&hotkey);
      std::int32_t* out = VarInts(*var);
      for (int i = 0; i < 4; ++i) out[i] = 0;
      if (SUCCEEDED(hr)) SplitHotkey(hotkey, out);
      return hr;
    }
    case kIconFile:
    case kIconIndex: {
      int index = 0;
      HRESULT hr = Terminated(link->GetIconLocation(text, room, &index), text, room);
      if (setting == kIconIndex) {
        var->type = kTypeInt;
        VarInts(*var)[0] = SUCCEEDED(hr) ? index : 0;
      }
      return hr;
    }
    default: {
      WIN32_FIND_DATAA found;
      return Terminated(link->GetPath(text, room, &found, 0), text, room);
    }
  }
}

// A variable too small for the chosen setting: four integers for the
// hotkey, a text of at least the terminator for the others.
bool FitsSetting(const HspVar& var, std::int32_t setting) {
  if (setting == kHotkey) return ByteCapacity(var) >= 16;
  return RowBytes(var) >= 4;
}

}  // namespace

ZOR_EXPORT SetShortCutParam(HspVar* var, std::int32_t hotkey, std::int32_t setHotkey,
                            std::int32_t) {
  ShortcutParams& p = CurrentShortcutParams();
  if (std::int32_t status = CheckSetter(p.workingDirectory, *var)) return status;
  p.workingDirectory = KeepText(*var);
  p.hotkey = 0;
  p.hotkeySet = setHotkey >= 1;
  if (p.hotkeySet) p.hotkey = static_cast<std::uint16_t>(hotkey & 0xFFFF);
  return kOk;
}

ZOR_EXPORT SetShortCutArg(HspVar* var, std::int32_t, std::int32_t, std::int32_t) {
  ShortcutParams& p = CurrentShortcutParams();
  if (std::int32_t status = CheckSetter(p.arguments, *var)) return status;
  p.arguments = KeepText(*var);
  return kOk;
}

ZOR_EXPORT SetShortCutIcon(HspVar* var, std::int32_t index, std::int32_t, std::int32_t) {
  ShortcutParams& p = CurrentShortcutParams();
  if (std::int32_t status = CheckSetter(p.iconFile, *var)) return status;
  p.iconFile = KeepText(*var);
  p.iconIndex = index < 0 ? 0 : index;
  return kOk;
}

ZOR_EXPORT SetShortCutShow(std::int32_t index, std::int32_t, std::int32_t, std::int32_t) {
  if (index < 0) return kFail;
  CurrentShortcutParams().showCommand = ShowCommandForIndex(index);
  return kOk;
}

ZOR_EXPORT FreeShortCutParam(std::int32_t, std::int32_t, std::int32_t, std::int32_t) {
  ClearShortcutParams();
  return kOk;
}

ZOR_EXPORT CreateShortCut(const char* target, const char* linkPath, std::int32_t, std::int32_t) {
  HRESULT hr = E_FAIL;
  {
    ComScope com;
    if (IShellLinkA* link = NewShellLink(&hr)) {
      link->SetPath(target);
      Apply(link, CurrentShortcutParams());
      if (IPersistFile* file = FileOf(link, &hr)) {
        WCHAR wide[kWidePathChars];
        hr = WidePath(linkPath, wide) ? file->Save(wide, TRUE) : E_FAIL;
        file->Release();
      }
      link->Release();
    }
  }
  ClearShortcutParams();
  return SUCCEEDED(hr) ? kOk : kFail;
}

ZOR_EXPORT GetShortCutParam(HspVar* var, const char* path, std::int32_t setting, std::int32_t) {
  if (std::int32_t status = LinkPathStatus(path)) return status;
  if (!FitsSetting(*var, setting)) return kBadArg;
  ComScope com;
  HRESULT hr = E_FAIL;
  IShellLinkA* link = NewShellLink(&hr);
  if (link == nullptr) return -16;
  IPersistFile* file = FileOf(link, &hr);
  if (file == nullptr) {
    link->Release();
    return -16;
  }
  std::int32_t status = kFail;
  WCHAR wide[kWidePathChars];
  if (WidePath(path, wide) && SUCCEEDED(file->Load(wide, STGM_READ))) {
    status = SUCCEEDED(ReadSetting(link, setting, var)) ? kOk : -16;
  }
  file->Release();
  link->Release();
  return status;
}
