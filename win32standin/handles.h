#pragma once

namespace zorw {

// Count of handles the stand-in has handed out and not yet seen released.
// Each object kind increments it on creation and decrements it on release.
long& LiveHandles();

}  // namespace zorw
