#include "support/hsp3_host.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "support/zortest.h"

#if !defined(_WIN32)
#include <dlfcn.h>
#endif

namespace zt {

using namespace zor::hsp3;
using zor::HostAddr;
using zor::HostPtr;
using zor::ToHostAddr;

namespace {

constexpr int kRefstrBytes = 4096;
constexpr std::size_t kTempBytes = 1 << 17;

struct State {
  TypeInfo info{};
  ExInfo ex{};
  std::uint8_t* ctx = nullptr;
  int actscr = 0;
  std::vector<ScriptArg> args;
  std::size_t next = 0;
  int error = 0;
  char* temp = nullptr;  // the host's one string buffer, overwritten by each string
  PVal* dummy = nullptr;
  std::uint8_t* wnd = nullptr;
} h;

std::uint8_t* NewElement(int bytes, HostAddr* slot) {
  auto* p = static_cast<std::uint8_t*>(LowAlloc(sizeof(StrInf) + bytes));
  auto* inf = reinterpret_cast<StrInf*>(p);
  inf->flag = 1;
  inf->size = bytes;
  inf->opt = ToHostAddr(slot);
  return p + sizeof(StrInf);
}

void FreeElement(char* e) {
  if (e == nullptr) return;
  auto* inf = reinterpret_cast<StrInf*>(e - sizeof(StrInf));
  LowFree(inf, sizeof(StrInf) + inf->size);
}

HostAddr* Slots(const PVal* v) { return HostPtr<HostAddr>(v->master); }

void FreeStorage(PVal* v) {
  if (v->flag == kFlagStr) {
    for (int k = 0; k < v->len[1]; ++k) FreeElement(Element(v, k));
    LowFree(Slots(v), v->size);
  } else if (v->pt != 0) {
    LowFree(HostPtr<void>(v->pt), v->size);
  }
  *v = PVal{};
}

void Raise(int e) {
  if (h.error == 0) h.error = e;
}

const ScriptArg* Take() { return h.next < h.args.size() ? &h.args[h.next++] : nullptr; }

void PrmNext() {}

int PrmGetdi(int def) {
  const ScriptArg* a = Take();
  if (a == nullptr || a->kind == ScriptArg::kOmit) return def;
  if (a->kind == ScriptArg::kInt) return a->value;
  Raise(6);
  return 0;
}

char* PrmGets() {
  const ScriptArg* a = Take();
  if (a == nullptr || a->kind != ScriptArg::kStr) {
    Raise(a == nullptr || a->kind == ScriptArg::kOmit ? 5 : 6);
    h.temp[0] = 0;
  } else {
    std::memcpy(h.temp, a->text.c_str(), a->text.size() + 1);
  }
  return h.temp;
}

int PrmGetva(PVal** out) {
  const ScriptArg* a = Take();
  *out = h.dummy;
  if (a == nullptr || a->kind != ScriptArg::kVar) {
    Raise(23);
    return 0;
  }
  *out = a->var;
  return a->value;
}

void PrmSetva(PVal* v, int aptr, int type, const void* ptr) {
  if (type == v->flag && type == kFlagStr) {
    SetElement(v, aptr, static_cast<const char*>(ptr));
  } else if (type == v->flag && type == kFlagInt) {
    HostPtr<std::int32_t>(v->pt)[aptr] = *static_cast<const std::int32_t*>(ptr);
  } else if (aptr != 0) {
    Raise(31);
  } else if (type == kFlagStr) {
    Sdim(v, 64, 1);
    SetElement(v, 0, static_cast<const char*>(ptr));
  } else {
    Dim(v, 1);
    PrmSetva(v, 0, type, ptr);
  }
}

void HostDim(PVal* v, int flag, int len0, int len1, int, int, int) {
  if (flag == kFlagStr) Sdim(v, len0, len1);
  if (flag == kFlagInt) Dim(v, len1);
}

void* GetBmscr(int) { return h.wnd; }

}  // namespace

PVal* NewVar() {
  auto* v = static_cast<PVal*>(LowAlloc(sizeof(PVal)));
  Dim(v, 1);
  return v;
}

void FreeVar(PVal* v) {
  FreeStorage(v);
  LowFree(v, sizeof(PVal));
}

namespace {
// A fresh one-dimensional variable of count elements: flag and sizes.
void Redim(PVal* v, std::int16_t flag, int count) {
  FreeStorage(v);
  v->flag = flag;
  v->mode = 1;
  v->len[0] = 1;
  v->len[1] = count;
  v->size = count * 4;
}
}  // namespace

void Sdim(PVal* v, int bytes, int count) {
  Redim(v, kFlagStr, count);
  v->master = ToHostAddr(LowAlloc(v->size));
  for (int k = 0; k < count; ++k) {
    std::uint8_t* e = NewElement(bytes < 64 ? 64 : bytes, &Slots(v)[k]);
    if (k == 0) v->pt = ToHostAddr(e);
    if (k != 0) Slots(v)[k] = ToHostAddr(e);
  }
}

void Dim(PVal* v, int count) {
  Redim(v, kFlagInt, count);
  v->pt = ToHostAddr(LowAlloc(v->size));
}

char* Element(const PVal* v, int k) { return HostPtr<char>(k == 0 ? v->pt : Slots(v)[k]); }

int Allocated(const PVal* v, int k) {
  return reinterpret_cast<const StrInf*>(Element(v, k) - sizeof(StrInf))->size;
}

void SetElement(PVal* v, int k, const std::string& text) {
  const int need = int(text.size()) + 1;
  if (need > Allocated(v, k)) {
    // Only this element moves; its slot (or pt) follows it.
    HostAddr* slot = k == 0 ? &v->pt : &Slots(v)[k];
    char* old = Element(v, k);
    *slot = ToHostAddr(NewElement(need, slot));
    FreeElement(old);
  }
  std::memcpy(Element(v, k), text.c_str(), need);
}

Hsp3Host::Hsp3Host() {
  h.ctx = static_cast<std::uint8_t*>(LowAlloc(1024));
  auto* refstr = static_cast<std::uint8_t*>(LowAlloc(16 + kRefstrBytes)) + 16;
  std::memcpy(refstr - 16, &kRefstrBytes, 4);
  At<HostAddr>(h.ctx, zor::hsp3::kCtxRefstr) = ToHostAddr(refstr);
  h.temp = static_cast<char*>(LowAlloc(kTempBytes));
  h.dummy = NewVar();
  wnd_ = h.wnd = static_cast<std::uint8_t*>(LowAlloc(512));
  master_ = static_cast<std::uint8_t*>(LowAlloc(1024));
  At<HostAddr>(wnd_, kWndMaster) = ToHostAddr(master_);

  ExInfo& ex = h.ex;
  ex.ver = 0x370c;
  ex.actscr = &h.actscr;
  ex.hspctx = h.ctx;
  ex.prm_next = PrmNext;
  ex.prm_getdi = PrmGetdi;
  ex.prm_gets = PrmGets;
  ex.prm_getva = PrmGetva;
  ex.prm_setva = PrmSetva;
  ex.dim = HostDim;
  ex.getbmscr = GetBmscr;
  ex.puterror = Raise;
  h.info.type = 18;
  h.info.hspctx = h.ctx;
  h.info.hspexinfo = &ex;
#if defined(_WIN32)
  HMODULE lib = LoadLibraryA("zorextss.dll");
  auto init = reinterpret_cast<void(__stdcall*)(TypeInfo*)>(
      lib != nullptr ? reinterpret_cast<void*>(GetProcAddress(lib, "_hsp3cmdinit@4")) : nullptr);
#else
  void* lib = dlopen(ZOR_LIBRARY_PATH, RTLD_NOW | RTLD_GLOBAL);
  auto init = reinterpret_cast<void (*)(TypeInfo*)>(lib ? dlsym(lib, "hsp3cmdinit") : nullptr);
#endif
  if (init == nullptr) {
    std::fprintf(stderr, "the library does not register as an HSP 3 plugin\n");
    std::exit(2);
  }
  init(&h.info);
}

int Hsp3Host::Run(int id, std::vector<ScriptArg> args) {
  h.args = std::move(args);
  h.next = 0;
  h.error = 0;
  h.info.cmdfunc(id);
  if (h.error == 0 && h.next < h.args.size()) h.error = 16;  // arguments left unread
  return h.error;
}

std::int32_t Hsp3Host::stat() const { return At<std::int32_t>(h.ctx, kCtxStat); }

char* Hsp3Host::refstr() const { return HostPtr<char>(At<HostAddr>(h.ctx, kCtxRefstr)); }

void Hsp3Host::SetWindow(const void* screen, const std::vector<std::uint32_t>& objects) {
  std::memcpy(wnd_, screen, kScreenSharedBytes);
  LowFree(this->objects(), 72 * 64);
  auto* table = static_cast<ObjInfo*>(LowAlloc(72 * 64));
  for (std::size_t k = 0; k < objects.size(); ++k) {
    table[k].owmode = objects[k] != 0 ? 1 : 0;
    table[k].hCld = objects[k];
  }
  At<HostAddr>(wnd_, kWndObjects) = ToHostAddr(table);
  At<std::int32_t>(wnd_, kWndObjMax) = std::int32_t(objects.size());
}

ObjInfo* Hsp3Host::objects() const { return HostPtr<ObjInfo>(At<HostAddr>(wnd_, kWndObjects)); }

}  // namespace zt
