// Handing a file to the desktop: opening it with the program the user chose for its kind.
#pragma once

#include <string>

namespace platform {

// The file:// URL of an absolute host path; every byte other than unreserved characters and
// '/' is percent-encoded, so spaces and UTF-8 names survive.
std::string FileUrl(const std::string& absolutePath);

// Opens a file (host path, absolute or relative to the working directory) with the desktop's
// default program and returns at once. False when the desktop could not be asked.
bool OpenWithDesktop(const std::string& path);

} // namespace platform
