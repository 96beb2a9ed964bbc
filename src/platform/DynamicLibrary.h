#pragma once

#include <QByteArray>

// A shared library opened at run time. Symbols are looked up on every Resolve, so a
// caller that wants "resolve by name at the moment of the call" gets exactly that.
class DynamicLibrary {
public:
    DynamicLibrary() = default;
    // Opens the library by file name (the system's search rules apply) or by path.
    explicit DynamicLibrary(const QByteArray& name);
    ~DynamicLibrary();

    DynamicLibrary(const DynamicLibrary&) = delete;
    DynamicLibrary& operator=(const DynamicLibrary&) = delete;
    DynamicLibrary(DynamicLibrary&& other) noexcept;
    DynamicLibrary& operator=(DynamicLibrary&& other) noexcept;

    bool IsLoaded() const { return m_handle != nullptr; }
    // The address of the exported symbol, or null when the library is not loaded or does
    // not export it.
    void* Resolve(const char* symbol) const;
    void Unload();

private:
    void* m_handle = nullptr;
};
