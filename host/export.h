// Every export: four 32-bit arguments, callee-cleans, a signed 32-bit status.
// On Windows the module definition gives each its decorated name _Name@16;
// the Linux build exports the plain C name.
#pragma once

#include <cstdint>

#include "host/host_records.h"
#include "host/status.h"

#if defined(_WIN32)
#define ZOR_CALL __stdcall
#define ZOR_EXPORT extern "C" std::int32_t ZOR_CALL
#else
#define ZOR_CALL
#define ZOR_EXPORT extern "C" __attribute__((visibility("default"))) std::int32_t ZOR_CALL
#endif
