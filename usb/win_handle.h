// Owning wrapper for kernel handles; INVALID_HANDLE_VALUE counts as none.
#pragma once

#include <windows.h>

#include <memory>

struct KernelHandleCloser {
    void operator()(HANDLE handle) const {
        if (handle != nullptr && handle != INVALID_HANDLE_VALUE) {
            CloseHandle(handle);
        }
    }
};

using UniqueHandle = std::unique_ptr<void, KernelHandleCloser>;

inline bool IsOpen(const UniqueHandle& handle) { return handle && handle.get() != INVALID_HANDLE_VALUE; }
