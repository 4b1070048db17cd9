// Inserting or deleting one byte at the front of a large document, beside a plain memmove of the
// same two tails (data and marks) in the same process.

#include "core/action.h"
#include "support/recording_host.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <vector>

namespace {

// Just below 256 MiB, so that one more byte stays inside the same 64 KiB capacity step and the
// cost measured is the tail move alone.
constexpr std::int32_t DocumentSize = 256 * 1024 * 1024 - 4096;

TEditorFixture& Editor() {
    static TEditorFixture* f = [] {
        auto* e = new TEditorFixture;
        e->Load(std::vector<std::uint8_t>(DocumentSize, 0x5A));
        return e;
    }();
    return *f;
}

void BM_InsertByteAtFront(benchmark::State& st) {
    TEditorFixture& f = Editor();
    for (auto _ : st) {
        f.Actions.AddAction(
            std::make_unique<TInsertAction>(akInsert, f.State.NextGroup(), 0, false), true);
        st.PauseTiming();
        f.Actions.Undo();
        st.ResumeTiming();
    }
}

void BM_DeleteByteAtFront(benchmark::State& st) {
    TEditorFixture& f = Editor();
    for (auto _ : st) {
        f.Actions.AddAction(
            std::make_unique<TDeleteAction>(akDelete, f.State.NextGroup(), 0, false), true);
        st.PauseTiming();
        f.Actions.Undo();
        st.ResumeTiming();
    }
}

struct Plain {
    std::vector<std::uint8_t> data = std::vector<std::uint8_t>(DocumentSize + 1, 0x5A);
    std::vector<std::uint8_t> marks = std::vector<std::uint8_t>(DocumentSize + 1, 0);
};

Plain& Reference() {
    static Plain p;
    return p;
}

void BM_MemmoveTailsUp(benchmark::State& st) {
    Plain& p = Reference();
    for (auto _ : st) {
        std::memmove(p.data.data() + 1, p.data.data(), DocumentSize);
        std::memmove(p.marks.data() + 1, p.marks.data(), DocumentSize);
        benchmark::ClobberMemory();
        st.PauseTiming();
        st.ResumeTiming();
    }
}

void BM_MemmoveTailsDown(benchmark::State& st) {
    Plain& p = Reference();
    for (auto _ : st) {
        std::memmove(p.data.data(), p.data.data() + 1, DocumentSize - 1);
        std::memmove(p.marks.data(), p.marks.data() + 1, DocumentSize - 1);
        benchmark::ClobberMemory();
        st.PauseTiming();
        st.ResumeTiming();
    }
}

} // namespace

BENCHMARK(BM_InsertByteAtFront)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_MemmoveTailsUp)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_DeleteByteAtFront)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_MemmoveTailsDown)->Unit(benchmark::kMillisecond)->MinTime(2.0);

BENCHMARK_MAIN();
