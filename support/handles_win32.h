#pragma once

// Owners of the Windows handles and states the program holds for a while: each lets go of
// its handle (or undoes its state) when it goes out of scope.

#include <windows.h>

#include <memory>
#include <type_traits>

namespace trinumero {

// A library loaded at run time, freed with FreeLibrary.
struct LibraryRelease {
    void operator()(HMODULE module) const { FreeLibrary(module); }
};
using LibraryHandle = std::unique_ptr<std::remove_pointer_t<HMODULE>, LibraryRelease>;

// A kernel object's handle (a process, a thread, a file), closed with CloseHandle; empty when
// the call that made it failed and gave nullptr.
struct KernelHandleClose {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using KernelHandle = std::unique_ptr<void, KernelHandleClose>;

// A search begun with FindFirstFileW or FindFirstFileExW, ended with FindClose; holds
// INVALID_HANDLE_VALUE when the search found nothing.
struct FindClosing {
    void operator()(HANDLE search) const {
        if (search != INVALID_HANDLE_VALUE) {
            FindClose(search);
        }
    }
};
using FindHandle = std::unique_ptr<void, FindClosing>;

// A pen, brush or other GDI object the program created, deleted with DeleteObject.
struct GdiObjectDelete {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
template <typename Handle>
using GdiObjectHandle = std::unique_ptr<std::remove_pointer_t<Handle>, GdiObjectDelete>;

// What a window's device context reaches: its client area (GetDC) or the whole window with its
// frame (GetWindowDC).
enum class DcArea { kClient, kWholeWindow };

// A device context of the window, released with ReleaseDC.
class WindowDc {
  public:
    explicit WindowDc(HWND window, DcArea area = DcArea::kClient)
        : window_(window),
          dc_(area == DcArea::kWholeWindow ? GetWindowDC(window) : GetDC(window)) {}
    ~WindowDc() {
        if (dc_ != nullptr) {
            ReleaseDC(window_, dc_);
        }
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;

    HDC Get() const { return dc_; }

  private:
    HWND window_;
    HDC dc_;
};

// A memory device context compatible with another (CreateCompatibleDC), deleted with DeleteDC.
class MemoryDc {
  public:
    explicit MemoryDc(HDC compatible_with) : dc_(CreateCompatibleDC(compatible_with)) {}
    ~MemoryDc() {
        if (dc_ != nullptr) {
            DeleteDC(dc_);
        }
    }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;

    HDC Get() const { return dc_; }

  private:
    HDC dc_;
};

// A bitmap of width by height pixels in 32 bits, selected into a memory device context of its own
// for as long as both live, so that pixels can be copied into it and back again and again: making
// and selecting the two costs the platform far more than a copy does.
class MemoryBitmap {
  public:
    MemoryBitmap(HDC compatible_with, int width, int height)
        : dc_(compatible_with),
          bitmap_(CreateBitmap(width, height, 1, 32, nullptr)),
          width_(width),
          height_(height) {
        if (dc_.Get() != nullptr && bitmap_ != nullptr) {
            previous_ = SelectObject(dc_.Get(), bitmap_);
        }
    }
    ~MemoryBitmap() {
        if (previous_ != nullptr) {
            SelectObject(dc_.Get(), previous_);
        }
        if (bitmap_ != nullptr) {
            DeleteObject(bitmap_);
        }
    }
    MemoryBitmap(const MemoryBitmap&) = delete;
    MemoryBitmap& operator=(const MemoryBitmap&) = delete;

    // The context the bitmap is selected into; nullptr when either could not be made.
    HDC Dc() const { return previous_ != nullptr ? dc_.Get() : nullptr; }
    int Width() const { return width_; }
    int Height() const { return height_; }

  private:
    MemoryDc dc_;
    HBITMAP bitmap_;
    HGDIOBJ previous_ = nullptr;
    int width_;
    int height_;
};

// An object selected into a device context; the one it replaced is selected back.
class SelectedObject {
  public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectedObject() { SelectObject(dc_, previous_); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A CRITICAL_SECTION for the whole life of its owner.
class CriticalSection {
  public:
    CriticalSection() { InitializeCriticalSection(&section_); }
    ~CriticalSection() { DeleteCriticalSection(&section_); }
    CriticalSection(const CriticalSection&) = delete;
    CriticalSection& operator=(const CriticalSection&) = delete;

    void Enter() { EnterCriticalSection(&section_); }
    void Leave() { LeaveCriticalSection(&section_); }

  private:
    CRITICAL_SECTION section_;
};

// Holds a critical section from construction to destruction.
class SectionLock {
  public:
    explicit SectionLock(CriticalSection& section) : section_(section) { section_.Enter(); }
    ~SectionLock() { section_.Leave(); }
    SectionLock(const SectionLock&) = delete;
    SectionLock& operator=(const SectionLock&) = delete;

  private:
    CriticalSection& section_;
};

}  // namespace trinumero
