// Long runs: every family of exports called many times in a loop must end
// holding exactly the handles, GDI and USER objects and COM objects it held
// after a warm-up round, and must answer each call the same way every time.
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
using zor::HspScreen;
using zor::HspVar;

ZT_EXPORT(FloatSetBuf, HspVar*, I, I, I);
ZT_EXPORT(FloatPlusBuf, I, I, I, I);
ZT_EXPORT(FloatToString, HspVar*, I, I, I);
ZT_EXPORT(MapStr, HspVar*, const char*, I, I);
ZT_EXPORT(SearchStr, HspVar*, const char*, I, I);
ZT_EXPORT(NodeExt, HspVar*, const char*, I, I);
ZT_EXPORT(BmpLoad, HspScreen*, const char*, I, std::uint8_t*);
ZT_EXPORT(SetPiMem, HspVar*, I, I, I);
ZT_EXPORT(PiLoadMem, HspScreen*, I, I, std::uint8_t*);
ZT_EXPORT(Txt2Clip, HspVar*, I, I, I);
ZT_EXPORT(GetClipTxt, HspVar*, I, I, I);
ZT_EXPORT(Dib2Clip, HspScreen*, I, I, I);
ZT_EXPORT(GetClipDib, HspScreen*, I, I, std::uint8_t*);
ZT_EXPORT(GetSysColour, HspVar*, I, I, I);
ZT_EXPORT(Iconic, HspScreen*, I, I, I);
ZT_EXPORT(GetClientCurPos, HspScreen*, I, I, I);
ZT_EXPORT(CreatePopup, HspVar*, I, I, I);
ZT_EXPORT(DestroyPopup, I, I, I, I);
ZT_EXPORT(GetCurDir, HspVar*, I, I, I);
ZT_EXPORT(GetEnvVar, HspVar*, const char*, I, I);
ZT_EXPORT(GetShellDir, HspVar*, I, I, I);
ZT_EXPORT(SetShortCutArg, HspVar*, I, I, I);
ZT_EXPORT(CreateShortCut, const char*, const char*, I, I);
ZT_EXPORT(GetShortCutParam, HspVar*, const char*, I, I);
ZT_EXPORT(FreeShortCutParam, I, I, I, I);
ZT_EXPORT(GetWinVerEx, I, I, I, char*);

// What the process holds that a leak would grow. Wine keeps neither the
// process's handle count nor the GDI object count, so under Windows those
// tables are probed: a fresh kernel handle or GDI object takes the lowest
// free slot of the process's own table, which moves only when slots stay
// taken. Wine's USER table is one for all processes, so another program's
// windows move its slots: there the USER figure is the process's own count
// or nothing.
using Held = std::array<long, 4>;  // handles, GDI, USER, COM

#if defined(_WIN32)
long Slot(HANDLE h) { return long(reinterpret_cast<std::uintptr_t>(h) & 0xFFFF); }
Held Now() {
  HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  HPEN pen = CreatePen(PS_SOLID, 1, 0);
  const Held held = {
      zt::OpenHandleCount() >= 0 ? zt::OpenHandleCount() : Slot(event),
      long(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) * 0x10000 + Slot(pen),
      long(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS)), 0};
  DeleteObject(pen);
  CloseHandle(event);
  return held;
}
#else
Held Now() {
  return {ZorStandinOpenHandles(), 0, 0, ZorStandinLiveComObjects() + ZorStandinComInitDepth()};
}
#endif

// Rounds per family: the Wine tier runs under an emulator, some hundred
// times slower than the native one; links are saved through Wine's shell.
#if defined(_WIN32)
constexpr int kFast = 10000, kSlow = 1000, kLinks = 200;
#else
constexpr int kFast = 100000, kSlow = 10000, kLinks = 10000;
#endif

TEST(Soak, EveryFamilyHoldsNothingMoreAfterManyRounds) {
  zt::TestScreen full(33, 17, false);
  std::vector<std::uint8_t> palette(768);
  zt::HostVar num = zt::HostVar::String(64), text = zt::HostVar::String(4096);
  zt::HostVar ints = zt::HostVar::Ints(8), menu = zt::HostVar::String(64);
  char refstr[4096];

  zt::WriteTempFile("zt_soak.bmp", zt::MakeBmp(zt::DibSpec::Of(33, 17, 8)));
  const std::string pi = zt::EncodePiFile(zt::PiSpec(33, 17, 16), zt::MakePiPicture(33, 17, 16, 7));
  zt::HostVar piBytes = zt::HostVar::String(std::uint32_t((pi.size() + 3) & ~std::size_t(3)));
  std::copy(pi.begin(), pi.end(), piBytes.text());

  zt::TestWindow window;
  zt::WindowScreen screen(window);
  std::remove("zt_soak.lnk");

  // Answers that depend on the machine, taken from the platform itself.
  char path[4096];
  const I pathLength = -I(ExpandEnvironmentStringsA("%PATH%", path, sizeof path));
  POINT cursor{}, origin{};
  RECT client{};
  GetCursorPos(&cursor);
  ClientToScreen(window, &origin);
  GetClientRect(window, &client);
  const bool inside = cursor.x >= origin.x && cursor.y >= origin.y &&
                      cursor.x < origin.x + client.right && cursor.y < origin.y + client.bottom;
  const I cursorX = inside ? -I(cursor.x - origin.x) : zor::kNoResultAlt;
  const I shellDir = GetShellDir(text, 0, 0, 0);  // the registry's answer

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
    EXPECT_EQ(before, after) << name << ": handles, GDI, USER, COM";
  };
  soak("float registers", kFast, {0, 0, 0}, [&] {
    num.SetText("1.25");
    return V{FloatSetBuf(num, 1, 0, 0), FloatPlusBuf(2, 1, 0, 0), FloatToString(num, 2, 3, 1)};
  });
  soak("text", kFast, {-8, 0, 0}, [&] {
    text.SetText("Hello, world");
    return V{SearchStr(text, "wor", 12, 0), MapStr(text, "abc", 1, 0),
             NodeExt(text, "C:\\dir\\name.txt", 1, 0)};
  });
  soak("pictures", kSlow, {0, 0, 0, 0}, [&] {
    return V{BmpLoad(full, "zt_soak.bmp", 0, palette.data()), SetPiMem(piBytes, 0, 0, 0),
             PiLoadMem(full, 1, 0, palette.data()), SetPiMem(piBytes, 1, 0, 0)};
  });
  soak("clipboard", kSlow, {0, 0, 0, 0}, [&] {
    text.SetText("soak");
    return V{Txt2Clip(text, 0, 0, 0), GetClipTxt(text, 0, 0, 0), Dib2Clip(full, 0, 0, 0),
             GetClipDib(full, 0, 0, palette.data())};
  });
  soak("windows and menus", kFast, {0, 0, cursorX, 0, 0}, [&] {
    menu.SetText("Item");
    return V{GetSysColour(ints, 5, 0, 0), Iconic(screen, 0, 0, 0), GetClientCurPos(screen, 0, 0, 0),
             CreatePopup(menu, 0, 0, 0), DestroyPopup(256, 0, 0, 0)};
  });
  soak("environment", kFast, {0, pathLength, shellDir, -2}, [&] {
    text.rec()->type = zor::kTypeString;
    return V{GetCurDir(text, 0, 0, 0), GetEnvVar(text, "PATH", 0, 0), GetShellDir(text, 0, 0, 0),
             GetWinVerEx(0, 0, 0, refstr)};
  });
  // The target lies on a missing drive: for it Wine asks no mount manager,
  // which can block for good in the test prefix.
  soak("shortcuts", kLinks, {0, 0, 0, 0}, [&] {
    // GetShortCutParam leaves an integer variable behind: a string again.
    text.rec()->type = zor::kTypeString;
    text.SetText("-a b");
    return V{SetShortCutArg(text, 0, 0, 0),
             CreateShortCut("Q:\\zt\\target.txt", "zt_soak.lnk", 0, 0),
             GetShortCutParam(text, "zt_soak.lnk", 3, 0), FreeShortCutParam(0, 0, 0, 0)};
  });
  std::remove("zt_soak.bmp");
  std::remove("zt_soak.lnk");
}

}  // namespace
