// ole32 start-up and the shell link object (CLSID_ShellLink) with its
// IShellLinkA and IPersistFile interfaces. Links are read and written in
// the .lnk binary format, so files move between this build and Windows.
#include <sys/stat.h>
#include <unistd.h>
#include <windows.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "codepage.h"
#include "handles.h"
#include "shell_link_file.h"

namespace {

constexpr GUID kClsidShellLink = {0x00021401, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr GUID kIidUnknown = {0x00000000, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr GUID kIidShellLinkA = {0x000214EE, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr GUID kIidPersist = {0x0000010C, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr GUID kIidPersistFile = {0x0000010B, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

constexpr DWORD kAttrDirectory = 0x10;
constexpr DWORD kAttrArchive = 0x20;

long g_initDepth = 0;
long g_liveObjects = 0;

// lstrcpynA: at most cch - 1 bytes and a terminator.
void CopyOut(const std::string& text, LPSTR out, int cch) {
  if (out == nullptr || cch <= 0) return;
  const std::size_t n = text.size() < static_cast<std::size_t>(cch - 1)
                            ? text.size()
                            : static_cast<std::size_t>(cch - 1);
  std::memcpy(out, text.data(), n);
  out[n] = 0;
}

std::u16string WideText(LPCOLESTR s) {
  std::u16string text;
  while (*s != 0) text.push_back(static_cast<char16_t>(*s++));
  return text;
}

// Windows makes a relative target absolute against the current directory;
// drive-letter and UNC paths count as absolute here too.
std::string FullPath(const std::string& path) {
  const bool absolute =
      path.empty() || path[0] == '/' || path[0] == '\\' || (path.size() >= 2 && path[1] == ':');
  if (absolute) return path;
  char cwd[4096];
  if (getcwd(cwd, sizeof cwd) == nullptr) return path;
  return std::string(cwd) + "/" + path;
}

class ShellLink final : public IShellLinkA, public IPersistFile {
 public:
  ShellLink() {
    ++g_liveObjects;
    ++zorw::LiveHandles();
  }
  ~ShellLink() {
    --g_liveObjects;
    --zorw::LiveHandles();
  }
  ShellLink(const ShellLink&) = delete;
  ShellLink& operator=(const ShellLink&) = delete;

  // ---- IUnknown, shared by both interfaces ----
  HRESULT Query(REFIID iid, void** object) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (iid == kIidUnknown || iid == kIidShellLinkA) {
      *object = static_cast<IShellLinkA*>(this);
    } else if (iid == kIidPersist || iid == kIidPersistFile) {
      *object = static_cast<IPersistFile*>(this);
    } else {
      return E_NOINTERFACE;
    }
    ++refs_;
    return S_OK;
  }
  ULONG Drop() {
    ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }
  HRESULT WINAPI QueryInterface(REFIID iid, void** object) override { return Query(iid, object); }
  ULONG WINAPI AddRef() override { return ++refs_; }
  ULONG WINAPI Release() override { return Drop(); }

  // ---- IShellLinkA ----
  HRESULT WINAPI GetPath(LPSTR file, int cch, WIN32_FIND_DATAA* fd, DWORD) override {
    if (file == nullptr) return E_INVALIDARG;
    CopyOut(link_.target, file, cch);
    if (fd != nullptr) {
      std::memset(fd, 0, sizeof *fd);
      if (!link_.target.empty()) {
        fd->dwFileAttributes = link_.fileAttributes;
        fd->nFileSizeLow = link_.fileSize;
        const std::size_t cut = link_.target.find_last_of("/\\");
        CopyOut(cut == std::string::npos ? link_.target : link_.target.substr(cut + 1),
                fd->cFileName, MAX_PATH);
      }
    }
    return link_.target.empty() ? S_FALSE : S_OK;
  }
  HRESULT WINAPI GetIDList(PIDLIST_ABSOLUTE* pidl) override {
    if (pidl == nullptr) return E_POINTER;
    *pidl = nullptr;  // this link object keeps no item ID lists
    return S_FALSE;
  }
  HRESULT WINAPI SetIDList(PCIDLIST_ABSOLUTE) override { return E_NOTIMPL; }
  HRESULT WINAPI GetDescription(LPSTR name, int cch) override {
    return Get(link_.description, name, cch);
  }
  HRESULT WINAPI SetDescription(LPCSTR name) override { return Set(&link_.description, name); }
  HRESULT WINAPI GetWorkingDirectory(LPSTR dir, int cch) override {
    return Get(link_.workingDirectory, dir, cch);
  }
  HRESULT WINAPI SetWorkingDirectory(LPCSTR dir) override {
    return Set(&link_.workingDirectory, dir);
  }
  HRESULT WINAPI GetArguments(LPSTR args, int cch) override {
    return Get(link_.arguments, args, cch);
  }
  HRESULT WINAPI SetArguments(LPCSTR args) override { return Set(&link_.arguments, args); }
  HRESULT WINAPI GetHotkey(WORD* hotkey) override {
    if (hotkey == nullptr) return E_POINTER;
    *hotkey = link_.hotkey;
    return S_OK;
  }
  HRESULT WINAPI SetHotkey(WORD hotkey) override {
    link_.hotkey = hotkey;
    dirty_ = true;
    return S_OK;
  }
  HRESULT WINAPI GetShowCmd(int* showCmd) override {
    if (showCmd == nullptr) return E_POINTER;
    *showCmd = static_cast<int>(link_.showCommand);
    return S_OK;
  }
  HRESULT WINAPI SetShowCmd(int showCmd) override {
    link_.showCommand = static_cast<std::uint32_t>(showCmd);
    dirty_ = true;
    return S_OK;
  }
  HRESULT WINAPI GetIconLocation(LPSTR iconPath, int cch, int* icon) override {
    if (iconPath == nullptr || icon == nullptr) return E_INVALIDARG;
    CopyOut(link_.iconLocation, iconPath, cch);
    *icon = link_.iconIndex;
    return S_OK;
  }
  HRESULT WINAPI SetIconLocation(LPCSTR iconPath, int icon) override {
    link_.iconLocation = iconPath == nullptr ? "" : iconPath;
    link_.iconIndex = icon;
    dirty_ = true;
    return S_OK;
  }
  HRESULT WINAPI SetRelativePath(LPCSTR pathRel, DWORD) override {
    return Set(&link_.relativePath, pathRel);
  }
  HRESULT WINAPI Resolve(HWND, DWORD) override {
    struct stat st {};
    return !link_.target.empty() && stat(link_.target.c_str(), &st) == 0 ? S_OK
                                                                         : ZOR_HR_FILE_NOT_FOUND;
  }
  HRESULT WINAPI SetPath(LPCSTR file) override {
    if (file == nullptr) return E_INVALIDARG;
    link_.target = FullPath(file);
    link_.fileAttributes = 0;
    link_.fileSize = 0;
    struct stat st {};
    if (!link_.target.empty() && stat(link_.target.c_str(), &st) == 0) {
      link_.fileAttributes = S_ISDIR(st.st_mode) ? kAttrDirectory : kAttrArchive;
      link_.fileSize = static_cast<std::uint32_t>(st.st_size);
    }
    dirty_ = true;
    return S_OK;
  }

  // ---- IPersistFile ----
  HRESULT WINAPI GetClassID(CLSID* classId) override {
    if (classId == nullptr) return E_POINTER;
    *classId = kClsidShellLink;
    return S_OK;
  }
  HRESULT WINAPI IsDirty() override { return dirty_ ? S_OK : S_FALSE; }
  HRESULT WINAPI Load(LPCOLESTR fileName, DWORD) override {
    if (fileName == nullptr) return E_INVALIDARG;
    const std::string path = zorw::WideToAcp(WideText(fileName));
    std::ifstream in(path, std::ios::binary);
    struct stat st {};
    if (!in || stat(path.c_str(), &st) != 0) return OpenFailure(false);
    if (S_ISDIR(st.st_mode)) return ZOR_HR_ACCESS_DENIED;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    zorw::LinkData loaded;
    if (!zorw::ParseLink(bytes.str(), &loaded)) return E_FAIL;
    link_ = loaded;
    file_ = WideText(fileName);
    dirty_ = false;
    return S_OK;
  }
  HRESULT WINAPI Save(LPCOLESTR fileName, BOOL remember) override {
    if (fileName == nullptr && file_.empty()) return E_INVALIDARG;
    const std::u16string name = fileName == nullptr ? file_ : WideText(fileName);
    const std::string path = zorw::WideToAcp(name);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) return OpenFailure(true);
    const std::string bytes = zorw::BuildLink(link_);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) return E_FAIL;
    if (remember || fileName == nullptr) {
      file_ = name;
      dirty_ = false;
    }
    return S_OK;
  }
  HRESULT WINAPI SaveCompleted(LPCOLESTR) override { return S_OK; }
  HRESULT WINAPI GetCurFile(LPOLESTR* fileName) override {
    if (fileName == nullptr) return E_POINTER;
    *fileName = nullptr;
    if (file_.empty()) return S_FALSE;
    auto* copy = static_cast<LPOLESTR>(CoTaskMemAlloc((file_.size() + 1) * sizeof(OLECHAR)));
    if (copy == nullptr) return E_OUTOFMEMORY;
    std::memcpy(copy, file_.c_str(), (file_.size() + 1) * sizeof(OLECHAR));
    *fileName = copy;
    return S_OK;
  }

 private:
  HRESULT Get(const std::string& text, LPSTR out, int cch) {
    if (out == nullptr) return E_INVALIDARG;
    CopyOut(text, out, cch);
    return S_OK;
  }
  HRESULT Set(std::string* text, LPCSTR value) {
    *text = value == nullptr ? "" : value;
    dirty_ = true;
    return S_OK;
  }
  // The HRESULT of a failed open: a missing folder, a missing file (read
  // only: writing creates it), or no access.
  static HRESULT OpenFailure(bool writing) {
    if (errno == ENOTDIR || (writing && errno == ENOENT)) return ZOR_HR_PATH_NOT_FOUND;
    if (errno == ENOENT) return ZOR_HR_FILE_NOT_FOUND;
    return ZOR_HR_ACCESS_DENIED;
  }

  ULONG refs_ = 0;
  zorw::LinkData link_;
  std::u16string file_;  // the current file, after Load or a remembered Save
  bool dirty_ = false;
};

}  // namespace

ZOR_WIN32_API HRESULT WINAPI CoInitialize(LPVOID) { return g_initDepth++ == 0 ? S_OK : S_FALSE; }

ZOR_WIN32_API void WINAPI CoUninitialize(void) {
  if (g_initDepth > 0) --g_initDepth;
}

ZOR_WIN32_API HRESULT WINAPI CoCreateInstance(REFCLSID clsid, LPUNKNOWN outer, DWORD context,
                                              REFIID iid, LPVOID* object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  if (g_initDepth == 0) return CO_E_NOTINITIALIZED;
  if (outer != nullptr) return CLASS_E_NOAGGREGATION;
  if (clsid != kClsidShellLink || (context & CLSCTX_INPROC_SERVER) == 0) {
    return REGDB_E_CLASSNOTREG;
  }
  auto* link = new ShellLink;
  HRESULT hr = link->Query(iid, object);
  if (FAILED(hr)) delete link;
  return hr;
}

ZOR_WIN32_API LPVOID WINAPI CoTaskMemAlloc(SIZE_T bytes) { return std::malloc(bytes ? bytes : 1); }
ZOR_WIN32_API void WINAPI CoTaskMemFree(LPVOID block) { std::free(block); }

ZOR_WIN32_API long ZorStandinComInitDepth(void) { return g_initDepth; }
ZOR_WIN32_API long ZorStandinLiveComObjects(void) { return g_liveObjects; }
