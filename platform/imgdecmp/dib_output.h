// The decoded picture as the caller receives it.
#pragma once

#include "picture.h"

namespace imgdecmp {

// A 24-bit bottom-up DIB section holding the picture (blue first, rows
// padded to four bytes); null when the platform cannot make one.
HBITMAP CreateDibFrom(HDC hdc, const Picture& picture);

}  // namespace imgdecmp
