#include "platform/command_line.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace {

// Takes its options out of argv as the toolkit does: "-reverse" alone, "-style" with a value.
void ToolkitParses(int& argc, char** argv) {
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-reverse") == 0) {
            continue;
        }
        if (std::strcmp(argv[i], "-style") == 0 && i + 1 < argc) {
            ++i;
            continue;
        }
        argv[kept++] = argv[i];
    }
    argc = kept;
    argv[argc] = nullptr;
}

TEST(CommandLine, FileNamesReachTheProgramWhateverTheyLookLike) {
    struct Case {
        const char* name;
        std::vector<std::string> args;
        std::set<std::string> existing;
        std::vector<std::string> program;
        std::vector<std::string> toolkit; // what the toolkit is shown, after the program name
    };
    const Case cases[] = {
        {"a plain name", {"a.bin"}, {}, {"a.bin"}, {"a.bin"}},
        {"an option of the toolkit", {"-reverse"}, {}, {}, {"-reverse"}},
        {"an existing file named like an option", {"-reverse"}, {"-reverse"}, {"-reverse"}, {}},
        {"after --, always a name", {"--", "-reverse", "-style"}, {}, {"-reverse", "-style"}, {}},
        {"options before --", {"-reverse", "--", "x"}, {}, {"x"}, {"-reverse"}},
        {"a name before -- comes first",
         {"a.bin", "--", "b.bin"},
         {},
         {"a.bin", "b.bin"},
         {"a.bin"}},
        {"an option with its value",
         {"-style", "fusion", "c.bin"},
         {},
         {"c.bin"},
         {"-style", "fusion", "c.bin"}},
        {"order kept across both", {"x", "-e", "y"}, {"-e"}, {"x", "-e", "y"}, {"x", "y"}},
        {"bytes that are no UTF-8", {"\xFF\xFE.bin"}, {}, {"\xFF\xFE.bin"}, {"\xFF\xFE.bin"}},
        {"nothing", {}, {}, {}, {}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> storage = {"vantrokelmissory"};
        storage.insert(storage.end(), c.args.begin(), c.args.end());
        std::vector<char*> argv;
        for (std::string& s : storage) {
            argv.push_back(s.data());
        }
        argv.push_back(nullptr);
        TCommandLine line(static_cast<int>(c.args.size() + 1), argv.data(),
                          [&c](const std::string& n) { return c.existing.count(n) != 0; });

        std::vector<std::string> shown(line.ToolkitArgv() + 1,
                                       line.ToolkitArgv() + line.ToolkitArgc());
        EXPECT_EQ(shown, c.toolkit) << c.name;
        EXPECT_EQ(line.ToolkitArgv()[line.ToolkitArgc()], nullptr) << c.name;
        ToolkitParses(line.ToolkitArgc(), line.ToolkitArgv());
        EXPECT_EQ(line.ProgramArguments(), c.program) << c.name;
    }
}

} // namespace
