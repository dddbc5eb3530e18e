#pragma once

#include <unknwn.h>

#include <utility>

// Holds one reference to a COM object and releases it at the end.
template <typename Interface>
class Com {
public:
    Com() = default;
    Com(const Com&) = delete;
    Com& operator=(const Com&) = delete;
    ~Com()
    {
        if (object_)
            object_->Release();
    }

    Interface* get() const { return object_; }
    Interface* operator->() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }
    // Where a function that makes the object puts it.
    Interface** put() { return &object_; }
    void** putVoid() { return reinterpret_cast<void**>(&object_); }

private:
    Interface* object_ = nullptr;
};
