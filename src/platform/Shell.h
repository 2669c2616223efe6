// Handing a file to the desktop: opening it with the program the user chose for its kind.
#pragma once

#include <string>

namespace platform {

// The file:// URL of an absolute host path; every byte other than unreserved characters and
// '/' is percent-encoded, so spaces and UTF-8 names survive.
std::string FileUrl(const std::string& absolutePath);

// Opens a file (host path, absolute or relative to the working directory) with the desktop's
// default program. On Linux that is xdg-open, found on PATH and given the absolute path; the call
// waits a moment for its answer, so an opener that is missing or gives up is reported, while one
// that stays to show the file is left running. Returns "" on success, otherwise why it failed
// (plain ASCII, for the error log).
std::string OpenWithDesktop(const std::string& path);

} // namespace platform
