// Small owners for Win32 handles: each closes what it holds exactly once.
#pragma once

#include <windows.h>

#include <utility>

namespace platform {

// Owns a handle of type H and releases it with Traits::Close. Traits::Invalid()
// is the value that means "nothing held".
template <class H, class Traits>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(H handle) : handle_(handle) {}
    ~UniqueHandle() { Reset(); }

    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }

    H Get() const { return handle_; }
    explicit operator bool() const { return handle_ != Traits::Invalid(); }

    H Release() { return std::exchange(handle_, Traits::Invalid()); }
    void Reset(H handle = Traits::Invalid()) {
        if (handle_ != Traits::Invalid()) Traits::Close(handle_);
        handle_ = handle;
    }

private:
    H handle_ = Traits::Invalid();
};

struct FileHandleTraits {
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { ::CloseHandle(h); }
};
using FileHandle = UniqueHandle<HANDLE, FileHandleTraits>;

struct KernelHandleTraits {
    static HANDLE Invalid() { return nullptr; }
    static void Close(HANDLE h) { ::CloseHandle(h); }
};
using KernelHandle = UniqueHandle<HANDLE, KernelHandleTraits>;

struct GdiObjectTraits {
    static HGDIOBJ Invalid() { return nullptr; }
    static void Close(HGDIOBJ h) { ::DeleteObject(h); }
};
using GdiObject = UniqueHandle<HGDIOBJ, GdiObjectTraits>;

struct MenuTraits {
    static HMENU Invalid() { return nullptr; }
    static void Close(HMENU h) { ::DestroyMenu(h); }
};
using MenuHandle = UniqueHandle<HMENU, MenuTraits>;

struct AcceleratorTraits {
    static HACCEL Invalid() { return nullptr; }
    static void Close(HACCEL h) { ::DestroyAcceleratorTable(h); }
};
using AcceleratorTable = UniqueHandle<HACCEL, AcceleratorTraits>;

struct LibraryTraits {
    static HMODULE Invalid() { return nullptr; }
    static void Close(HMODULE h) { ::FreeLibrary(h); }
};
using Library = UniqueHandle<HMODULE, LibraryTraits>;

struct WindowTraits {
    static HWND Invalid() { return nullptr; }
    static void Close(HWND h) { ::DestroyWindow(h); }
};
using Window = UniqueHandle<HWND, WindowTraits>;

struct GlobalMemoryTraits {
    static HGLOBAL Invalid() { return nullptr; }
    static void Close(HGLOBAL h) { ::GlobalFree(h); }
};
using GlobalMemory = UniqueHandle<HGLOBAL, GlobalMemoryTraits>;

// Holds the clipboard open for its lifetime.
class ClipboardScope {
public:
    explicit ClipboardScope(HWND owner) : open_(::OpenClipboard(owner) != FALSE) {}
    ~ClipboardScope() {
        if (open_) ::CloseClipboard();
    }
    ClipboardScope(const ClipboardScope&) = delete;
    ClipboardScope& operator=(const ClipboardScope&) = delete;
    bool IsOpen() const { return open_; }

private:
    bool open_;
};

// Locks a global memory block for its lifetime.
class GlobalLock {
public:
    explicit GlobalLock(HGLOBAL memory) : memory_(memory), data_(::GlobalLock(memory)) {}
    ~GlobalLock() {
        if (data_) ::GlobalUnlock(memory_);
    }
    GlobalLock(const GlobalLock&) = delete;
    GlobalLock& operator=(const GlobalLock&) = delete;
    void* Data() const { return data_; }

private:
    HGLOBAL memory_;
    void* data_;
};

// A window's device context with one object selected into it, both given back at the end.
class WindowDC {
public:
    explicit WindowDC(HWND window) : window_(window), dc_(::GetDC(window)) {}
    ~WindowDC() {
        if (previous_) ::SelectObject(dc_, previous_);
        if (dc_) ::ReleaseDC(window_, dc_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC Get() const { return dc_; }
    void Select(HGDIOBJ object) {
        HGDIOBJ old = ::SelectObject(dc_, object);
        if (!previous_) previous_ = old;
    }

private:
    HWND window_;
    HDC dc_;
    HGDIOBJ previous_ = nullptr;
};

// A memory device context compatible with another, deleted at the end.
class MemoryDC {
public:
    explicit MemoryDC(HDC compatible) : dc_(::CreateCompatibleDC(compatible)) {}
    ~MemoryDC() {
        if (previous_) ::SelectObject(dc_, previous_);
        if (dc_) ::DeleteDC(dc_);
    }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    HDC Get() const { return dc_; }
    void Select(HGDIOBJ object) {
        HGDIOBJ old = ::SelectObject(dc_, object);
        if (!previous_) previous_ = old;
    }

private:
    HDC dc_;
    HGDIOBJ previous_ = nullptr;
};

// Releases a COM interface pointer at the end.
template <class I>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() {
        if (pointer_) pointer_->Release();
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    I* Get() const { return pointer_; }
    I* operator->() const { return pointer_; }
    I** Receive() { return &pointer_; }

private:
    I* pointer_ = nullptr;
};

}  // namespace platform
