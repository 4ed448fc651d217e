#include "Resources.h"

#include "Errors.h"

namespace platform {

std::string LoadResourceData(HINSTANCE instance, const std::string& name) {
    HRSRC resource = ::FindResourceA(instance, name.c_str(), reinterpret_cast<LPCSTR>(RT_RCDATA));
    HGLOBAL loaded = resource ? ::LoadResource(instance, resource) : nullptr;
    const void* data = loaded ? ::LockResource(loaded) : nullptr;
    if (!data) throw Error("Missing resource " + name);
    return std::string(static_cast<const char*>(data), ::SizeofResource(instance, resource));
}

}  // namespace platform
