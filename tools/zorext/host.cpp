#include "tools/zorext/host.h"

#include <cstring>
#include <type_traits>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace zorext {

#if defined(_WIN32)

void* LowAlloc(std::size_t bytes) {
  return VirtualAlloc(nullptr, bytes ? bytes : 1, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
}

void LowFree(void* p, std::size_t) {
  if (p != nullptr) VirtualFree(p, 0, MEM_RELEASE);
}

namespace {

// The folder of the running executable, with its trailing separator.
std::string ExeFolder() {
  char path[MAX_PATH];
  const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return std::string();
  std::string s(path, n);
  const std::size_t cut = s.find_last_of("\\/");
  return cut == std::string::npos ? std::string() : s.substr(0, cut + 1);
}

// The library's module, or null with the reason in `error`.
void* OpenLibrary(std::string& error) {
  const std::string beside = ExeFolder() + "zorextss.dll";
  HMODULE lib = LoadLibraryA(beside.c_str());
  if (lib == nullptr) lib = LoadLibraryA("zorextss.dll");
  if (lib == nullptr) {
    error = "cannot load zorextss.dll (error " + std::to_string(GetLastError()) + ")";
  }
  return lib;
}

// An export by its decorated name, _Name@16, as the host asks for it.
void* Resolve(void* lib, const char* name, std::string& error) {
  const std::string decorated = std::string("_") + name + "@16";
  void* p = reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(lib), decorated.c_str()));
  if (p == nullptr && error.empty()) error = "zorextss.dll does not export " + decorated;
  return p;
}

}  // namespace

#else

void* LowAlloc(std::size_t bytes) {
  void* p = mmap(nullptr, bytes ? bytes : 1, PROT_READ | PROT_WRITE,
                 MAP_PRIVATE | MAP_ANONYMOUS | MAP_32BIT, -1, 0);
  return p == MAP_FAILED ? nullptr : p;
}

void LowFree(void* p, std::size_t bytes) {
  if (p != nullptr) munmap(p, bytes ? bytes : 1);
}

namespace {

std::string ExeFolder() {
  char path[4096];
  const ssize_t n = readlink("/proc/self/exe", path, sizeof path);
  if (n <= 0 || std::size_t(n) >= sizeof path) return std::string();
  std::string s(path, std::size_t(n));
  return s.substr(0, s.find_last_of('/') + 1);
}

void* OpenLibrary(std::string& error) {
  const std::string beside = ExeFolder() + "libzorextss.so";
  void* lib = dlopen(beside.c_str(), RTLD_NOW | RTLD_GLOBAL);
#if defined(ZOR_LIBRARY_PATH)
  // The build's own copy, for a tool moved away from its library.
  if (lib == nullptr) lib = dlopen(ZOR_LIBRARY_PATH, RTLD_NOW | RTLD_GLOBAL);
#endif
  if (lib == nullptr) error = std::string("cannot load libzorextss.so: ") + dlerror();
  return lib;
}

// The Linux build exports the plain name.
void* Resolve(void* lib, const char* name, std::string& error) {
  void* p = dlsym(lib, name);
  if (p == nullptr && error.empty()) error = std::string("libzorextss.so does not export ") + name;
  return p;
}

}  // namespace

#endif

bool LoadLibraryExports(Exports& out, std::string& error) {
  error.clear();
  void* lib = OpenLibrary(error);
  if (lib == nullptr) return false;
  auto resolve = [&](auto& slot, const char* name) {
    slot = reinterpret_cast<std::remove_reference_t<decltype(slot)>>(Resolve(lib, name, error));
  };
  resolve(out.BmpInfo, "BmpInfo");
  resolve(out.BmpLoad, "BmpLoad");
  resolve(out.PiInfo, "PiInfo");
  resolve(out.PiLoad, "PiLoad");
  resolve(out.PiTransColour, "PiTransColour");
  return error.empty();
}

IntVar::IntVar(std::uint16_t count) : count_(count) {
  rec_ = static_cast<zor::HspVar*>(LowAlloc(sizeof(zor::HspVar)));
  data_ = static_cast<std::int32_t*>(LowAlloc(std::size_t{count} * 4));
  if (!ok()) return;
  rec_->type = zor::kTypeInt;
  rec_->lengths[0] = 1;
  rec_->lengths[1] = count;
  rec_->lengths[2] = 1;
  rec_->data = zor::ToHostAddr(data_);
}

IntVar::~IntVar() {
  LowFree(data_, std::size_t{count_} * 4);
  LowFree(rec_, sizeof(zor::HspVar));
}

namespace {
constexpr std::size_t kInfoBytes = sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD);
}

Screen::Screen(int width, int height, bool paletteMode)
    : width_(width), height_(height), bytesPerPixel_(paletteMode ? 1 : 3) {
  rowBytes_ = (std::size_t(bytesPerPixel_) * std::size_t(width) + 3) & ~std::size_t{3};
  rec_ = static_cast<zor::HspScreen*>(LowAlloc(sizeof(zor::HspScreen)));
  info_ = static_cast<BITMAPINFO*>(LowAlloc(kInfoBytes));
  hostPalette_ = static_cast<std::uint8_t*>(LowAlloc(zor::kHostPaletteBytes));
  if (rec_ == nullptr || info_ == nullptr || hostPalette_ == nullptr) return;
  info_->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info_->bmiHeader.biWidth = width;
  info_->bmiHeader.biHeight = height;  // bottom-up, as the host keeps it
  info_->bmiHeader.biPlanes = 1;
  info_->bmiHeader.biBitCount = WORD(paletteMode ? 8 : 24);
  info_->bmiHeader.biCompression = BI_RGB;
  info_->bmiHeader.biClrUsed = paletteMode ? 256 : 0;
  dc_ = CreateCompatibleDC(nullptr);
  if (dc_ == nullptr) return;
  void* bits = nullptr;
  bitmap_ = CreateDIBSection(dc_, info_, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap_ == nullptr || bits == nullptr) return;
  oldBitmap_ = SelectObject(dc_, bitmap_);
  bits_ = static_cast<std::uint8_t*>(bits);

  rec_->width = width;
  rec_->height = height;
  rec_->paletteMode = paletteMode ? 1 : 0;
  rec_->memoryDc = zor::HandleAddr(dc_);
  rec_->pixelBits = zor::ToHostAddr(bits_);
  rec_->bitmapInfo = zor::ToHostAddr(info_);
  rec_->colourTable = zor::ToHostAddr(info_->bmiColors);
  rec_->clientWidth = width;
  rec_->clientHeight = height;
  // No window: redrawMode 0 and screenType 2 keep the loaders off it.
  rec_->screenType = 2;
}

Screen::~Screen() {
  if (rec_ != nullptr && rec_->palette != 0) {
    // The loaders leave their last palette selected; the host frees it.
    SelectPalette(dc_, zor::HostHandle<HPALETTE>(rec_->previousPalette), FALSE);
    DeleteObject(zor::HostHandle<HGDIOBJ>(rec_->palette));
  }
  if (oldBitmap_ != nullptr) SelectObject(dc_, oldBitmap_);
  if (bitmap_ != nullptr) DeleteObject(bitmap_);
  if (dc_ != nullptr) DeleteDC(dc_);
  LowFree(hostPalette_, zor::kHostPaletteBytes);
  LowFree(info_, kInfoBytes);
  LowFree(rec_, sizeof(zor::HspScreen));
}

void Screen::Fill(std::uint8_t b) const { std::memset(bits_, b, rowBytes_ * std::size_t(height_)); }

const std::uint8_t* Screen::Pixel(int x, int y) const {
  return bits_ + std::size_t(height_ - 1 - y) * rowBytes_ + std::size_t(x) * bytesPerPixel_;
}

}  // namespace zorext
