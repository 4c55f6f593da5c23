#include "window/object_ref.h"

namespace zor {

ObjectRef CheckObject(const HspScreen& screen, std::int32_t number, HWND* window) {
  if (!ValidObjectNumber(number)) return ObjectRef::kBadNumber;
  HWND w = WindowOf(screen.objects[number]);
  if (w == nullptr || !IsWindow(w)) return ObjectRef::kNoObject;
  *window = w;
  return ObjectRef::kUsable;
}

}  // namespace zor
