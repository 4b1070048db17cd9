#pragma once

#include <cstdint>
#include <functional>
#include <string>

// Failures a test can make the file system produce where a real one might (a full disk, an
// unreadable file), so that every failure path can be run.
struct TFileFaults {
    // Called with the name before a file is opened for reading; a non-zero errno makes the open
    // fail with it.
    std::function<int(const std::string&)> OpenForRead;
    // A read fails with EIO once this many bytes were read (-1: never).
    std::int64_t ReadFailAfter = -1;
    // A write fails with ENOSPC once this many bytes were written (-1: never).
    std::int64_t WriteFailAfter = -1;
    // Called after each chunk written to the file with the number of bytes written so far.
    std::function<void(std::int64_t)> AfterWrite;
    bool FailCreate = false;    // creating the new file fails with ENOSPC (a full disk or quota)
    bool NoUnnamedFile = false; // the file system has no O_TMPFILE (it fails with EOPNOTSUPP)
    bool FailReserve = false;   // reserving the space for an in-place write fails with ENOSPC
    bool FailSync = false;      // flushing it to disk fails with EIO
    bool FailLink = false;      // hard links are refused (EPERM), as on some file systems
    bool FailReplace = false;   // putting the new file in place of the old one fails
};

// A regular file opened for reading, closed when this goes.
class TReadFile {
public:
    TReadFile() = default;
    ~TReadFile();
    TReadFile(const TReadFile&) = delete;
    TReadFile& operator=(const TReadFile&) = delete;

    // Opens name when it is a regular file of at most maxSize bytes.
    bool Open(const std::string& name, std::int64_t maxSize, const TFileFaults& faults);
    std::int64_t Size() const { return FileSize; }
    // Reads exactly n bytes into dest; false on a read error or when the file ends sooner.
    bool ReadExactly(std::uint8_t* dest, std::int64_t n, const TFileFaults& faults);

private:
    int Fd = -1;
    std::int64_t FileSize = 0;
};

// Whether an entry of that name exists that is not a folder (a file to ask about before it is
// overwritten).
bool FileExists(const std::string& name);

// Replaces the file name with size bytes of data so that a failure at any point leaves the old
// file whole under its own name: the bytes go to a new file in the same folder, which is flushed
// to disk and only then renamed over the old one. Where the file system allows, that new file has
// no name until it is complete, so that a save killed halfway leaves nothing behind. With backup,
// the old file is kept under its backup name (an older backup of that name is deleted first); a
// backup that cannot be made does not stop the save. The old file's owner (where we may), group
// and permission bits are kept. A symbolic link is written through, not replaced.
//
// Two kinds of target are overwritten in place instead (their space reserved first, so that a
// full disk leaves them unchanged; a failure later leaves them part written): a file with more
// than one name, so that every name sees the new bytes, and a writable file in a folder that
// takes no new file. Their backup is a copy of the old bytes.
//
// A target that is not writable fails as it would for a non-privileged user; one that is not a
// regular file (a pipe, a device) is refused and left alone.
bool WriteFileReplacing(const std::string& name, const std::uint8_t* data, std::int64_t size,
                        bool backup, const TFileFaults& faults);
