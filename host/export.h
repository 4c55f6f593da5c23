// Every export: four 32-bit arguments, callee-cleans, a signed 32-bit status.
// On Windows the module definition gives each its decorated name _Name@16;
// the Linux build exports the plain C name. The HSP 3 plugin entry
// (ZOR_PLUGIN_INIT) is exported as _hsp3cmdinit@4, or plain on Linux.
#pragma once

#include <cstdint>

#include "host/host_records.h"
#include "host/status.h"

#if defined(_WIN32)
#define ZOR_CALL __stdcall
#define ZOR_EXPORT extern "C" std::int32_t ZOR_CALL
#define ZOR_PLUGIN_INIT extern "C" void ZOR_CALL
#else
#define ZOR_CALL
#define ZOR_EXPORT extern "C" __attribute__((visibility("default"))) std::int32_t ZOR_CALL
#define ZOR_PLUGIN_INIT extern "C" __attribute__((visibility("default"))) void ZOR_CALL
#endif
