// CheckFilename and NodeExt: file-name checks and path parts in the first
// row of a string variable.
#include "host/capacity.h"
#include "host/export.h"
#include "text/file_name.h"

using namespace zor;

ZOR_EXPORT CheckFilename(HspVar* var, std::int32_t noDirectories, std::int32_t allowSemicolon,
                         std::int32_t) {
  if (var->type != kTypeString) return kFail;
  const std::uint32_t row = RowBytes(*var);
  if (row == 0) return kFail;  // a row without bytes holds no name
  char* text = VarText(*var);
  text[row - 1] = 0;
  return CheckFileNameText(text, noDirectories != 0, allowSemicolon != 0);
}

ZOR_EXPORT NodeExt(HspVar* var, const char* path, std::int32_t selector, std::int32_t trim) {
  if (var->type != kTypeString) return kFail;
  const std::uint32_t row = RowBytes(*var);
  if (row == 0) return -16;  // no room for even the terminator
  return WritePathPart(path, selector, trim != 0, VarText(*var), row);
}
