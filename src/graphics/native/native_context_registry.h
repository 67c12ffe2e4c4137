#pragma once

// The open native contexts of a platform's window half, behind the integer
// handles native_context.h hands out, and which of them is current. Each
// platform keeps its own records; making one current and releasing one are
// its own too.

#include <cstdint>
#include <map>
#include <memory>

template <typename Context>
class TNativeContextRegistry {
public:
    // Null for a handle that is not open (0 included).
    Context* Find(int32_t handle) const {
        const auto found = _contexts.find(handle);
        return found != _contexts.end() ? found->second.get() : nullptr;
    }
    Context* Current() const { return Find(_current); }

    // Lists the context under a new handle, which it returns.
    int32_t Add(std::unique_ptr<Context> context) {
        const int32_t handle = ++_lastHandle;
        _contexts.emplace(handle, std::move(context));
        return handle;
    }

    // Makes the context current (none for a handle that is not open) by
    // `apply(Context*)`, unless it is current already.
    template <typename Apply>
    void MakeCurrent(int32_t handle, Apply apply) {
        Context* found = Find(handle);
        const int32_t current = found ? handle : 0;
        if (current == _current) {
            return;
        }
        _current = current;
        apply(found);
    }

    // Makes none current first if it is the current one, then releases it
    // by `release(Context&)` while it is still listed, then forgets it.
    // Closing a handle that is not open does nothing.
    template <typename Apply, typename Release>
    void Close(int32_t handle, Apply apply, Release release) {
        Context* found = Find(handle);
        if (!found) {
            return;
        }
        if (_current == handle) {
            MakeCurrent(0, apply);
        }
        release(*found);
        _contexts.erase(handle);
    }

    template <typename Visit>
    Context* FindIf(Visit matches) const {
        for (const auto& [handle, context] : _contexts) {
            if (matches(*context)) {
                return context.get();
            }
        }
        return nullptr;
    }

private:
    std::map<int32_t, std::unique_ptr<Context>> _contexts;
    int32_t _current = 0;
    int32_t _lastHandle = 0;
};
