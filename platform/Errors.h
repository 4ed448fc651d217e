// The exceptions the layer raises; each carries the text the user is shown.
#pragma once

#include <stdexcept>
#include <string>

namespace platform {

// Any failure the layer reports: the message is the user-facing text.
class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A settings file could not be written.
class IniFileError : public Error {
public:
    using Error::Error;
};

// A file could not be opened or read.
class FileError : public Error {
public:
    using Error::Error;
};

}  // namespace platform
