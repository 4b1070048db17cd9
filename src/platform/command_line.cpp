#include "platform/command_line.h"

#include <algorithm>
#include <cstring>

#include <sys/stat.h>

TCommandLine::TCommandLine(int argc, char** argv,
                           const std::function<bool(const std::string&)>& exists)
    : Original(argv, argv + argc) {
    if (argc > 0) {
        Toolkit.push_back(argv[0]);
    }
    for (std::size_t i = 1; i < Original.size(); ++i) {
        char* a = Original[i];
        if (std::strcmp(a, "--") == 0) {
            for (std::size_t j = i + 1; j < Original.size(); ++j) {
                Reserved.push_back(j);
            }
            break;
        }
        if (a[0] == '-' && exists(a)) {
            Reserved.push_back(i);
        } else {
            Toolkit.push_back(a);
        }
    }
    ToolkitCount = static_cast<int>(Toolkit.size());
    Toolkit.push_back(nullptr); // argv ends with a null pointer
}

std::vector<std::string> TCommandLine::ProgramArguments() const {
    // The toolkit removes what it takes and keeps the rest in order; the pointers still lead to
    // the original strings, so each one's place in the command line is known.
    std::vector<std::size_t> indexes = Reserved;
    for (int k = 1; k < ToolkitCount; ++k) {
        const auto at = std::find(Original.begin(), Original.end(), Toolkit[k]);
        if (at != Original.end()) {
            indexes.push_back(static_cast<std::size_t>(at - Original.begin()));
        }
    }
    std::sort(indexes.begin(), indexes.end());
    std::vector<std::string> arguments;
    for (const std::size_t i : indexes) {
        arguments.emplace_back(Original[i]);
    }
    return arguments;
}

bool NameExists(const std::string& name) {
    struct stat st {};
    return !name.empty() && ::lstat(name.c_str(), &st) == 0;
}
