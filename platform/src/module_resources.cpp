// Each module exports its resources under the same symbol name, so a lookup
// on the module's own handle finds that module's copy.
#include "module_resources.h"

#include <dlfcn.h>
#include <link.h>

#include <cstdint>
#include <cstring>

namespace platform {
namespace {

// The name qm_add_resources (cmake/Resources.cmake) gives the image, which
// is preceded by a 16-byte header holding its length.
constexpr char kResourcesSymbol[] = "platform_module_resources";
constexpr size_t kImageHeader = 16;

}  // namespace

HMODULE MainModule()
{
    static void* const handle = dlopen(nullptr, RTLD_NOW);
    return static_cast<HMODULE>(handle);
}

std::span<const BYTE> ModuleResourceImage(HMODULE module)
{
    void* symbol = dlsym(module, kResourcesSymbol);
    if (!symbol)
        return {};
    // A lookup on the program's handle searches the libraries loaded into
    // the global scope as well; a program without resources must not find
    // a library's.
    Dl_info info;
    link_map* owner = nullptr;
    link_map* self = nullptr;
    if (!dladdr1(symbol, &info, reinterpret_cast<void**>(&owner), RTLD_DL_LINKMAP) ||
        dlinfo(module, RTLD_DI_LINKMAP, &self) != 0 || owner != self)
        return {};
    uint32_t size;
    std::memcpy(&size, symbol, sizeof size);
    return {static_cast<const BYTE*>(symbol) + kImageHeader, size};
}

}  // namespace platform
