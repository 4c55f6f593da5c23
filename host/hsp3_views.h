// Views of HSP 3 script variables in the shape the exports take: a HSP 2
// variable record whose data is either the host's own storage (int and
// double arrays, a single string element) or a door-owned block of equal
// rows gathered from a string array's separate elements.
#pragma once

#include <cstdint>

#include "host/hsp3_records.h"

namespace zor::hsp3 {

struct VarView {
  HspVar rec;  // what the export is given
  PVal* pval;  // the script's variable and the element the script named
  int index;
  std::uint8_t* block;  // door-owned rows (low memory), or null
  std::uint32_t rows, rowBytes;
  std::int32_t* ext;  // 16 bytes of low memory for the extended size record
};

// Memory below 4 GiB in every build, so a record's 32-bit field can hold it.
void* LowAlloc(std::uint32_t bytes);
void LowFree(void* p);

// Builds the view of pval's element index. `own` gathers into a door-owned
// block even where the host's storage could be used in place: a view the
// library keeps must not move when the script's variable is reallocated.
// False when the block cannot be allocated.
bool BuildView(VarView& v, PVal* pval, int index, bool own);

// Copies the rows the export changed back into the host's elements, never
// past an element's own allocation (cut and terminated there).
void WriteBack(const VarView& v);

// Copies the host's current bytes into an owned block again; `text` keeps the
// first row terminated, as the library's kept texts expect.
void Refresh(VarView& v, bool text);

void ReleaseBlock(VarView& v);

}  // namespace zor::hsp3
