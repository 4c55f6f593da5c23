// comdlg32 open and save dialogs: the test's answerer is the user, the rules
// of the record are applied to what it types.
#include <sys/stat.h>
#include <unistd.h>
#include <windows.h>

#include <cstring>
#include <string>

namespace {

ZorStandinFileDialogAnswerer g_answerer = nullptr;
void* g_context = nullptr;
DWORD g_error = 0;

bool IsDirectory(const std::string& p) {
  struct stat st {};
  return stat(p.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool IsFile(const std::string& p) {
  struct stat st {};
  return stat(p.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

std::string Folder(const std::string& path) {
  std::size_t slash = path.rfind('/');
  return slash == 0 ? "/" : path.substr(0, slash);
}

// The typed name as a full path, with the default extension when its last
// part has none.
std::string FullPath(const char* typed, const OPENFILENAMEA& r) {
  std::string path = typed;
  if (path.empty() || path[0] != '/') {
    char cwd[4096];
    path = std::string(getcwd(cwd, sizeof cwd) != nullptr ? cwd : ".") + "/" + path;
  }
  std::size_t name = path.rfind('/') + 1;
  if (r.lpstrDefExt != nullptr && r.lpstrDefExt[0] != 0 &&
      path.find('.', name) == std::string::npos && name < path.size())
    path += "." + std::string(r.lpstrDefExt).substr(0, 3);
  return path;
}

int Ask(int step, int save, const OPENFILENAMEA* r, const std::string& path) {
  ZorStandinFileDialog d{};
  d.step = step;
  d.save = save;
  d.record = r;
  d.path = path.c_str();
  return g_answerer(&d, g_context);
}

// Whether the record's rules accept the path, asking and telling as they
// say; false sends the user back to the dialog.
bool Accepts(const OPENFILENAMEA& r, int save, const std::string& path) {
  DWORD f = r.Flags;
  if ((f & (OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST)) && !IsDirectory(Folder(path))) {
    Ask(kZorFilePathMissingNotice, save, &r, path);
    return false;
  }
  bool exists = IsFile(path);
  if ((f & OFN_FILEMUSTEXIST) && !exists) {
    Ask(kZorFileMissingNotice, save, &r, path);
    return false;
  }
  if ((f & OFN_CREATEPROMPT) && !exists && !Ask(kZorFileCreatePrompt, save, &r, path)) return false;
  if (save && (f & OFN_OVERWRITEPROMPT) && exists && !Ask(kZorFileOverwritePrompt, save, &r, path))
    return false;
  if ((f & OFN_NOREADONLYRETURN) && exists && access(path.c_str(), W_OK) != 0) {
    Ask(kZorFileReadOnlyNotice, save, &r, path);
    return false;
  }
  return true;
}

BOOL Show(LPOPENFILENAMEA r, int save) {
  g_error = 0;
  if (r == nullptr || r->lStructSize != sizeof(OPENFILENAMEA)) {
    g_error = CDERR_STRUCTSIZE;
    return FALSE;
  }
  if (r->lpstrFile != nullptr && std::strpbrk(r->lpstrFile, "<>|\"") != nullptr) {
    g_error = FNERR_INVALIDFILENAME;
    return FALSE;
  }
  for (int round = 0; round < 16 && g_answerer != nullptr; ++round) {
    ZorStandinFileDialog d{};
    d.step = kZorFileDialog;
    d.save = save;
    d.record = r;
    d.path = "";
    if (!g_answerer(&d, g_context)) return FALSE;
    d.typed[sizeof d.typed - 1] = 0;
    if (d.typed[0] == 0) continue;  // OK on an empty name does nothing
    std::string path = FullPath(d.typed, *r);
    if (!Accepts(*r, save, path)) continue;
    if (path.size() + 1 > r->nMaxFile) {
      if (r->nMaxFile >= 2) {
        WORD need = static_cast<WORD>(path.size() + 1);
        std::memcpy(r->lpstrFile, &need, 2);
      }
      g_error = FNERR_BUFFERTOOSMALL;
      return FALSE;
    }
    std::memcpy(r->lpstrFile, path.c_str(), path.size() + 1);
    std::size_t name = path.rfind('/') + 1;
    std::size_t dot = path.rfind('.');
    r->nFileOffset = static_cast<WORD>(name);
    r->nFileExtension =
        static_cast<WORD>(dot != std::string::npos && dot >= name ? dot + 1 : path.size());
    if (!(r->Flags & OFN_NOCHANGEDIR) && chdir(Folder(path).c_str()) != 0) {
      // The folder was checked or is the current one; nothing to undo.
    }
    return TRUE;
  }
  return FALSE;
}

}  // namespace

ZOR_WIN32_API BOOL APIENTRY GetOpenFileNameA(LPOPENFILENAMEA record) { return Show(record, 0); }
ZOR_WIN32_API BOOL APIENTRY GetSaveFileNameA(LPOPENFILENAMEA record) { return Show(record, 1); }
ZOR_WIN32_API DWORD APIENTRY CommDlgExtendedError(void) { return g_error; }

ZOR_WIN32_API void ZorStandinSetFileDialogAnswerer(ZorStandinFileDialogAnswerer answerer,
                                                   void* context) {
  g_answerer = answerer;
  g_context = context;
}
