// Opening a file with the desktop's default program: xdg-open on Linux, SDL's URL opener elsewhere.
#include "platform/Shell.h"

#include <SDL.h>

#include <filesystem>
#include <system_error>

#if defined(__linux__)
#include <cerrno>
#include <chrono>
#include <cstring>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <vector>

extern char** environ;
#endif

namespace platform {

std::string FileUrl(const std::string& absolutePath) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string url = "file://";
    for (const char c : absolutePath) {
        const auto byte = static_cast<unsigned char>(c);
        const bool plain = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
                           (byte >= '0' && byte <= '9') || byte == '-' || byte == '.' || byte == '_' ||
                           byte == '~' || byte == '/';
        if (plain) {
            url += c;
        } else {
            url += '%';
            url += kHex[byte >> 4];
            url += kHex[byte & 0x0F];
        }
    }
    return url;
}

#if defined(__linux__)

namespace {

// Openers that outlived the wait (an editor xdg-open runs in the foreground), collected once they
// end so none is left a zombie for long.
std::vector<pid_t>& RunningOpeners() {
    static std::vector<pid_t> running;
    return running;
}

void CollectFinishedOpeners() {
    auto& running = RunningOpeners();
    std::erase_if(running, [](pid_t pid) { return waitpid(pid, nullptr, WNOHANG) != 0; });
}

} // namespace

std::string OpenWithDesktop(const std::string& path) {
    CollectFinishedOpeners();
    std::error_code error;
    const std::string absolute = std::filesystem::absolute(path, error).string();
    if (error) return "no absolute path: " + error.message();

    // SDL's opener forks twice and reports success before xdg-open has even been looked for, so a
    // desktop without one would swallow the click; spawning it ourselves tells us.
    const char* opener = "xdg-open";
    char* argv[] = {const_cast<char*>(opener), const_cast<char*>(absolute.c_str()), nullptr};
    pid_t pid = 0;
    if (const int failed = posix_spawnp(&pid, opener, nullptr, nullptr, argv, environ))
        return std::string(opener) + ": " + std::strerror(failed);

    // A desktop hands the file over and xdg-open ends within a fraction of a second; one that
    // cannot open it says so by its status just as quickly.
    constexpr auto kAnswerWait = std::chrono::seconds(1);
    const auto until = std::chrono::steady_clock::now() + kAnswerWait;
    int status = 0;
    while (std::chrono::steady_clock::now() < until) {
        const pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid) {
            if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return "";
            return WIFEXITED(status) ? std::string(opener) + " ended with status " + std::to_string(WEXITSTATUS(status))
                                     : std::string(opener) + " was killed by signal " + std::to_string(WTERMSIG(status));
        }
        if (done < 0) return std::string(opener) + ": " + std::strerror(errno);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    RunningOpeners().push_back(pid);
    return "";
}

#else

std::string OpenWithDesktop(const std::string& path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    if (error) return "no absolute path: " + error.message();
    if (SDL_OpenURL(FileUrl(absolute.generic_string()).c_str()) != 0) return SDL_GetError();
    return "";
}

#endif

} // namespace platform
