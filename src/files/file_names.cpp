#include "files/file_names.h"

std::string BackupName(const std::string& name) {
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos || name.find_first_of("/\\:", dot) != std::string::npos) {
        return name + ".~";
    }
    std::string extension = ".~" + name.substr(dot + 1);
    if (extension.size() > 4) {
        extension.resize(4);
    }
    return name.substr(0, dot) + extension;
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
