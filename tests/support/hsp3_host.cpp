#include "support/hsp3_host.h"

#include <cstring>

#include "support/zortest.h"

namespace zt {

using namespace zor::hsp3;
using zor::HostAddr;
using zor::HostPtr;
using zor::ToHostAddr;

namespace {

constexpr int kRefstrBytes = 4096;

struct State {
  TypeInfo info{};
  ExInfo ex{};
  std::uint8_t *ctx, *wnd, *master;
  int actscr = 0;
  std::vector<ScriptArg> args;
  std::size_t next = 0;
  int error = 0;
  char* temp;  // the host's one string buffer, overwritten by each string
  PVal* dummy;
} h;

std::uint8_t* NewElement(int bytes, HostAddr* slot) {
  auto* inf = static_cast<StrInf*>(LowAlloc(sizeof(StrInf) + bytes));
  *inf = StrInf{1, 0, 0, bytes, 0, 0, ToHostAddr(slot)};
  return reinterpret_cast<std::uint8_t*>(inf + 1);
}

void FreeElement(char* e) {
  auto* inf = reinterpret_cast<StrInf*>(e) - 1;
  LowFree(inf, sizeof(StrInf) + inf->size);
}

HostAddr* Slots(const PVal* v) { return HostPtr<HostAddr>(v->master); }

// Frees the storage, then makes a one-dimensional variable of count elements.
void Redim(PVal* v, std::int16_t flag, int count) {
  if (v->flag == kFlagStr) {
    for (int k = 0; k < v->len[1]; ++k) FreeElement(Element(v, k));
    LowFree(Slots(v), v->size);
  } else if (v->pt != 0) {
    LowFree(HostPtr<void>(v->pt), v->size);
  }
  *v = PVal{flag, 1, {1, count}, count * 4, 0, 0, 0, 0, 0, 0};
}

void Raise(int e) {
  if (h.error == 0) h.error = e;
}

const ScriptArg* Take() { return h.next < h.args.size() ? &h.args[h.next++] : nullptr; }

int PrmGetdi(int def) {
  const ScriptArg* a = Take();
  if (a == nullptr || a->kind == ScriptArg::kOmit) return def;
  if (a->kind != ScriptArg::kInt) Raise(6);
  return a->kind == ScriptArg::kInt ? a->value : 0;
}

char* PrmGets() {
  const ScriptArg* a = Take();
  const bool str = a != nullptr && a->kind == ScriptArg::kStr;
  if (!str) Raise(a == nullptr || a->kind == ScriptArg::kOmit ? 5 : 6);
  std::strcpy(h.temp, str ? a->text.c_str() : "");
  return h.temp;
}

int PrmGetva(PVal** out) {
  const ScriptArg* a = Take();
  const bool var = a != nullptr && a->kind == ScriptArg::kVar;
  if (!var) Raise(23);
  *out = var ? a->var : h.dummy;
  return var ? a->value : 0;
}

void PrmSetva(PVal* v, int aptr, int type, const void* ptr) {
  if (type == v->flag && type == kFlagStr) {
    SetElement(v, aptr, static_cast<const char*>(ptr));
  } else if (type == v->flag && type == kFlagInt) {
    HostPtr<std::int32_t>(v->pt)[aptr] = *static_cast<const std::int32_t*>(ptr);
  } else if (aptr != 0) {
    Raise(31);
  } else {  // the host re-creates the variable with the new type
    type == kFlagStr ? Sdim(v, 64, 1) : Dim(v, 1);
    PrmSetva(v, 0, type, ptr);
  }
}

}  // namespace

PVal* NewVar() {
  auto* v = static_cast<PVal*>(LowAlloc(sizeof(PVal)));
  Dim(v, 1);
  return v;
}

void FreeVar(PVal* v) {
  Redim(v, kFlagInt, 0);
  LowFree(v, sizeof(PVal));
}

void Sdim(PVal* v, int bytes, int count) {
  Redim(v, kFlagStr, count);
  v->master = ToHostAddr(LowAlloc(v->size));
  for (int k = 0; k < count; ++k) {
    HostAddr* slot = k == 0 ? &v->pt : &Slots(v)[k];
    *slot = ToHostAddr(NewElement(bytes < 64 ? 64 : bytes, &Slots(v)[k]));
  }
}

void Dim(PVal* v, int count) {
  Redim(v, kFlagInt, count);
  v->pt = ToHostAddr(LowAlloc(v->size));
}

char* Element(const PVal* v, int k) { return HostPtr<char>(k == 0 ? v->pt : Slots(v)[k]); }

int Allocated(const PVal* v, int k) {
  return (reinterpret_cast<const StrInf*>(Element(v, k)) - 1)->size;
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
  At<HostAddr>(h.ctx, kCtxRefstr) = ToHostAddr(refstr);
  h.temp = static_cast<char*>(LowAlloc(1 << 17));
  h.dummy = NewVar();
  h.wnd = static_cast<std::uint8_t*>(LowAlloc(512));
  h.master = static_cast<std::uint8_t*>(LowAlloc(1024));
  At<HostAddr>(h.wnd, kWndMaster) = ToHostAddr(h.master);
  At<HostAddr>(h.wnd, kWndObjects) = ToHostAddr(LowAlloc(72 * 64));
  ExInfo& ex = h.ex;
  ex.ver = 0x370c;
  ex.actscr = &h.actscr;
  ex.hspctx = h.ctx;
  ex.prm_next = [] {};
  ex.prm_getdi = PrmGetdi;
  ex.prm_gets = PrmGets;
  ex.prm_getva = PrmGetva;
  ex.prm_setva = PrmSetva;
  ex.dim = [](PVal* v, int flag, int len0, int len1, int, int, int) {
    flag == kFlagStr ? Sdim(v, len0, len1) : Dim(v, len1);
  };
  ex.getbmscr = [](int) -> void* { return h.wnd; };
  ex.puterror = Raise;
  h.info.type = 18;
  h.info.hspctx = h.ctx;
  h.info.hspexinfo = &ex;
  reinterpret_cast<void(ZOR_CALL*)(TypeInfo*)>(ResolveExport("hsp3cmdinit", 4))(&h.info);
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
std::uint8_t* Hsp3Host::window() const { return h.wnd; }
std::uint8_t* Hsp3Host::palette() const { return h.master; }

void Hsp3Host::SetWindow(const void* screen, const std::vector<std::uint32_t>& objects) {
  std::memcpy(h.wnd, screen, kScreenSharedBytes);
  auto* table = HostPtr<ObjInfo>(At<HostAddr>(h.wnd, kWndObjects));
  std::memset(table, 0, 72 * 64);
  for (std::size_t k = 0; k < objects.size(); ++k) {
    table[k].owmode = objects[k] != 0 ? 1 : 0;
    table[k].hCld = objects[k];
  }
  At<std::int32_t>(h.wnd, kWndObjMax) = std::int32_t(objects.size());
}

}  // namespace zt
