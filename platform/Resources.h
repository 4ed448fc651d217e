// Raw data embedded in the program as RCDATA resources.
#pragma once

#include <windows.h>

#include <string>

namespace platform {

// The bytes of the RCDATA resource of that name; throws platform::Error when absent.
std::string LoadResourceData(HINSTANCE instance, const std::string& name);

}  // namespace platform
