// What every test needs: the library's exports resolved by name, the way the
// host finds them (GetProcAddress of _Name@16 on Windows, dlsym of Name on
// Linux), and host records placed in memory below 4 GiB.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>

#include "host/export.h"
#include "host/host_records.h"

namespace zt {

// Address of an export taking argBytes bytes of arguments (its stdcall
// decoration); fails the test program at start-up when missing.
void* ResolveExport(const char* name, int argBytes = 16);

// An export called with each argument as one machine word, as the host
// passes them.
using Word = std::uintptr_t;
using WordCall = std::int32_t(ZOR_CALL*)(Word, Word, Word, Word);
inline WordCall WordExport(const char* name) {
  return reinterpret_cast<WordCall>(ResolveExport(name));
}

// Zero-filled memory below 4 GiB, so its address fits a host record field.
void* LowAlloc(std::size_t bytes);
void LowFree(void* p, std::size_t bytes);

// A script variable: the record and its storage, both in low memory.
class HostVar {
 public:
  // A string variable of rows x bytesPerRow bytes (bytesPerRow a multiple of
  // 4; rows 0 or 1 for a single string).
  static HostVar String(std::uint32_t bytesPerRow, std::uint32_t rows = 1);
  // An integer variable of count elements.
  static HostVar Ints(std::uint32_t count);
  // A variable whose size words come from the extended size record.
  void SetExtended(std::int32_t rowSize, std::int32_t rowCount);

  HostVar(HostVar&& o) noexcept;
  HostVar& operator=(HostVar&&) = delete;
  ~HostVar();

  zor::HspVar* rec() const { return rec_; }
  operator zor::HspVar*() const { return rec_; }
  char* text() const { return zor::HostPtr<char>(rec_->data); }
  std::int32_t* ints() const { return zor::HostPtr<std::int32_t>(rec_->data); }
  std::uint8_t* bytes() const { return zor::HostPtr<std::uint8_t>(rec_->data); }
  std::size_t storageBytes() const { return storage_; }
  // Copies s with its terminator to the start of the storage.
  void SetText(const std::string& s) { std::memcpy(text(), s.c_str(), s.size() + 1); }
  void Fill(std::uint8_t b) { std::memset(bytes(), b, storage_); }

 private:
  HostVar(std::uint16_t type, std::uint16_t rowSize, std::uint16_t rows, std::size_t storage);
  zor::HspVar* rec_ = nullptr;
  std::int32_t* ext_ = nullptr;
  std::size_t storage_ = 0;
};

// Writes bytes to a file named relative to the working directory (both
// platforms accept such names); returns the name.
std::string WriteTempFile(const std::string& name, const std::string& bytes);

// Handles the process holds open: the stand-in's own count on Linux, the
// kernel's on Windows, -1 where the platform does not tell (Wine). Use
// ZT_EXPECT_HANDLES(before) to compare.
long OpenHandleCount();

}  // namespace zt

// Declares a typed pointer to an export, resolved when the program starts.
#define ZT_EXPORT(name, ...)                               \
  inline std::int32_t(ZOR_CALL* const name)(__VA_ARGS__) = \
      reinterpret_cast<std::int32_t(ZOR_CALL*)(__VA_ARGS__)>(zt::ResolveExport(#name))

// Expects the open-handle count to equal `before` (where it is known).
#define ZT_EXPECT_HANDLES(before)                \
  do {                                           \
    long zt_now_ = zt::OpenHandleCount();        \
    if ((before) >= 0 && zt_now_ >= 0) {         \
      EXPECT_EQ((before), zt_now_) << "handles"; \
    }                                            \
  } while (0)
