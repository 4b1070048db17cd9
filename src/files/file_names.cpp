#include "files/file_names.h"

#include <cctype>
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

namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

std::string PercentDecoded(const std::string& text) {
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 &&
            HexValue(text[i + 2]) >= 0) {
            bytes += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
            i += 2;
        } else {
            bytes += text[i];
        }
    }
    return bytes;
}

bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
    if (text.size() < prefix.size()) {
        return false;
    }
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i]) {
            return false;
        }
    }
    return true;
}

} // namespace

std::vector<std::string> LocalFilesOfUriList(const std::string& uriList) {
    std::vector<std::string> files;
    std::size_t start = 0;
    while (start < uriList.size()) {
        std::size_t end = uriList.find('\n', start);
        if (end == std::string::npos) {
            end = uriList.size();
        }
        std::string line = uriList.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.empty() || line[0] == '#' || !StartsWithNoCase(line, "file:")) {
            continue;
        }
        std::string rest = line.substr(5);
        if (rest.rfind("//", 0) == 0) {
            // file://host/path: only this machine's files can be opened.
            const std::size_t slash = rest.find('/', 2);
            const std::string host = rest.substr(2, slash == std::string::npos ? slash : slash - 2);
            if (!host.empty() && !(host.size() == 9 && StartsWithNoCase(host, "localhost"))) {
                continue;
            }
            rest = slash == std::string::npos ? std::string() : rest.substr(slash);
        }
        rest = rest.substr(0, rest.find_first_of("?#"));
        if (!rest.empty() && rest[0] == '/') {
            files.push_back(PercentDecoded(rest));
        }
    }
    return files;
}
