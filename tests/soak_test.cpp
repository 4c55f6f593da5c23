// Long runs: every family of exports that takes the platform's objects,
// called many times in a loop, must end holding exactly the handles, GDI and
// USER objects it held after a warm-up round, and must answer each call the
// same way every time.
#include <gtest/gtest.h>
#include <windows.h>

#include <array>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "support/bmp_builder.h"
#include "support/pi_encoder.h"
#include "support/screen.h"
#include "support/ui.h"
#include "support/zortest.h"

namespace {

using I = std::int32_t;
using V = std::vector<I>;

using zt::Word;
Word W(const void* p) { return reinterpret_cast<Word>(p); }
I X(const char* name, Word a, Word b, Word c, Word d) { return zt::WordExport(name)(a, b, c, d); }

// What the process holds that a leak would grow. Wine keeps neither the
// process's handle count nor the GDI object count, so under Windows those
// tables are probed: a fresh kernel handle or GDI object takes the lowest
// free slot of the process's own table, which moves only when slots stay
// taken. Wine's USER table is one for all processes, so another program's
// windows move its slots: there the USER figure is the process's own count
// or nothing.
using Held = std::array<long, 3>;  // handles, GDI, USER

#if defined(_WIN32)
long Slot(HANDLE h) { return long(reinterpret_cast<std::uintptr_t>(h) & 0xFFFF); }
Held Now() {
  HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  HPEN pen = CreatePen(PS_SOLID, 1, 0);
  const Held held = {
      zt::OpenHandleCount() >= 0 ? zt::OpenHandleCount() : Slot(event),
      long(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) * 0x10000 + Slot(pen),
      long(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS))};
  DeleteObject(pen);
  CloseHandle(event);
  return held;
}
#else
Held Now() { return {ZorStandinOpenHandles(), 0, 0}; }
#endif

// Rounds per family: the Wine tier runs under an emulator, some hundred
// times slower than the native one.
#if defined(_WIN32)
constexpr int kFast = 10000, kSlow = 1000;
#else
constexpr int kFast = 100000, kSlow = 10000;
#endif

TEST(Soak, EveryFamilyHoldsNothingMoreAfterManyRounds) {
  zt::TestScreen full(33, 17, false);
  std::vector<std::uint8_t> palette(768);
  zt::HostVar text = zt::HostVar::String(4096), menu = zt::HostVar::String(64);
  zt::HostVar ints = zt::HostVar::Ints(8);

  zt::WriteTempFile("zt_soak.bmp", zt::MakeBmp(zt::DibSpec::Of(33, 17, 8)));
  const std::string pi = zt::EncodePiFile(zt::PiSpec(33, 17, 16), zt::MakePiPicture(33, 17, 16, 7));
  zt::HostVar piBytes = zt::HostVar::String(std::uint32_t((pi.size() + 3) & ~std::size_t(3)));
  std::copy(pi.begin(), pi.end(), piBytes.text());

  zt::TestWindow window;
  zt::WindowScreen screen(window);

  // Where the cursor lies, taken from the platform itself.
  POINT cursor{}, origin{};
  RECT client{};
  GetCursorPos(&cursor);
  ClientToScreen(window, &origin);
  GetClientRect(window, &client);
  const bool inside = cursor.x >= origin.x && cursor.y >= origin.y &&
                      cursor.x < origin.x + client.right && cursor.y < origin.y + client.bottom;
  const I cursorX = inside ? -I(cursor.x - origin.x) : zor::kNoResultAlt;

  zt::Watchdog watchdog(300, "the soak loops");
  // `round` calls each export of a family once and gives their statuses.
  auto soak = [](const char* name, int rounds, const std::vector<I>& expected,
                 const std::function<std::vector<I>()>& round) {
    EXPECT_EQ(expected, round()) << name;  // module state may be created once
    EXPECT_EQ(expected, round()) << name;
    zt::PumpMessages();
    const Held before = Now();
    int wrong = 0;
    for (int i = 2; i < rounds; ++i) {
      wrong += round() != expected;
      // Other programs send messages to every window; this one answers them.
      if (i % 256 == 0) zt::PumpMessages();
    }
    zt::PumpMessages();
    const Held after = Now();
    EXPECT_EQ(0, wrong) << name << ": rounds that answered otherwise";
    EXPECT_EQ(before, after) << name << ": handles, GDI, USER";
  };
  soak("pictures", kSlow, {0, 0, 0, 0}, [&] {
    return V{X("BmpLoad", W(full), W("zt_soak.bmp"), 0, W(palette.data())),
             X("SetPiMem", W(piBytes), 0, 0, 0), X("PiLoadMem", W(full), 1, 0, W(palette.data())),
             X("SetPiMem", W(piBytes), 1, 0, 0)};
  });
  soak("clipboard", kSlow, {0, 0, 0, 0}, [&] {
    text.SetText("soak");
    return V{X("Txt2Clip", W(text), 0, 0, 0), X("GetClipTxt", W(text), 0, 0, 0),
             X("Dib2Clip", W(full), 0, 0, 0), X("GetClipDib", W(full), 0, 0, W(palette.data()))};
  });
  soak("windows and menus", kFast, {0, 0, cursorX, 0, 0}, [&] {
    menu.SetText("Item");
    return V{X("GetSysColour", W(ints), 5, 0, 0), X("Iconic", W(screen), 0, 0, 0),
             X("GetClientCurPos", W(screen), 0, 0, 0), X("CreatePopup", W(menu), 0, 0, 0),
             X("DestroyPopup", 256, 0, 0, 0)};
  });
  std::remove("zt_soak.bmp");
}

}  // namespace
