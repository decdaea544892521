// Handles that free themselves: GDI objects, kernel handles, registry keys,
// device contexts, a selection into a device context, COM interfaces and COM
// for the current thread.
#pragma once

#include <windows.h>
#include <objbase.h>

// A handle of type T that Traits::Free releases when the object goes.
template <class T, class Traits>
class ScopedResource {
public:
    explicit ScopedResource(T handle = T()) : m_handle(handle) {}
    ~ScopedResource() { Reset(); }
    ScopedResource(const ScopedResource&) = delete;
    ScopedResource& operator=(const ScopedResource&) = delete;

    T Get() const { return m_handle; }
    explicit operator bool() const { return Traits::IsValid(m_handle); }
    // Frees the handle held and takes `handle` instead.
    void Reset(T handle = T())
    {
        if (Traits::IsValid(m_handle))
            Traits::Free(m_handle);
        m_handle = handle;
    }
    // Gives the handle up: the caller frees it.
    T Release()
    {
        T handle = m_handle;
        m_handle = T();
        return handle;
    }

private:
    T m_handle;
};

struct GdiObjectTraits {
    static bool IsValid(HGDIOBJ handle) { return handle != nullptr; }
    static void Free(HGDIOBJ handle) { ::DeleteObject(handle); }
};

// Kernel handles: files say "none" with INVALID_HANDLE_VALUE, the others with null.
struct KernelHandleTraits {
    static bool IsValid(HANDLE handle) { return handle && handle != INVALID_HANDLE_VALUE; }
    static void Free(HANDLE handle) { ::CloseHandle(handle); }
};

struct RegKeyTraits {
    static bool IsValid(HKEY key) { return key != nullptr; }
    static void Free(HKEY key) { ::RegCloseKey(key); }
};

// Any GDI object (bitmap, region, font, brush, pen), deleted with DeleteObject.
template <class T>
using ScopedGdiObject = ScopedResource<T, GdiObjectTraits>;
using ScopedHandle = ScopedResource<HANDLE, KernelHandleTraits>;
using ScopedRegKey = ScopedResource<HKEY, RegKeyTraits>;

struct MemoryDcTraits {
    static bool IsValid(HDC dc) { return dc != nullptr; }
    static void Free(HDC dc) { ::DeleteDC(dc); }
};

// A device context made with CreateCompatibleDC, deleted with DeleteDC.
class ScopedMemoryDC : public ScopedResource<HDC, MemoryDcTraits> {
public:
    explicit ScopedMemoryDC(HDC like = nullptr) : ScopedResource(::CreateCompatibleDC(like)) {}
};

// A window's device context from GetDC (null: the screen's), given back with ReleaseDC.
class ScopedWindowDC {
public:
    explicit ScopedWindowDC(HWND hWnd) : m_hWnd(hWnd), m_dc(::GetDC(hWnd)) {}
    ~ScopedWindowDC()
    {
        if (m_dc)
            ::ReleaseDC(m_hWnd, m_dc);
    }
    ScopedWindowDC(const ScopedWindowDC&) = delete;
    ScopedWindowDC& operator=(const ScopedWindowDC&) = delete;
    HDC Get() const { return m_dc; }
    explicit operator bool() const { return m_dc != nullptr; }

private:
    HWND m_hWnd;
    HDC m_dc;
};

// Selects an object into a device context and puts the previous one back.
class ScopedSelectObject {
public:
    ScopedSelectObject(HDC dc, HGDIOBJ object)
        : m_dc(dc), m_previous(dc && object ? ::SelectObject(dc, object) : nullptr)
    {
    }
    ~ScopedSelectObject()
    {
        if (m_dc && m_previous)
            ::SelectObject(m_dc, m_previous);
    }
    ScopedSelectObject(const ScopedSelectObject&) = delete;
    ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};

// A COM interface pointer, released when the object goes.
template <class T>
class ScopedComPtr {
public:
    ScopedComPtr() = default;
    ~ScopedComPtr()
    {
        if (m_ptr)
            m_ptr->Release();
    }
    ScopedComPtr(const ScopedComPtr&) = delete;
    ScopedComPtr& operator=(const ScopedComPtr&) = delete;

    T* Get() const { return m_ptr; }
    T* operator->() const { return m_ptr; }
    explicit operator bool() const { return m_ptr != nullptr; }
    // For functions that hand an interface out through a pointer.
    T** Receive()
    {
        if (m_ptr)
            m_ptr->Release();
        m_ptr = nullptr;
        return &m_ptr;
    }
    // The same for CoCreateInstance and QueryInterface, which take a void**.
    void** ReceiveVoid() { return reinterpret_cast<void**>(Receive()); }

private:
    T* m_ptr = nullptr;
};

// COM for this thread, balanced when the object goes (only when the start succeeded).
class ScopedComInit {
public:
    ScopedComInit() : m_result(::CoInitialize(nullptr)) {}
    ~ScopedComInit()
    {
        if (SUCCEEDED(m_result))
            ::CoUninitialize();
    }
    ScopedComInit(const ScopedComInit&) = delete;
    ScopedComInit& operator=(const ScopedComInit&) = delete;

private:
    HRESULT m_result;
};
