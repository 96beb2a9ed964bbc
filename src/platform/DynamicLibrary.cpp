#include "platform/DynamicLibrary.h"

#include <dlfcn.h>

#include <utility>

DynamicLibrary::DynamicLibrary(const QByteArray& name) {
    // RTLD_LOCAL keeps the library's symbols out of the global namespace: two copies of a
    // framework must not satisfy each other's lookups.
    m_handle = dlopen(name.constData(), RTLD_NOW | RTLD_LOCAL);
}

DynamicLibrary::~DynamicLibrary() {
    Unload();
}

DynamicLibrary::DynamicLibrary(DynamicLibrary&& other) noexcept
    : m_handle(std::exchange(other.m_handle, nullptr)) {}

DynamicLibrary& DynamicLibrary::operator=(DynamicLibrary&& other) noexcept {
    if (this != &other) {
        Unload();
        m_handle = std::exchange(other.m_handle, nullptr);
    }
    return *this;
}

void* DynamicLibrary::Resolve(const char* symbol) const {
    return m_handle ? dlsym(m_handle, symbol) : nullptr;
}

void DynamicLibrary::Unload() {
    if (m_handle)
        dlclose(std::exchange(m_handle, nullptr));
}
