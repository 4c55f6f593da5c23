// A small HSP 3 host for the tests: it registers the library as the host does
// and runs its commands by id over a scripted argument list, with `stat`,
// `refstr`, script variables and a window record.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/hsp3_records.h"

namespace zt {

using zor::hsp3::PVal;

// One argument as the script writes it.
struct ScriptArg {
  enum Kind { kInt, kStr, kVar, kOmit } kind;
  std::int32_t value = 0;  // kInt; the element index for kVar
  std::string text = "";   // kStr
  PVal* var = nullptr;     // kVar
};

// Script variables in low memory, as the host lays them out.
PVal* NewVar();
void FreeVar(PVal* v);
// sdim: count elements of `bytes` each (at least 64); dim: count ints.
void Sdim(PVal* v, int bytes, int count);
void Dim(PVal* v, int count);
char* Element(const PVal* v, int k);
int Allocated(const PVal* v, int k);
// s(k) = text, reallocating the element when it does not fit (the host's way).
void SetElement(PVal* v, int k, const std::string& text);

class Hsp3Host {
 public:
  Hsp3Host();
  // The error raised (the first), or 0.
  int Run(int id, std::vector<ScriptArg> args);
  std::int32_t stat() const;
  char* refstr() const;
  // The current window: the first 164 bytes from `screen`, then `objects`
  // object slots (0 = a free slot) and the window manager's palette table.
  void SetWindow(const void* screen, const std::vector<std::uint32_t>& objects);
  std::uint8_t* window() const;
  std::uint8_t* palette() const;
};

}  // namespace zt
