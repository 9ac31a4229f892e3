#include "image/FileIo.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace vtr::image {

namespace fs = std::filesystem;

#ifndef _WIN32
namespace {

// The umask can only be read by setting it; do that once, before other threads
// are likely to create files.
mode_t processUmask() {
    static const mode_t mask = [] {
        const mode_t m = ::umask(022);
        ::umask(m);
        return m;
    }();
    return mask;
}

}  // namespace
#endif

namespace {

// The file opened for reading; nothing (with the reason in `error`) for a
// folder or a file that cannot be opened.
std::optional<std::ifstream> openForReading(const fs::path& path, std::string& error) {
    std::error_code ec;
    if (fs::is_directory(path, ec)) {
        error = path.string() + ": " + std::strerror(EISDIR);
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = path.string() + ": " + std::strerror(errno);
        return std::nullopt;
    }
    return in;
}

}  // namespace

std::optional<std::vector<std::uint8_t>> ReadFileBytes(const fs::path& path, std::size_t maxSize,
                                                       std::string& error) {
    auto in = openForReading(path, error);
    if (!in) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes;
    std::array<char, 4096> block{};
    while (*in) {
        in->read(block.data(), block.size());
        const auto got = static_cast<std::size_t>(in->gcount());
        if (bytes.size() + got > maxSize) {
            error = path.string() + ": file is larger than " + std::to_string(maxSize) + " bytes";
            return std::nullopt;
        }
        bytes.insert(bytes.end(), block.begin(), block.begin() + static_cast<long>(got));
    }
    if (in->bad()) {
        error = path.string() + ": read error";
        return std::nullopt;
    }
    return bytes;
}

std::optional<std::vector<std::uint8_t>> ReadFileHead(const fs::path& path, std::size_t count,
                                                      std::string& error) {
    auto in = openForReading(path, error);
    if (!in) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes(count);
    in->read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(count));
    if (in->bad()) {
        error = path.string() + ": read error";
        return std::nullopt;
    }
    bytes.resize(static_cast<std::size_t>(in->gcount()));
    return bytes;
}

std::optional<std::string> WriteFileAtomically(const fs::path& path,
                                               std::span<const std::uint8_t> bytes) {
    const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
    std::error_code ec;
    if (fs::is_directory(path, ec)) {
        return path.string() + ": " + std::strerror(EISDIR);
    }
#ifdef _WIN32
    const fs::path temp = path.string() + ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) {
            return temp.string() + ": " + std::strerror(errno);
        }
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            fs::remove(temp, ec);
            return temp.string() + ": write error";
        }
    }
#else
    // A hidden temporary beside the target: ".name.XXXXXX".
    std::string hidden = ".";
    hidden += path.filename().string();
    hidden += ".XXXXXX";
    std::string pattern = (folder / hidden).string();
    const int fd = mkstemp(pattern.data());
    if (fd < 0) {
        return path.string() + ": " + std::strerror(errno);
    }
    const fs::path temp = pattern;
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            const std::string reason = std::strerror(errno);
            ::close(fd);
            fs::remove(temp, ec);
            return path.string() + ": " + reason;
        }
        done += static_cast<std::size_t>(n);
    }
    // mkstemp creates the file private: a replaced file keeps its permissions,
    // a new one gets the usual ones.
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0) {
        ::fchmod(fd, existing.st_mode & 07777);
    } else {
        ::fchmod(fd, 0666 & ~processUmask());
    }
    if (::fsync(fd) != 0 || ::close(fd) != 0) {
        const std::string reason = std::strerror(errno);
        fs::remove(temp, ec);
        return path.string() + ": " + reason;
    }
#endif
    fs::rename(temp, path, ec);
    if (ec) {
        fs::remove(temp, ec);
        return path.string() + ": " + ec.message();
    }
    return std::nullopt;
}

}  // namespace vtr::image
