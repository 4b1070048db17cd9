#include "files/file_names.h"

#include <filesystem>

#include <sys/stat.h>

std::string BackupName(const std::string& name) {
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos || name.find_first_of("/\\:", dot) != std::string::npos) {
        return name + ".~";
    }
    // The extension keeps its first two characters, not bytes: a character of several UTF-8
    // bytes is kept whole. A byte that starts no UTF-8 character counts as one.
    const auto continuation = [](char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; };
    std::size_t end = dot + 1;
    for (int kept = 0; kept < 2 && end < name.size(); ++kept) {
        const std::size_t start = end++;
        const auto lead = static_cast<unsigned char>(name[start]);
        const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        while (end < name.size() && end < start + length && continuation(name[end])) {
            ++end;
        }
    }
    return name.substr(0, dot) + ".~" + name.substr(dot + 1, end - dot - 1);
}

std::string FolderOfFile(const std::string& name) {
    const std::size_t slash = name.rfind('/');
    if (slash == std::string::npos) {
        return {};
    }
    std::size_t end = slash;
    while (end > 0 && name[end - 1] == '/') {
        --end;
    }
    return end == 0 ? std::string("/") : name.substr(0, end);
}

namespace {

bool SameFile(const std::string& a, const std::string& b) {
    struct stat sa {};
    struct stat sb {};
    return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

} // namespace

std::string ExpandLongName(const std::string& name) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (name.empty() || !fs::exists(fs::symlink_status(name, ec))) {
        return name;
    }
    const fs::path absolute = fs::absolute(name, ec);
    if (ec) {
        return name;
    }
    // Lexical cleaning; ".." after a symbolic link to a folder may name another file, and then
    // only the harmless parts are dropped.
    std::string clean = absolute.lexically_normal().string();
    if (!SameFile(clean, absolute.string())) {
        std::string kept;
        for (const fs::path& part : absolute) {
            const std::string p = part.string();
            if (p == "." || p.empty()) {
                continue;
            }
            kept = kept.empty() || kept == "/" ? kept + p : kept + "/" + p;
        }
        clean = kept;
    }
    while (clean.size() > 1 && clean.back() == '/') {
        clean.pop_back();
    }
    return clean;
}
