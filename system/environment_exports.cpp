// The process's command line, its temporary and current directories,
// environment variables, and removing a directory.
#include <windows.h>

#include <cstring>

#include "host/capacity.h"
#include "host/export.h"
#include "host/strings.h"
#include "system/command_line.h"
#include "system/env_reference.h"

using namespace zor;

namespace {

// The platform's size rule: the length written, or the size needed when
// it is more than the room given.
std::int32_t SizeStatus(DWORD n, std::uint32_t room) {
  return n <= room ? 0 : -static_cast<std::int32_t>(n);
}

}  // namespace

ZOR_EXPORT GetCmdLine(HspVar* var, std::int32_t mode, std::int32_t, std::int32_t) {
  if (var->type != kTypeString) return kWrongType;
  std::uint32_t room = RowBytes(*var);
  if (room == 0) return kBadArg;  // no byte even for the terminator
  char line[kCommandLineBytes];
  const char* source = GetCommandLineA();
  std::size_t n = strnlen(source, kCommandLineBytes - 1);
  std::memcpy(line, source, n);
  line[n] = 0;
  // Cut to the row before anything is skipped.
  if (room < kCommandLineBytes) line[room - 1] = 0;
  CopyString(VarText(*var), line + CommandLineStart(line, mode));
  return kOk;
}

ZOR_EXPORT GetWinTemp(HspVar* var, std::int32_t, std::int32_t, std::int32_t) {
  if (var->type != kTypeString) return kWrongType;
  std::uint32_t room = RowBytes(*var);
  return SizeStatus(GetTempPathA(room, VarText(*var)), room);
}

ZOR_EXPORT GetCurDir(HspVar* var, std::int32_t, std::int32_t, std::int32_t) {
  if (var->type != kTypeString) return kWrongType;
  std::uint32_t room = RowBytes(*var);
  return SizeStatus(GetCurrentDirectoryA(room, VarText(*var)), room);
}

ZOR_EXPORT RmDir(std::int32_t, const char* directory, std::int32_t, std::int32_t) {
  return RemoveDirectoryA(directory) ? kOk : kFail;
}

ZOR_EXPORT GetEnvVar(HspVar* var, const char* name, std::int32_t, std::int32_t) {
  if (var->type != kTypeString) return kWrongType;
  if (var->lengths[1] < 1) return kBadArg;
  char reference[kEnvReferenceBytes];
  if (!BuildEnvReference(name, reference)) return kBadArg;
  return -static_cast<std::int32_t>(
      ExpandEnvironmentStringsA(reference, VarText(*var), RowBytes(*var)));
}
