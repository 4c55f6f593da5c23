// BMP files: the image file handle and the file header.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zor {

constexpr std::size_t kBmpProbeBytes = 1024;  // the first read
constexpr std::size_t kBmpMinBytes = 58;      // least a BMP file can be
constexpr std::size_t kBmpFileHeader = 14;    // the packed DIB follows

// Opens the image file for reading, sharing nothing. Returns 1 when the open
// failed, else 0.
int OpenImageFile(const char* name);
// One read of up to count bytes; returns the bytes read. A failed or empty
// read closes the file and returns 0.
std::uint32_t ReadImageFile(std::uint32_t count, void* buffer);
// The open image file's length; 2^64 - 1 when it cannot be told.
std::uint64_t ImageFileSize();
// Closes the image file if it is still open.
void CloseImageFile();

// The header tests and fields; `p` holds at least kBmpMinBytes bytes.
bool BmpSignatureOk(const std::uint8_t* p);  // "BM" and bfReserved1 zero
std::uint32_t BmpFileSize(const std::uint8_t* p);
// The seven values BmpInfo reports: compression code, width, height, bit
// count, bfSize, horizontal and vertical resolution.
void BmpInfoValues(const std::uint8_t* p, std::int32_t values[7]);

}  // namespace zor
