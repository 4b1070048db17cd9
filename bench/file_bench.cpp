// Loading and saving a 1 GiB document, each beside the plain system calls that move the same
// bytes in the same process: read into a buffer, and write plus fsync. The files live in a
// fresh folder under the temporary folder (TMPDIR), removed at the end.

#include "files/file_commands.h"
#include "support/recording_host.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr std::int64_t FileSize = std::int64_t{1} << 30;

std::filesystem::path Folder;

std::string Name(const char* file) {
    return (Folder / file).string();
}

bool ReadAll(int fd, std::uint8_t* p, std::int64_t n) {
    while (n > 0) {
        const ssize_t r =
            ::read(fd, p, static_cast<std::size_t>(std::min<std::int64_t>(n, 1 << 30)));
        if (r <= 0) {
            return false;
        }
        p += r;
        n -= r;
    }
    return true;
}

bool WriteAll(int fd, const std::uint8_t* p, std::int64_t n) {
    while (n > 0) {
        const ssize_t r =
            ::write(fd, p, static_cast<std::size_t>(std::min<std::int64_t>(n, 1 << 30)));
        if (r <= 0) {
            return false;
        }
        p += r;
        n -= r;
    }
    return true;
}

// The source file, written once and read once so that the page cache holds it.
void MakeSourceFile() {
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(FileSize));
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<std::uint8_t>(i * 131 + (i >> 12));
    }
    const int fd = ::open(Name("source.bin").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0 || !WriteAll(fd, bytes.data(), FileSize) || ::fsync(fd) != 0) {
        std::abort();
    }
    ::close(fd);
    const int in = ::open(Name("source.bin").c_str(), O_RDONLY);
    if (in < 0 || !ReadAll(in, bytes.data(), FileSize)) {
        std::abort();
    }
    ::close(in);
}

struct TEditor {
    TEditorFixture F;
    TFileCommands Cmd{F.State};
};

TEditor& Editor() {
    static TEditor* e = [] {
        auto* editor = new TEditor;
        editor->F.State.Settings.OverwriteWarning = false;
        // Once untimed, so that the document's buffers exist as the plain buffer does.
        editor->Cmd.LoadDocument(Name("source.bin"));
        return editor;
    }();
    return *e;
}

std::vector<std::uint8_t>& PlainBuffer() {
    static std::vector<std::uint8_t> buffer(static_cast<std::size_t>(FileSize));
    return buffer;
}

void BM_LoadDocument(benchmark::State& st) {
    TEditor& e = Editor();
    for (auto _ : st) {
        e.Cmd.LoadDocument(Name("source.bin"));
        if (e.F.Doc.Size != FileSize || !e.F.Host.Messages.empty()) {
            st.SkipWithError("load failed");
            break;
        }
        benchmark::ClobberMemory();
    }
    st.SetBytesProcessed(st.iterations() * FileSize);
}

void BM_PlainRead(benchmark::State& st) {
    std::vector<std::uint8_t>& buffer = PlainBuffer();
    for (auto _ : st) {
        const int fd = ::open(Name("source.bin").c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0 || !ReadAll(fd, buffer.data(), FileSize)) {
            st.SkipWithError("read failed");
            break;
        }
        ::close(fd);
        benchmark::ClobberMemory();
    }
    st.SetBytesProcessed(st.iterations() * FileSize);
}

void BM_SaveDocument(benchmark::State& st) {
    TEditor& e = Editor();
    e.Cmd.LoadDocument(Name("source.bin"));
    e.F.State.Settings.CreateBackUp = st.range(0) != 0;
    for (auto _ : st) {
        if (!e.Cmd.SaveDocument(Name("saved.bin"), false)) {
            st.SkipWithError("save failed");
            break;
        }
    }
    st.SetBytesProcessed(st.iterations() * FileSize);
}

// 0: truncate the file and write it again in place. 1: write a new file beside it, fsync, and
// rename it over the old one, which is what a save that never destroys the old file costs the
// file system (the old file's blocks are freed, the new ones freshly allocated).
void BM_PlainWriteFsync(benchmark::State& st) {
    std::vector<std::uint8_t>& buffer = PlainBuffer();
    const bool replace = st.range(0) != 0;
    const std::string target = Name("plain.bin");
    const std::string written = replace ? Name("plain.new") : target;
    for (auto _ : st) {
        const int fd = ::open(written.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (fd < 0 || !WriteAll(fd, buffer.data(), FileSize) || ::fsync(fd) != 0) {
            st.SkipWithError("write failed");
            break;
        }
        ::close(fd);
        if (replace && ::rename(written.c_str(), target.c_str()) != 0) {
            st.SkipWithError("rename failed");
            break;
        }
    }
    st.SetBytesProcessed(st.iterations() * FileSize);
}

} // namespace

BENCHMARK(BM_LoadDocument)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);
BENCHMARK(BM_PlainRead)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);
BENCHMARK(BM_SaveDocument)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(5.0);
BENCHMARK(BM_PlainWriteFsync)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(5.0);

int main(int argc, char** argv) {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "vko-file-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        return 1;
    }
    Folder = pattern;
    MakeSourceFile();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ec;
    std::filesystem::remove_all(Folder, ec);
    return 0;
}
