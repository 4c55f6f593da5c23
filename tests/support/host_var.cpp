#include "support/zortest.h"

namespace zt {

HostVar::HostVar(std::uint16_t type, std::uint16_t rowSize, std::uint16_t rows, std::size_t storage)
    : storage_(storage) {
  rec_ = static_cast<zor::HspVar*>(LowAlloc(sizeof(zor::HspVar)));
  ext_ = static_cast<std::int32_t*>(LowAlloc(16));
  const zor::HostAddr data = zor::ToHostAddr(LowAlloc(storage_));
  *rec_ = {type, 0, {1, rowSize, rows, 0, 0}, 0, data, zor::ToHostAddr(ext_)};
}

HostVar HostVar::String(std::uint32_t bytesPerRow, std::uint32_t rows) {
  std::size_t storage = std::size_t{bytesPerRow} * (rows > 1 ? rows : 1);
  return HostVar(zor::kTypeString, static_cast<std::uint16_t>(bytesPerRow / 4),
                 static_cast<std::uint16_t>(rows), storage);
}

HostVar HostVar::Ints(std::uint32_t count) {
  return HostVar(zor::kTypeInt, static_cast<std::uint16_t>(count), 1, std::size_t{count} * 4);
}

void HostVar::SetExtended(std::int32_t rowSize, std::int32_t rowCount) {
  rec_->extended = 1;
  ext_[2] = rowSize;
  ext_[3] = rowCount;
}

HostVar::HostVar(HostVar&& o) noexcept : rec_(o.rec_), ext_(o.ext_), storage_(o.storage_) {
  o.rec_ = nullptr;
  o.ext_ = nullptr;
}

HostVar::~HostVar() {
  if (rec_ == nullptr) return;
  LowFree(zor::HostPtr<void>(rec_->data), storage_);
  LowFree(ext_, 16);
  LowFree(rec_, sizeof(zor::HspVar));
}

}  // namespace zt
