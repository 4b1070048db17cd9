#pragma once

#include <QLockFile>

#include <memory>

// Tells whether another copy of the program is running for this user. The first copy holds a
// lock file in the user's runtime folder for its whole run; the lock goes away with the process,
// also when it is killed.
class TFirstInstance {
public:
    TFirstInstance();
    bool IsFirst() const { return First; }

private:
    std::unique_ptr<QLockFile> Lock;
    bool First = true;
};
