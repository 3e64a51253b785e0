// The process's table of kernel objects behind HANDLE values.
#pragma once

#include <memory>

#include "ce/types.h"

namespace platform {

enum class HandleKind {
    File,
    Find,
    Process,
};

// An object a handle stands for; each kind derives its own state from it.
// Destroying the object releases what it holds (a host file, a listing).
class KernelObject {
public:
    virtual ~KernelObject() = default;
    virtual HandleKind Kind() const = 0;
};

// Enters the object in the table and returns its new handle.
HANDLE AddHandle(std::shared_ptr<KernelObject> object);

// The object behind the handle when it is of the given kind; null otherwise.
std::shared_ptr<KernelObject> LookupHandle(HANDLE handle, HandleKind kind);

// Typed form for kinds that declare `static constexpr HandleKind kKind`.
template <class Object>
std::shared_ptr<Object> LookupHandle(HANDLE handle)
{
    return std::static_pointer_cast<Object>(LookupHandle(handle, Object::kKind));
}

// How many handles the process holds open.
int OpenHandleCount();

// Removes the handle when it is of the given kind; the object goes once its
// last user lets go of it. False for an unknown handle or another kind.
bool RemoveHandle(HANDLE handle, HandleKind kind);

}  // namespace platform
