// RAII for menus and loaded modules.
#pragma once
#include <windows.h>
#include <utility>

class CMenuHandle {
public:
    CMenuHandle() = default;
    explicit CMenuHandle(HMENU menu) : m_menu(menu) {}
    ~CMenuHandle() { Reset(); }
    CMenuHandle(const CMenuHandle&) = delete;
    CMenuHandle& operator=(const CMenuHandle&) = delete;
    HMENU Get() const { return m_menu; }
    operator HMENU() const { return m_menu; }
    void Reset(HMENU menu = nullptr) {
        if (m_menu)
            ::DestroyMenu(m_menu);
        m_menu = menu;
    }

private:
    HMENU m_menu = nullptr;
};

class CModule {
public:
    CModule() = default;
    explicit CModule(HMODULE module) : m_module(module) {}
    ~CModule() { Reset(); }
    CModule(const CModule&) = delete;
    CModule& operator=(const CModule&) = delete;
    CModule(CModule&& other) noexcept : m_module(std::exchange(other.m_module, nullptr)) {}
    HMODULE Get() const { return m_module; }
    explicit operator bool() const { return m_module != nullptr; }
    void Reset(HMODULE module = nullptr) {
        if (m_module)
            ::FreeLibrary(m_module);
        m_module = module;
    }
    // Resolves an export by name; null when absent or nothing is loaded.
    FARPROC Export(const char* name) const { return m_module ? ::GetProcAddress(m_module, name) : nullptr; }

private:
    HMODULE m_module = nullptr;
};
