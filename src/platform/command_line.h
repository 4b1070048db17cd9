#pragma once

#include <functional>
#include <string>
#include <vector>

// The command line split between the toolkit and the program before the toolkit parses it. The
// toolkit takes options such as "-reverse" or "-style name" out of the arguments it is given,
// and it decodes what is left into text; a file name is bytes and must reach the system calls
// unchanged. So the program keeps its own copy of the arguments, and the toolkit never sees
// the ones that are file names whatever they look like: everything after "--", and an argument
// that names an existing file even where it looks like an option.
class TCommandLine {
public:
    // exists tells whether a name stands for an entry of the file system.
    TCommandLine(int argc, char** argv, const std::function<bool(const std::string&)>& exists);

    // Hand both to the toolkit; it may drop the options it knows from them.
    int& ToolkitArgc() { return ToolkitCount; }
    char** ToolkitArgv() { return Toolkit.data(); }

    // After the toolkit took its options: every argument that is the program's, in the order
    // given, as the bytes given. The first of them names the file to open.
    std::vector<std::string> ProgramArguments() const;

private:
    std::vector<char*> Original;
    std::vector<char*> Toolkit;
    int ToolkitCount = 0;
    // Indexes into Original of the arguments the toolkit never sees.
    std::vector<std::size_t> Reserved;
};

// Whether an entry of that name exists (a dangling symbolic link counts).
bool NameExists(const std::string& name);
