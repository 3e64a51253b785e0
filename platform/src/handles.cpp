#include "handles.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <mutex>

#include "ce/errors.h"
#include "ce/files.h"

namespace platform {
namespace {

// The kinds CloseHandle ends. Find handles are not among them: on CE they
// end with FindClose only.
constexpr HandleKind kClosedByCloseHandle[] = {
    HandleKind::File,
    HandleKind::Process,
};

class HandleTable {
public:
    HANDLE Add(std::shared_ptr<KernelObject> object)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        // Values are never reused, so a stale handle stays invalid.
        uintptr_t value = next_++;
        objects_[value] = std::move(object);
        return reinterpret_cast<HANDLE>(value);
    }

    std::shared_ptr<KernelObject> Lookup(HANDLE handle)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        auto it = objects_.find(reinterpret_cast<uintptr_t>(handle));
        return it == objects_.end() ? nullptr : it->second;
    }

    int Count()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return static_cast<int>(objects_.size());
    }

    bool Remove(HANDLE handle, HandleKind kind)
    {
        std::shared_ptr<KernelObject> removed;
        std::lock_guard<std::mutex> lock(mutex_);
        auto it = objects_.find(reinterpret_cast<uintptr_t>(handle));
        if (it == objects_.end() || it->second->Kind() != kind)
            return false;
        // The object is destroyed after the lock is released, in case its
        // destructor takes a while (closing a host file).
        removed = std::move(it->second);
        objects_.erase(it);
        return true;
    }

private:
    std::mutex mutex_;
    std::map<uintptr_t, std::shared_ptr<KernelObject>> objects_;
    uintptr_t next_ = 1;
};

HandleTable& Table()
{
    static HandleTable table;
    return table;
}

}  // namespace

HANDLE AddHandle(std::shared_ptr<KernelObject> object) { return Table().Add(std::move(object)); }

std::shared_ptr<KernelObject> LookupHandle(HANDLE handle, HandleKind kind)
{
    std::shared_ptr<KernelObject> object = Table().Lookup(handle);
    return object && object->Kind() == kind ? object : nullptr;
}

bool RemoveHandle(HANDLE handle, HandleKind kind) { return Table().Remove(handle, kind); }

int OpenHandleCount() { return Table().Count(); }

}  // namespace platform

BOOL CloseHandle(HANDLE hObject)
{
    std::shared_ptr<platform::KernelObject> object = platform::Table().Lookup(hObject);
    bool closable = object && std::find(std::begin(platform::kClosedByCloseHandle),
                                        std::end(platform::kClosedByCloseHandle),
                                        object->Kind()) != std::end(platform::kClosedByCloseHandle);
    if (!closable || !platform::RemoveHandle(hObject, object->Kind())) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}
