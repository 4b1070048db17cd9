#include "files/file_io.h"

#include "files/file_names.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <random>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Linux moves at most this much per read or write call.
constexpr std::int64_t MaxChunk = 0x7ffff000;

int CloseFd(int fd) {
    // A close interrupted by a signal has still released the descriptor on Linux.
    const int r = ::close(fd);
    return (r == 0 || errno == EINTR) ? 0 : -1;
}

// Root may write any file; the program does not overwrite a file that a non-privileged owner
// could not write either, so a read-only file stays read-only for everyone.
bool MayWrite(const std::string& name, const struct stat& st) {
    if (::access(name.c_str(), W_OK) != 0) {
        return false;
    }
    if (::geteuid() == 0) {
        return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
    }
    return true;
}

mode_t NewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// The file the name stands for: a symbolic link is followed, so that saving writes the file it
// points to and leaves the link in place.
std::string PhysicalName(const std::string& name) {
    std::error_code ec;
    if (!std::filesystem::is_symlink(name, ec)) {
        return name;
    }
    const std::filesystem::path resolved = std::filesystem::weakly_canonical(name, ec);
    return ec ? name : resolved.string();
}

bool WriteAll(int fd, const std::uint8_t* data, std::int64_t size, const TFileFaults& faults) {
    std::int64_t done = 0;
    while (done < size) {
        std::int64_t chunk = std::min(size - done, MaxChunk);
        if (faults.WriteFailAfter >= 0) {
            if (done >= faults.WriteFailAfter) {
                errno = ENOSPC;
                return false;
            }
            chunk = std::min(chunk, faults.WriteFailAfter - done);
        }
        const ssize_t n = ::write(fd, data + done, static_cast<std::size_t>(chunk));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        if (n == 0) {
            errno = EIO;
            return false;
        }
        done += n;
        if (faults.AfterWrite) {
            faults.AfterWrite(done);
        }
    }
    return true;
}

void SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        CloseFd(fd);
    }
}

std::string InFolder(const std::string& folder, const std::string& base) {
    if (folder.empty()) {
        return base;
    }
    return folder == "/" ? "/" + base : folder + "/" + base;
}

// A short hidden name: the target's own name may already be near the 255-byte limit.
std::string TempBase() {
    static constexpr char Letters[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof Letters - 2);
    std::string base = ".vko-";
    for (int i = 0; i < 6; ++i) {
        base += Letters[pick(random)];
    }
    return base;
}

bool IsPermissionError(int error) {
    return error == EACCES || error == EPERM;
}

// A file written beside the target before it takes a name there. Where the file system allows
// (O_TMPFILE), it has no name until it is complete, so the system removes it when the process
// dies first; otherwise it gets a hidden name at once.
class TNewFile {
public:
    explicit TNewFile(std::string folder) : Folder(std::move(folder)) {}
    ~TNewFile() { Discard(); }
    TNewFile(const TNewFile&) = delete;
    TNewFile& operator=(const TNewFile&) = delete;

    // errno EACCES or EPERM: the folder takes no new file.
    bool Create(const TFileFaults& faults) {
        if (faults.FailCreate) {
            errno = ENOSPC;
            return false;
        }
        // The file can only be named through /proc, so without it a named file is the way.
        if (!faults.NoUnnamedFile && ::access("/proc/self/fd", X_OK) == 0) {
            const std::string where = Folder.empty() ? std::string(".") : Folder;
            Fd = ::open(where.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
            if (Fd >= 0 || IsPermissionError(errno)) {
                return Fd >= 0;
            }
            // EOPNOTSUPP, or EISDIR and EINVAL from kernels and file systems that predate it.
        }
        std::string pattern = InFolder(Folder, ".vko-XXXXXX");
        Fd = ::mkostemp(pattern.data(), O_CLOEXEC);
        if (Fd < 0) {
            return false;
        }
        Name = pattern;
        return true;
    }

    int Handle() const { return Fd; }
    const std::string& FileName() const { return Name; }

    // Flushes the bytes to disk, gives the file a name in the folder and closes it.
    bool Finish(const TFileFaults& faults) {
        if (faults.FailSync) {
            errno = EIO;
            return false;
        }
        if (::fsync(Fd) != 0) {
            return false;
        }
        if (Name.empty()) {
            const std::string self = "/proc/self/fd/" + std::to_string(Fd);
            for (int attempt = 0;; ++attempt) {
                std::string name = InFolder(Folder, TempBase());
                if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) ==
                    0) {
                    Name = std::move(name);
                    break;
                }
                if (errno != EEXIST || attempt == 100) {
                    return false;
                }
            }
        }
        const int fd = Fd;
        Fd = -1;
        return CloseFd(fd) == 0;
    }

    // The file has become the target (or the backup): it is no longer ours to remove.
    void Keep() { Name.clear(); }

    // Closes and removes the file, keeping errno.
    void Discard() {
        const int error = errno;
        if (Fd >= 0) {
            CloseFd(Fd);
            Fd = -1;
        }
        if (!Name.empty()) {
            ::unlink(Name.c_str());
            Name.clear();
        }
        errno = error;
    }

private:
    std::string Folder;
    std::string Name; // empty while the file has none
    int Fd = -1;
};

// Gives a new file the old one's owner and group where we may (root saving another user's file,
// or a member of the file's group, who may keep the group but not the owner: a single chown of
// both would then keep neither), then its mode bits. The chown and any write by an unprivileged
// user clear the set-id bits, so this comes after the bytes and the chmod after the chown.
bool KeepOwnerAndMode(int fd, const struct stat& old) {
    if (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) {
        if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
            [[maybe_unused]] const int ignored = ::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
        }
    }
    return ::fchmod(fd, old.st_mode & 07777) == 0;
}

bool CopyAll(int from, int to) {
    std::vector<std::uint8_t> buffer(1 << 20);
    for (;;) {
        const ssize_t n = ::read(from, buffer.data(), buffer.size());
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        if (n == 0) {
            return true;
        }
        if (!WriteAll(to, buffer.data(), n, {})) {
            return false;
        }
    }
}

// The backup of a file that is overwritten in place: a copy of its bytes, written to a new file
// that only then takes the backup name, so that no half-written backup ever has it. Nothing
// happens where the folder takes no new file.
void CopyBackup(const std::string& target, const std::string& folder, const struct stat& old) {
    const std::string backup = BackupName(target);
    struct stat st {};
    if (::lstat(backup.c_str(), &st) == 0 && st.st_dev == old.st_dev && st.st_ino == old.st_ino) {
        return; // the backup name is another name of the file itself
    }
    const int in = ::open(target.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) {
        return;
    }
    TNewFile copy(folder);
    bool ok = copy.Create({}) && CopyAll(in, copy.Handle()) &&
              KeepOwnerAndMode(copy.Handle(), old) && copy.Finish({});
    CloseFd(in);
    if (ok && ::rename(copy.FileName().c_str(), backup.c_str()) == 0) {
        copy.Keep();
        SyncFolder(folder.empty() ? std::string(".") : folder);
    }
}

// Makes room for size bytes before any old byte is overwritten, so that a full disk is found
// while the file is still whole. File systems that cannot reserve are written all the same.
bool Reserve(int fd, std::int64_t size, const TFileFaults& faults) {
    if (faults.FailReserve) {
        errno = ENOSPC;
        return false;
    }
    if (size == 0) {
        return true;
    }
    while (::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, size) != 0) {
        if (errno != EINTR) {
            return errno == EOPNOTSUPP || errno == ENOSYS;
        }
    }
    return true;
}

// Overwrites the file itself: for a file with more than one name, which must stay one file, and
// for a file whose folder takes no new one.
bool WriteInPlace(const std::string& target, const std::string& folder, const std::uint8_t* data,
                  std::int64_t size, bool backup, const TFileFaults& faults) {
    // Without O_TRUNC: the old bytes stay until the new ones are over them. Non-blocking, so
    // that a pipe put there since the check fails instead of hanging.
    const int fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return false;
    }
    struct stat old {};
    bool ok = ::fstat(fd, &old) == 0;
    if (ok && !S_ISREG(old.st_mode)) {
        errno = EINVAL;
        ok = false;
    }
    ok = ok && Reserve(fd, size, faults);
    if (ok && backup) {
        CopyBackup(target, folder, old);
    }
    ok = ok && WriteAll(fd, data, size, faults) && ::ftruncate(fd, size) == 0;
    if (ok && faults.FailSync) {
        errno = EIO;
        ok = false;
    }
    ok = ok && ::fsync(fd) == 0;
    const int error = errno;
    const bool closed = CloseFd(fd) == 0;
    if (ok && !closed) {
        return false;
    }
    errno = error;
    return ok;
}

// Keeps the old file under the backup name: a second link where the file system allows it, so
// that the old file never leaves its own name; otherwise a rename, which the caller undoes
// when the new file cannot be put in place. Answers whether the old file was renamed.
bool MakeBackup(const std::string& target, const struct stat& targetStat,
                const TFileFaults& faults) {
    const std::string backup = BackupName(target);
    struct stat st {};
    if (::lstat(backup.c_str(), &st) == 0) {
        if (st.st_dev == targetStat.st_dev && st.st_ino == targetStat.st_ino) {
            return false; // the backup name is the file itself
        }
        ::unlink(backup.c_str());
    }
    if (!faults.FailLink && ::link(target.c_str(), backup.c_str()) == 0) {
        return false;
    }
    return ::rename(target.c_str(), backup.c_str()) == 0;
}

} // namespace

TReadFile::~TReadFile() {
    if (Fd >= 0) {
        CloseFd(Fd);
    }
}

bool TReadFile::Open(const std::string& name, std::int64_t maxSize, const TFileFaults& faults) {
    if (faults.OpenForRead) {
        if (const int error = faults.OpenForRead(name); error != 0) {
            errno = error;
            return false;
        }
    }
    // Non-blocking, so that a named pipe does not hang the open; a regular file ignores it.
    const int fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return false;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > maxSize) {
        CloseFd(fd);
        errno = EINVAL;
        return false;
    }
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    Fd = fd;
    FileSize = st.st_size;
    return true;
}

bool TReadFile::ReadExactly(std::uint8_t* dest, std::int64_t n, const TFileFaults& faults) {
    std::int64_t done = 0;
    while (done < n) {
        std::int64_t chunk = std::min(n - done, MaxChunk);
        if (faults.ReadFailAfter >= 0) {
            if (done >= faults.ReadFailAfter) {
                errno = EIO;
                return false;
            }
            chunk = std::min(chunk, faults.ReadFailAfter - done);
        }
        const ssize_t r = ::read(Fd, dest + done, static_cast<std::size_t>(chunk));
        if (r < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        if (r == 0) {
            errno = EIO; // the file shrank while it was read
            return false;
        }
        done += r;
    }
    return true;
}

bool FileExists(const std::string& name) {
    struct stat st {};
    return !name.empty() && ::stat(name.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool WriteFileReplacing(const std::string& name, const std::uint8_t* data, std::int64_t size,
                        bool backup, const TFileFaults& faults) {
    if (name.empty()) {
        errno = ENOENT;
        return false;
    }
    const std::string target = PhysicalName(name);
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists) {
        if (S_ISDIR(old.st_mode)) {
            errno = EISDIR;
            return false;
        }
        // A pipe or a device would be replaced by a plain file holding the bytes.
        if (!S_ISREG(old.st_mode)) {
            errno = EINVAL;
            return false;
        }
        if (!MayWrite(target, old)) {
            errno = EACCES;
            return false;
        }
    }

    const std::string folder = FolderOfFile(target);
    if (exists && old.st_nlink > 1) {
        return WriteInPlace(target, folder, data, size, backup, faults);
    }
    TNewFile file(folder);
    if (!file.Create(faults)) {
        if (exists && IsPermissionError(errno)) {
            return WriteInPlace(target, folder, data, size, backup, faults);
        }
        return false;
    }
    // Owner and mode after the bytes, which would clear the set-id bits.
    const bool ok = WriteAll(file.Handle(), data, size, faults) &&
                    (exists ? KeepOwnerAndMode(file.Handle(), old)
                            : ::fchmod(file.Handle(), NewFileMode()) == 0) &&
                    file.Finish(faults);
    if (!ok) {
        file.Discard();
        return false;
    }

    const bool renamed = exists && backup && MakeBackup(target, old, faults);
    if (faults.FailReplace || ::rename(file.FileName().c_str(), target.c_str()) != 0) {
        const int error = faults.FailReplace ? EIO : errno;
        file.Discard();
        if (renamed) {
            ::rename(BackupName(target).c_str(), target.c_str());
        }
        errno = error;
        return false;
    }
    file.Keep();
    SyncFolder(folder.empty() ? std::string(".") : folder);
    return true;
}
