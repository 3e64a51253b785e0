#include "key_state.h"

#include <array>

namespace platform {
namespace {

constexpr BYTE kDown = 0x80;
constexpr BYTE kToggled = 0x01;

std::array<BYTE, 256>& Keys()
{
    static std::array<BYTE, 256> keys{};
    return keys;
}

}  // namespace

void NoteKeyMessage(const MSG& msg)
{
    // The stylus is the left button, whichever window part it went down on.
    switch (msg.message) {
    case WM_LBUTTONDOWN:
    case WM_NCLBUTTONDOWN: Keys()[VK_LBUTTON] |= kDown; return;
    case WM_LBUTTONUP:
    case WM_NCLBUTTONUP: Keys()[VK_LBUTTON] &= static_cast<BYTE>(~kDown); return;
    default: break;
    }
    BYTE& key = Keys()[msg.wParam & 0xFF];
    switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        // A repeat of a held key does not toggle it again.
        if (!(key & kDown))
            key ^= kToggled;
        key |= kDown;
        break;
    case WM_KEYUP:
    case WM_SYSKEYUP: key &= static_cast<BYTE>(~kDown); break;
    default: break;
    }
}

}  // namespace platform

using namespace platform;

SHORT GetKeyState(int nVirtKey)
{
    BYTE key = Keys()[static_cast<size_t>(nVirtKey) & 0xFF];
    return static_cast<SHORT>(((key & kDown) ? 0xFF80 : 0) | (key & kToggled));
}
