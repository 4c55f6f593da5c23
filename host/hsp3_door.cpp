// The HSP 3 door: the library registers as an HSP 3 extension plugin
// (#regcmd "_hsp3cmdinit@4") and runs the same exports the HSP 2 host calls.
// Command id n is row n of the export table: the door reads the script's
// arguments through the host's functions, builds the records the export
// takes, calls it, carries its effects back and turns its status into
// `stat` or a host error.
#include <windows.h>

#include <cstring>
#include <string>
#include <utility>

#include "exports/export_table.h"
#include "host/export.h"
#include "host/hsp3_views.h"

#if !defined(_WIN32)
#include <dlfcn.h>
#endif

using namespace zor;
using namespace zor::hsp3;
using zor::exports::Arg;
using zor::exports::ExportRow;
using zor::exports::kExportCount;
using zor::exports::kExports;

namespace {

using Call = std::int32_t(ZOR_CALL*)(std::uintptr_t, std::uintptr_t, std::uintptr_t,
                                     std::uintptr_t);

// Host errors the door raises itself.
constexpr int kErrUnsupported = 21;  // also stands for 259 (bit-field masks the loader lacks)
constexpr int kErrNoMemory = 26;
constexpr std::int32_t kStatusMasks = 259;

// Views the library keeps past the call: SetPiMem keeps the variable's
// bytes as the Pi memory source, the shortcut setters keep their texts.
// Their rows live in door-owned blocks refreshed before every command.
const char* const kKeepers[] = {"SetPiMem", "SetShortCutParam", "SetShortCutArg",
                                "SetShortCutIcon"};
constexpr int kKeeperCount = 4;
// Commands after which the library holds those rows no more: PiLoad clears
// the memory source, CreateShortCut and FreeShortCutParam the parameters.
const struct {
  const char* name;
  int first, last;  // kept views let go
} kReleases[] = {{"PiLoad", 0, 0}, {"CreateShortCut", 1, 3}, {"FreeShortCutParam", 1, 3}};

// All the door's state is module-level: the host raises errors by throwing
// through the plugin's frames, so nothing may live on the stack across a
// host call that can raise.
struct Door {
  void* ctx;
  ExInfo* ex;
  Call calls[kExportCount];
  int keeper[kExportCount];       // index into kept, or -1
  int releases[kExportCount][2];  // kept views the command lets go, first and last
  std::string text[2];            // string arguments: the host reuses its buffer
  std::string result;             // a string result when a command changed the type
  std::int32_t* lowRecords;       // the extended size records of the views
  VarView view;
  VarView kept[kKeeperCount];
  HspScreen screen;
  std::uint8_t screenBefore[kScreenSharedBytes];
  std::uint8_t spare[kHostPaletteBytes];  // a palette when the host keeps none
};
Door g;

Call Resolve(const char* name) {
#if defined(_WIN32)
  HMODULE self = nullptr;
  GetModuleHandleExA(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCSTR>(&Resolve), &self);
  const std::string decorated = std::string("_") + name + "@16";
  return reinterpret_cast<Call>(reinterpret_cast<void*>(GetProcAddress(self, decorated.c_str())));
#else
  static void* self = [] {
    Dl_info info{};
    dladdr(reinterpret_cast<void*>(&Resolve), &info);
    return dlopen(info.dli_fname, RTLD_NOW | RTLD_NOLOAD);
  }();
  return reinterpret_cast<Call>(dlsym(self, name));
#endif
}

// The window record's first 164 bytes and its objects' handles, in the
// HSP 2 layout.
HspScreen* BuildScreen(std::uint8_t* wnd) {
  std::memset(&g.screen, 0, sizeof g.screen);
  std::memcpy(&g.screen, wnd, kScreenSharedBytes);
  std::memcpy(g.screenBefore, wnd, kScreenSharedBytes);
  const ObjInfo* objects = HostPtr<const ObjInfo>(At<HostAddr>(wnd, kWndObjects));
  const std::int32_t count = objects != nullptr ? At<std::int32_t>(wnd, kWndObjMax) : 0;
  for (std::int32_t k = 0; k < 64 && k < count; ++k)
    if (objects[k].owmode != 0) g.screen.objects[k] = objects[k].hCld;
  return &g.screen;
}

// Only the bytes the export changed go back: the host may have its own
// reasons for the others.
void WriteBackScreen(std::uint8_t* wnd) {
  const auto* now = reinterpret_cast<const std::uint8_t*>(&g.screen);
  for (std::size_t i = 0; i < kScreenSharedBytes; ++i)
    if (now[i] != g.screenBefore[i]) wnd[i] = now[i];
}

// The palette table that the host's palette screens share; the library's
// palette installation applies it to the screen the way the host does.
std::uint8_t* HostPalette(std::uint8_t* wnd) {
  std::uint8_t* master =
      wnd != nullptr ? HostPtr<std::uint8_t>(At<HostAddr>(wnd, kWndMaster)) : nullptr;
  return master != nullptr ? master + kMasterPalette : g.spare;
}

// A command that changed the variable's type (the record's type word under
// HSP 2) re-creates the variable through the host: a string result as one
// string element, integers as an int array of the view's size.
void ConvertType(VarView& v) {
  const std::uint32_t bytes = v.rows * v.rowBytes;
  const std::uint8_t* data = HostPtr<const std::uint8_t>(v.rec.data);
  if (v.rec.type == kFlagStr) {
    const void* end = bytes != 0 ? std::memchr(data, 0, bytes) : data;
    const std::size_t length =
        end != nullptr ? static_cast<const std::uint8_t*>(end) - data : bytes - 1;
    g.result.assign(reinterpret_cast<const char*>(data), length);
    ReleaseBlock(v);
    g.ex->prm_setva(v.pval, 0, kFlagStr, g.result.c_str());
  } else if (v.rec.type == kFlagInt) {
    const std::uint32_t count = bytes / 4 != 0 ? bytes / 4 : 1;
    g.result.assign(reinterpret_cast<const char*>(data), bytes);
    g.result.resize(std::size_t(count) * 4);
    ReleaseBlock(v);
    g.ex->dim(v.pval, kFlagInt, 0, std::int32_t(count), 0, 0, 0);
    std::memcpy(HostPtr<void>(v.pval->pt), g.result.data(), std::size_t(count) * 4);
  }
}

int CmdFunc(int id) {
  ExInfo& ex = *g.ex;
  ex.prm_next();
  if (id < 0 || std::size_t(id) >= kExportCount || g.calls[id] == nullptr) {
    ex.puterror(kErrUnsupported);
    return 0;
  }
  for (int k = 0; k < kKeeperCount; ++k) Refresh(g.kept[k], k != 0);

  // The script's arguments in order; slots the host fills are not written.
  const ExportRow& row = kExports[id];
  std::uintptr_t word[4] = {};
  PVal* pval = nullptr;
  int index = 0, strings = 0, seen = 0;
  const int written = zor::exports::ScriptArgCount(row);
  for (int i = 0; i < 4; ++i) {
    const Arg a = row.p[i];
    if (a == Arg::Screen || a == Arg::Palette || a == Arg::TextBuf) continue;
    if (++seen > written) break;
    if (a == Arg::Int) word[i] = std::uint32_t(ex.prm_getdi(0));
    if (a == Arg::None) ex.prm_getdi(0);
    if (a == Arg::String) {
      g.text[strings] = ex.prm_gets();
      word[i] = reinterpret_cast<std::uintptr_t>(g.text[strings++].c_str());
    }
    if (a == Arg::Var) index = ex.prm_getva(&pval);
  }

  std::uint8_t* wnd = nullptr;
  for (int i = 0; i < 4; ++i) {
    const Arg a = row.p[i];
    if (a != Arg::Screen && a != Arg::Palette) continue;
    if (wnd == nullptr && ex.getbmscr != nullptr)
      wnd = static_cast<std::uint8_t*>(ex.getbmscr(*ex.actscr));
    if (wnd == nullptr && a == Arg::Screen) {
      ex.puterror(kErrUnsupported);  // a console runtime has no window
      return 0;
    }
    word[i] = a == Arg::Screen ? reinterpret_cast<std::uintptr_t>(BuildScreen(wnd))
                               : reinterpret_cast<std::uintptr_t>(HostPalette(wnd));
  }
  if (row.p[3] == Arg::TextBuf)
    word[3] = reinterpret_cast<std::uintptr_t>(HostPtr<char>(At<HostAddr>(g.ctx, kCtxRefstr)));

  const int keep = g.keeper[id];
  if (pval != nullptr) {
    g.view.ext = g.lowRecords;
    if (!BuildView(g.view, pval, index, keep >= 0)) {
      ex.puterror(kErrNoMemory);
      return 0;
    }
    word[0] = reinterpret_cast<std::uintptr_t>(&g.view.rec);
  }

  const std::int32_t status = g.calls[id](word[0], word[1], word[2], word[3]);

  if (wnd != nullptr && row.p[0] == Arg::Screen) WriteBackScreen(wnd);
  if (pval != nullptr) {
    if (g.view.rec.type != std::uint16_t(pval->flag)) {
      ConvertType(g.view);
    } else {
      WriteBack(g.view);
    }
    // The library keeps only the rows (never the record): on success they
    // replace the ones it held before; SetPiMem ..., 1 lets go of both.
    const bool clears = keep == 0 && word[1] != 0;
    if (keep >= 0 && status == 0) {
      ReleaseBlock(g.kept[keep]);
      if (!clears) std::swap(g.kept[keep], g.view);
    }
    ReleaseBlock(g.view);
  }
  for (int k = g.releases[id][0]; k <= g.releases[id][1]; ++k) ReleaseBlock(g.kept[k]);
  // Raised last, when the door holds nothing: the host throws.
  if (status > 0) {
    ex.puterror(status == kStatusMasks ? kErrUnsupported : status);
    return 0;
  }
  At<std::int32_t>(g.ctx, kCtxStat) = -status;
  return 0;
}

// The commands are not functions: a script that uses one as a function gets
// an error instead of a null call.
void* RefFunc(int*, int) {
  g.ex->puterror(kErrUnsupported);
  return nullptr;
}

int TermFunc(int) {
  ReleaseBlock(g.view);
  for (VarView& v : g.kept) ReleaseBlock(v);
  return 0;
}

}  // namespace

ZOR_PLUGIN_INIT hsp3cmdinit(zor::hsp3::TypeInfo* info) {
  g.ctx = info->hspctx;
  g.ex = info->hspexinfo;
  if (g.lowRecords == nullptr)
    g.lowRecords = static_cast<std::int32_t*>(LowAlloc(16 * (1 + kKeeperCount)));
  for (std::size_t id = 0; id < kExportCount; ++id) {
    g.calls[id] = Resolve(kExports[id].name);
    g.keeper[id] = -1;
    g.releases[id][0] = 0, g.releases[id][1] = -1;
    for (const auto& r : kReleases)
      if (std::strcmp(kExports[id].name, r.name) == 0)
        g.releases[id][0] = r.first, g.releases[id][1] = r.last;
    for (int k = 0; k < kKeeperCount; ++k)
      if (std::strcmp(kExports[id].name, kKeepers[k]) == 0) g.keeper[id] = k;
  }
  info->cmdfunc = CmdFunc;
  info->reffunc = RefFunc;
  info->termfunc = TermFunc;
  info->msgfunc = nullptr;
  info->eventfunc = nullptr;
}
