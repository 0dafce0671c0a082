// Small owners of Win32 resources: each releases what it holds when it goes, so no
// path out of a function leaks a handle, a key, an interface or a GDI object.
//
//   UniqueHandle file(CreateFileW(...));     // kernel objects: files, events, mutexes
//   if (!file) return false;                 // null and INVALID_HANDLE_VALUE are empty
//   RegKey key;  RegOpenKeyExW(root, name, 0, KEY_READ, key.Put());
//   ScopedSelect keep(dc, font.Get());       // the old object is selected back
#pragma once

#include <windows.h>

#include <commctrl.h>
#include <lzexpand.h>

#include <utility>

namespace vx::win32 {

// Owns one handle of the kind Traits describes: Traits::Handle, Traits::Empty() and
// Traits::Close(handle). Moves, never copies.
template <typename Traits>
class Owned {
  public:
    using Handle = typename Traits::Handle;

    Owned() = default;
    explicit Owned(Handle handle) : handle_(handle) {}
    ~Owned() { Reset(); }
    Owned(Owned&& other) noexcept : handle_(other.Release()) {}
    Owned& operator=(Owned&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;

    Handle Get() const { return handle_; }
    explicit operator bool() const { return Traits::Holds(handle_); }

    // Gives the handle up without closing it.
    Handle Release() { return std::exchange(handle_, Traits::Empty()); }
    // Closes the handle held, if any, and holds `handle` instead.
    void Reset(Handle handle = Traits::Empty()) {
        const Handle old = std::exchange(handle_, handle);
        if (Traits::Holds(old)) Traits::Close(old);
    }
    // For functions that hand a new handle out through a pointer; the old one is closed.
    Handle* Put() {
        Reset();
        return &handle_;
    }

  private:
    Handle handle_ = Traits::Empty();
};

// Kernel objects closed with CloseHandle. CreateFile fails with INVALID_HANDLE_VALUE and
// most others with null: neither is held.
struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle Empty() { return nullptr; }
    static bool Holds(Handle h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { CloseHandle(h); }
};
using UniqueHandle = Owned<KernelHandleTraits>;

// A handle that holds nothing when null, released by `close`: Owned<NullEmpty<HKEY, &RegCloseKey>>.
template <typename H, auto close>
struct NullEmpty {
    using Handle = H;
    static Handle Empty() { return nullptr; }
    static bool Holds(Handle h) { return h != nullptr; }
    static void Close(Handle h) { close(h); }
};

// A handle whose functions fail with INVALID_HANDLE_VALUE (null is not held either),
// released by `close`.
template <typename H, auto close>
struct InvalidEmpty {
    using Handle = H;
    static Handle Empty() { return static_cast<Handle>(INVALID_HANDLE_VALUE); }
    static bool Holds(Handle h) {
        return h != static_cast<Handle>(INVALID_HANDLE_VALUE) && h != nullptr;
    }
    static void Close(Handle h) { close(h); }
};

// A FindFirstFile search.
using FindHandle = Owned<InvalidEmpty<HANDLE, &FindClose>>;

// An open registry key (never one of the predefined roots).
using RegKey = Owned<NullEmpty<HKEY, &RegCloseKey>>;

// A GDI object: pen, brush, font, bitmap or region.
template <typename H>
using GdiObject = Owned<NullEmpty<H, &DeleteObject>>;

// An image list made with ImageList_Create.
using ImageList = Owned<NullEmpty<HIMAGELIST, &ImageList_Destroy>>;

// A memory device context made with CreateCompatibleDC.
using MemoryDc = Owned<NullEmpty<HDC, &DeleteDC>>;

// An icon made for the caller (ImageList_GetIcon, CreateIconIndirect), not a shared one.
using IconHandle = Owned<NullEmpty<HICON, &DestroyIcon>>;

// A menu no window holds; one handed to a window with SetMenu is Released to it.
using MenuHandle = Owned<NullEmpty<HMENU, &DestroyMenu>>;

// Memory the system allocated for the caller with LocalAlloc: FormatMessage's text,
// CommandLineToArgvW's list. `T` is what it points to.
template <typename T>
using LocalMemory = Owned<NullEmpty<T*, &LocalFree>>;

// A file opened with LZOpenFile: an INT, negative when the opening failed.
struct LzFileTraits {
    using Handle = INT;
    static Handle Empty() { return -1; }
    static bool Holds(Handle h) { return h >= 0; }
    static void Close(Handle h) { LZClose(h); }
};
using LzFile = Owned<LzFileTraits>;

// A device context of GetDC, released to its window (null: the screen's) when it goes.
class WindowDc {
  public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() {
        if (dc_ != nullptr) ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;

    HDC Get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

  private:
    HWND window_;
    HDC dc_;
};

// The painting of a window for WM_PAINT: BeginPaint now, EndPaint when it goes.
class PaintScope {
  public:
    explicit PaintScope(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    ~PaintScope() { EndPaint(window_, &paint_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;

    HDC Get() const { return dc_; }

  private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;  // after paint_, which BeginPaint fills
};

// Selects an object into a device context and the one it replaced back when it goes.
class ScopedSelect {
  public:
    ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~ScopedSelect() { SelectObject(dc_, old_); }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

  private:
    HDC dc_;
    HGDIOBJ old_;
};

// A COM interface pointer: one reference, released when it goes.
template <typename T>
class ComPtr {
  public:
    ComPtr() = default;
    ~ComPtr() { Reset(); }
    ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) {
            Reset();
            p_ = std::exchange(other.p_, nullptr);
        }
        return *this;
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;

    T* Get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    void Reset() {
        if (p_ != nullptr) std::exchange(p_, nullptr)->Release();
    }
    // For CoCreateInstance and QueryInterface; the interface held before is released.
    void** PutVoid() {
        Reset();
        return reinterpret_cast<void**>(&p_);
    }
    T** Put() {
        Reset();
        return &p_;
    }

  private:
    T* p_ = nullptr;
};

}  // namespace vx::win32
