#include "support/file_dialog_answer.h"

#include <cstdlib>
#include <cstring>

namespace zt {

bool DialogsRun() {
#if defined(_WIN32)
  bool wine = GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
  return !wine || std::getenv("ZOR_WINE_FILE_DIALOGS") != nullptr;
#else
  return true;
#endif
}

namespace {

FileDialogAnswer* g_answer = nullptr;

#if defined(_WIN32)
// The type list and the file-name control of the platform's dialog.
constexpr int kTypeList = 0x470;
constexpr int kFileName = 0x47C;
// The controls are filled some time after the dialog is activated.
constexpr LONG kReadyMs = 200;
// A dialog still open this long after an answer is asked again.
constexpr LONG kStillOpenMs = 1500;

// The hook notes which dialog or box was activated last; a thread timer,
// which the dialog's own message loop dispatches, answers it.
HHOOK g_hook = nullptr;
UINT_PTR g_timer = 0;
HWND g_current = nullptr;  // the dialog or box activated last
HWND g_dialog = nullptr;   // the file dialog
DWORD g_activatedAt = 0;
HWND g_answered = nullptr;
DWORD g_answeredAt = 0;

LRESULT CALLBACK WatchActivation(int code, WPARAM wp, LPARAM lp) {
  HWND w = reinterpret_cast<HWND>(wp);
  char cls[32] = {};
  if (code == HCBT_ACTIVATE && w != nullptr && w != g_current &&
      GetClassNameA(w, cls, sizeof cls) && std::strcmp(cls, "#32770") == 0) {
    g_current = w;
    g_activatedAt = GetTickCount();
  }
  return CallNextHookEx(g_hook, code, wp, lp);
}

void Press(HWND w, int id) {
  if (GetDlgItem(w, id) == nullptr && id != IDCANCEL) id = IDOK;
  PostMessageA(w, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(w, id)));
}

// Answers the window activated last once it is ready, and again when it
// stays open long after its answer.
void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
  if (g_answer == nullptr) return;
  HWND w = g_current;
  DWORD now = GetTickCount();
  bool due = IsWindow(w) && static_cast<LONG>(now - g_activatedAt) >= kReadyMs;
  bool answered = w == g_answered && static_cast<LONG>(g_answeredAt - g_activatedAt) >= 0;
  if (answered && static_cast<LONG>(now - g_answeredAt) < kStillOpenMs) due = false;
  if (!due) return;
  g_answered = w;
  g_answeredAt = now;
  if (HWND list = GetDlgItem(w, kTypeList)) {
    g_dialog = w;
    SeenDialog seen;
    LRESULT n = SendMessageA(list, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < n; ++i) {
      char text[512] = {};
      SendMessageA(list, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
      seen.types.push_back(text);
    }
    char name[1024] = {};
    GetDlgItemTextA(w, kFileName, name, sizeof name);
    seen.initialName = name;
    seen.owner = GetWindow(w, GW_OWNER);
    g_answer->dialogs.push_back(seen);
    g_answer->events += 'D';
    FileAnswer a = g_answer->Next();
    if (a.kind == FileAnswer::kType) SetDlgItemTextA(w, kFileName, a.name.c_str());
    Press(w, a.kind == FileAnswer::kType ? IDOK : IDCANCEL);
    return;
  }
  g_answer->events += 'B';
  Press(w, g_answer->Next().kind == FileAnswer::kYes ? IDYES : IDNO);  // IDOK when there is no No
  // Back in the dialog, unless the answer closes it.
  if (IsWindow(g_dialog) && g_current == w) {
    g_current = g_dialog;
    g_activatedAt = now + 100;
  }
}
#else
int Answer(ZorStandinFileDialog* d, void*) {
  if (d->step != kZorFileDialog) {
    g_answer->events += 'B';
    return g_answer->Next().kind == FileAnswer::kYes;
  }
  SeenDialog seen;
  // The type list: the first string of each pair.
  for (const char* p = d->record->lpstrFilter; p != nullptr && *p != 0; p += std::strlen(p) + 1) {
    seen.types.push_back(p);
    p += std::strlen(p) + 1;
    if (*p == 0) break;
  }
  seen.initialName = d->record->lpstrFile != nullptr ? d->record->lpstrFile : "";
  seen.owner = d->record->hwndOwner;
  seen.flags = static_cast<long>(d->record->Flags);
  g_answer->dialogs.push_back(seen);
  g_answer->events += 'D';
  FileAnswer a = g_answer->Next();
  if (a.kind != FileAnswer::kType) return 0;
  std::strncpy(d->typed, a.name.c_str(), sizeof d->typed - 1);
  return 1;
}
#endif

}  // namespace

FileDialogAnswer::FileDialogAnswer(std::vector<FileAnswer> given) : answers(std::move(given)) {
  g_answer = this;
#if defined(_WIN32)
  g_current = g_dialog = g_answered = nullptr;
  g_hook = SetWindowsHookExA(WH_CBT, WatchActivation, nullptr, GetCurrentThreadId());
  g_timer = SetTimer(nullptr, 0, 50, Tick);
#else
  ZorStandinSetFileDialogAnswerer(Answer, nullptr);
#endif
}

FileDialogAnswer::~FileDialogAnswer() {
#if defined(_WIN32)
  KillTimer(nullptr, g_timer);
  UnhookWindowsHookEx(g_hook);
  g_hook = nullptr;
#else
  ZorStandinSetFileDialogAnswerer(nullptr, nullptr);
#endif
  g_answer = nullptr;
}

}  // namespace zt
