// Handles that free themselves: GDI objects, memory device contexts, a selection
// into a device context, and COM for the current thread.
#pragma once

#include <windows.h>
#include <objbase.h>

// Any GDI object (bitmap, region, font, brush, pen), deleted with DeleteObject.
template <class T>
class ScopedGdiObject {
public:
    explicit ScopedGdiObject(T handle = nullptr) : m_handle(handle) {}
    ~ScopedGdiObject()
    {
        if (m_handle)
            ::DeleteObject(m_handle);
    }
    ScopedGdiObject(const ScopedGdiObject&) = delete;
    ScopedGdiObject& operator=(const ScopedGdiObject&) = delete;
    T Get() const { return m_handle; }
    explicit operator bool() const { return m_handle != nullptr; }
    // Gives the handle up: the caller frees it.
    T Release()
    {
        T handle = m_handle;
        m_handle = nullptr;
        return handle;
    }

private:
    T m_handle;
};

// A device context made with CreateCompatibleDC, deleted with DeleteDC.
class ScopedMemoryDC {
public:
    explicit ScopedMemoryDC(HDC like = nullptr) : m_dc(::CreateCompatibleDC(like)) {}
    ~ScopedMemoryDC()
    {
        if (m_dc)
            ::DeleteDC(m_dc);
    }
    ScopedMemoryDC(const ScopedMemoryDC&) = delete;
    ScopedMemoryDC& operator=(const ScopedMemoryDC&) = delete;
    HDC Get() const { return m_dc; }
    explicit operator bool() const { return m_dc != nullptr; }

private:
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
