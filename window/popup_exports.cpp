// Eight popup menus built from string arrays, kept between calls by slot
// number, shown at a screen position with the chosen item's number back.
#include <windows.h>

#include "host/capacity.h"
#include "host/export.h"
#include "window/menu_items.h"
#include "window/object_ref.h"

using namespace zor;

namespace {

constexpr std::int32_t kSlots = 8;
constexpr std::uint32_t kCreated = 0xFF00;
constexpr std::int32_t kFirstSlotCode = 256;  // DestroyPopup: 256 + slot
constexpr UINT kSeparator = 0x800;            // MF_SEPARATOR
constexpr UINT kString = 0;                   // MF_STRING
constexpr UINT kReturnCommand = 0x100;        // TPM_RETURNCMD
constexpr std::int32_t kNegativeCommand = -65535;

struct MenuSlot {
  HMENU menu;
  std::uint32_t state;
};

MenuSlot g_slots[kSlots];

std::int32_t ClampSlot(std::int32_t slot) { return slot >= 0 && slot < kSlots ? slot : 0; }

bool DestroySlot(MenuSlot& slot) {
  bool created = slot.state == kCreated;
  if (created) DestroyMenu(slot.menu);
  slot.menu = nullptr;
  slot.state = 0;
  return created;
}

}  // namespace

ZOR_EXPORT CreatePopup(HspVar* var, std::int32_t count, std::int32_t slotNumber, std::int32_t) {
  MenuSlot& slot = g_slots[ClampSlot(slotNumber)];
  if (slot.state == kCreated) return -1;
  if (var->type != kTypeString) return kWrongType;
  std::uint32_t items = MenuItemCount(count, var->lengths[2]);
  HMENU menu = CreatePopupMenu();
  if (menu == nullptr) return -2;
  slot.menu = menu;
  for (const MenuItem& item :
       BuildMenuItems(HostPtr<const std::uint8_t>(var->data), RowBytes(*var), items)) {
    if (item.separator) {
      AppendMenuA(menu, kSeparator, 0, nullptr);
    } else {
      AppendMenuA(menu, kString, item.id, item.label.c_str());
    }
  }
  slot.state = kCreated;
  return 0;
}

ZOR_EXPORT DoPopup(HspScreen* screen, std::int32_t x, std::int32_t y, std::int32_t slotNumber) {
  const MenuSlot& slot = g_slots[ClampSlot(slotNumber)];
  if (slot.state != kCreated) return kNoResult;
  BOOL chosen =
      TrackPopupMenu(slot.menu, kReturnCommand, x, y, 0, WindowOf(screen->window), nullptr);
  return chosen < 0 ? kNegativeCommand : -chosen;
}

ZOR_EXPORT DestroyPopup(std::int32_t which, std::int32_t, std::int32_t, std::int32_t) {
  if (which >= kFirstSlotCode && which < kFirstSlotCode + kSlots) {
    return DestroySlot(g_slots[which - kFirstSlotCode]) ? 0 : -1;
  }
  bool any = false;
  for (MenuSlot& slot : g_slots) any = DestroySlot(slot) || any;
  return any ? 0 : -1;
}
