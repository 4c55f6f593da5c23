// The HSP 3 host's records that its plugin interface hands over: the type
// record and the extension info (tables of callbacks), the context, the
// variable record with its string element header, the window record and the
// object record. Data records keep their 32-bit layout in every build, with
// pointer fields as HostAddr, like the HSP 2 records.
#pragma once

#include <cstddef>
#include <cstdint>

#include "host/host_records.h"

namespace zor::hsp3 {

// Variable types (PVal flag).
enum : std::int16_t { kFlagLabel = 1, kFlagStr = 2, kFlagDouble = 3, kFlagInt = 4 };

// A script variable. len[0] is always 1; len[1..4] are the dimensions, 0 where
// unused. Strings: element 0 at pt, element k >= 1 at ((HostAddr*)master)[k].
struct PVal {
  std::int16_t flag;
  std::int16_t mode;
  std::int32_t len[5];
  std::int32_t size;
  HostAddr pt;
  HostAddr master;
  std::uint16_t support;
  std::int16_t arraycnt;
  std::int32_t offset;
  std::int32_t arraymul;
};
static_assert(offsetof(PVal, len) == 4 && offsetof(PVal, size) == 24);
static_assert(offsetof(PVal, pt) == 28 && offsetof(PVal, master) == 32);
static_assert(sizeof(PVal) == 48);

// The header the host puts before every string element's bytes.
struct StrInf {
  std::int16_t flag;
  std::int16_t exflag;
  HostAddr intptr;
  std::int32_t size;  // bytes allocated for the element
  HostAddr ptr;
  HostAddr extptr;
  HostAddr opt;  // the address of the element's slot
};
static_assert(offsetof(StrInf, size) == 8 && sizeof(StrInf) == 24);

// One object of a window (72 bytes); owmode 0 marks a free slot.
struct ObjInfo {
  std::int16_t owmode;
  std::int16_t option;
  HostAddr bm;
  HostAddr hCld;
  std::uint8_t rest[60];
};
static_assert(offsetof(ObjInfo, hCld) == 8 && sizeof(ObjInfo) == 72);

// Window record: the first 164 bytes match the HSP 2 screen record; these
// are the fields past them that the door reads.
constexpr std::size_t kScreenSharedBytes = 164;
constexpr std::size_t kWndObjects = 284;         // HostAddr to ObjInfo[objmax]
constexpr std::size_t kWndObjMax = 288;          // int32
constexpr std::size_t kWndMaster = 304;          // HostAddr to the window manager
constexpr std::size_t kMasterPalette = 0;        // its 768-byte palette table
constexpr std::size_t kWindowRecordBytes = 420;  // the SDK's size; the host's is larger

// Context fields (byte offsets).
constexpr std::size_t kCtxStat = 784;    // int32
constexpr std::size_t kCtxRefstr = 792;  // HostAddr, 4096 bytes or more

template <class T>
inline T& At(void* record, std::size_t offset) {
  return *reinterpret_cast<T*>(static_cast<std::uint8_t*>(record) + offset);
}

struct ExInfo;

// The two interface tables hold the host's and the plugin's callbacks. On
// the 32-bit host every field is 4 bytes, at the offsets asserted below; a
// 64-bit build cannot keep callbacks in 32 bits, so there the tables take
// their natural 64-bit layout (only the test host builds them).
struct TypeInfo {
  std::int16_t type;
  std::int16_t option;
  void* hspctx;
  ExInfo* hspexinfo;
  int (*cmdfunc)(int id);
  void* (*reffunc)(int* restype, int id);
  int (*termfunc)(int option);
  void* msgfunc;
  int (*eventfunc)(int, int, int, void*);
};

struct ExInfo {
  std::int16_t ver, min;
  int* er;
  char* pstr;
  char* stmp;
  PVal** mpval;
  int* actscr;
  int* nptype;
  int* npval;
  int* strsize;
  char* refstr;
  void* (*getv)();
  int (*prm_geti)();
  int (*prm_getdi)(int def);
  char* (*prm_gets)();
  char* (*prm_getds)(const char* def);
  int (*val_realloc)(PVal*, int, int);
  int (*fread)(char*, void*, int, int);
  int (*fsize)(char*);
  void* (*getbmscr)(int wid);
  int (*getobj)(int, int, void*);
  int (*setobj)(int, int, const void*);
  int* npexflg;
  void* hspctx;
  int (*addobj)(int);
  void (*puterror)(int error);
  void* (*getproc)(int);
  void* (*seekproc)(const char*);
  void (*prm_next)();
  int (*prm_get)();
  double (*prm_getd)();
  double (*prm_getdd)(double);
  unsigned short* (*prm_getlb)();
  PVal* (*prm_getpval)();
  int (*prm_getva)(PVal** pval);
  void (*prm_setva)(PVal* pval, int aptr, int type, const void* ptr);
  char* (*hspmalloc)(int);
  void (*hspfree)(void*);
  void* (*hspexpand)(void*, int);
  void* (*addirq)();
  int (*hspevent)(int, int, int, void*);
  void (*registvar)(int, void*);
  void (*setpc)(const unsigned short*);
  void (*call)(const unsigned short*);
  void (*mref)(PVal*, int);
  void (*dim)(PVal* pval, int flag, int len0, int len1, int len2, int len3, int len4);
  void (*redim)(PVal*, int, int);
  void (*array)(PVal*, PVal*);
  char* (*varname)(int);
  int (*seekvar)(const char*);
  char* (*prm_getns)();
  char* (*prm_getnds)(const char*);
};

#if INTPTR_MAX == INT32_MAX
static_assert(offsetof(TypeInfo, hspexinfo) == 8 && offsetof(TypeInfo, cmdfunc) == 12);
static_assert(offsetof(TypeInfo, termfunc) == 20 && sizeof(TypeInfo) == 32);
static_assert(offsetof(ExInfo, mpval) == 16 && offsetof(ExInfo, actscr) == 20);
static_assert(offsetof(ExInfo, prm_getdi) == 48 && offsetof(ExInfo, prm_gets) == 52);
static_assert(offsetof(ExInfo, getbmscr) == 72 && offsetof(ExInfo, hspctx) == 88);
static_assert(offsetof(ExInfo, puterror) == 96 && offsetof(ExInfo, prm_next) == 108);
static_assert(offsetof(ExInfo, prm_getva) == 132 && offsetof(ExInfo, prm_setva) == 136);
static_assert(offsetof(ExInfo, dim) == 176 && sizeof(ExInfo) == 204);
#endif

}  // namespace zor::hsp3
