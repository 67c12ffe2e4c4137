#pragma once

// One counted reference to a COM object, released when the holder goes.
// Copying adds a reference, so two holders can share one object (a sound's
// buffer and the source that plays it) and each lets go on its own.

#include <utility>

template <typename TInterface>
class TComRef {
public:
    TComRef() = default;
    // Takes over a reference the caller was given.
    explicit TComRef(TInterface* object) : _object(object) {}
    TComRef(const TComRef& other) : _object(other._object) {
        if (_object) {
            _object->AddRef();
        }
    }
    TComRef(TComRef&& other) noexcept : _object(std::exchange(other._object, nullptr)) {}
    TComRef& operator=(TComRef other) noexcept {
        std::swap(_object, other._object);
        return *this;
    }
    ~TComRef() {
        if (_object) {
            _object->Release();
        }
    }

    TInterface* Get() const { return _object; }
    TInterface* operator->() const { return _object; }
    explicit operator bool() const { return _object != nullptr; }

    // For a call that hands out a new reference: releases the one held and
    // gives the place to put the new one in.
    TInterface** Receive() {
        *this = TComRef();
        return &_object;
    }

private:
    TInterface* _object = nullptr;
};
