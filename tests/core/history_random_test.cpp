// Long random sequences of edits, undos and redos, checked after every step against a plain
// model built on std::vector with its own undo stack.
//
// VKO_HISTORY_SEED and VKO_HISTORY_STEPS choose another seed or a longer run.

#include "core/block_actions.h"
#include "support/recording_host.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <memory>
#include <random>

namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint64_t EnvNumber(const char* name, std::uint64_t fallback) {
    const char* text = std::getenv(name);
    return text != nullptr ? std::strtoull(text, nullptr, 10) : fallback;
}

enum class Op { Mark, Edit, Back, Delete, Insert, InsertBytes, DeleteBytes, Replace };

// One recorded change of the plain model, with what it needs to undo itself.
struct RefAction {
    Op op = Op::Mark;
    std::uint8_t kind = 0;
    std::int32_t group = 0;
    std::int32_t pos = 0;
    std::int32_t length = 0; // run length (delete bytes, replace, insert bytes)
    Bytes with;              // pattern or replacement
    Bytes savedBytes, savedMarks;
    std::uint8_t saved = 0;
    bool applied = false;
};

struct RefModel {
    Bytes data, marks;
    std::int32_t changeCount = 0;
    std::vector<RefAction> list;
    std::int32_t undoIndex = -1;

    std::int32_t size() const { return static_cast<std::int32_t>(data.size()); }
    bool inside(std::int32_t p) const { return p >= 0 && p < size(); }

    void insertRun(std::int32_t p, const Bytes& bytes, const Bytes& codes) {
        data.insert(data.begin() + p, bytes.begin(), bytes.end());
        marks.insert(marks.begin() + p, codes.begin(), codes.end());
    }
    void eraseRun(std::int32_t p, std::int32_t n) {
        data.erase(data.begin() + p, data.begin() + p + n);
        marks.erase(marks.begin() + p, marks.begin() + p + n);
    }

    void perform(RefAction& a) {
        a.applied = false;
        switch (a.op) {
        case Op::Mark:
            if (inside(a.pos)) {
                a.saved = marks[a.pos];
                marks[a.pos] = a.with[0];
                a.applied = true;
            }
            return;
        case Op::Edit:
            if (inside(a.pos)) {
                a.saved = data[a.pos];
                data[a.pos] = a.with[0];
                a.applied = true;
            }
            break;
        case Op::Back:
            if (a.pos >= 1 && a.pos < size()) {
                a.savedBytes = {data[a.pos - 1]};
                a.savedMarks = {marks[a.pos - 1]};
                eraseRun(a.pos - 1, 1);
                a.applied = true;
            }
            break;
        case Op::Delete:
        case Op::DeleteBytes:
            if (a.length > 0 && inside(a.pos) && a.length <= size() - a.pos) {
                a.savedBytes.assign(data.begin() + a.pos, data.begin() + a.pos + a.length);
                a.savedMarks.assign(marks.begin() + a.pos, marks.begin() + a.pos + a.length);
                eraseRun(a.pos, a.length);
                a.applied = true;
            }
            break;
        case Op::Insert:
        case Op::InsertBytes:
            if (a.length > 0 && a.pos >= 0 && a.pos <= size()) {
                Bytes run;
                for (std::int32_t i = 0; i < a.length; ++i) {
                    run.push_back(a.with[i % a.with.size()]);
                }
                insertRun(a.pos, run, Bytes(run.size(), 0));
                a.applied = true;
            }
            break;
        case Op::Replace:
            if (a.length > 0 && inside(a.pos) && a.length <= size() - a.pos) {
                a.savedBytes.assign(data.begin() + a.pos, data.begin() + a.pos + a.length);
                Bytes kept(marks.begin() + a.pos,
                           marks.begin() + a.pos + std::min<std::size_t>(a.length, a.with.size()));
                kept.resize(a.with.size(), 0);
                eraseRun(a.pos, a.length);
                insertRun(a.pos, a.with, kept);
                a.applied = true;
            }
            break;
        }
        if (a.applied) {
            ++changeCount;
        }
    }

    void revert(RefAction& a) {
        if (!a.applied) {
            return;
        }
        switch (a.op) {
        case Op::Mark:
            marks[a.pos] = a.saved;
            return;
        case Op::Edit:
            data[a.pos] = a.saved;
            break;
        case Op::Back:
            insertRun(a.pos - 1, a.savedBytes, a.savedMarks);
            break;
        case Op::Delete:
        case Op::DeleteBytes:
            insertRun(a.pos, a.savedBytes, a.savedMarks);
            break;
        case Op::Insert:
        case Op::InsertBytes:
            eraseRun(a.pos, a.length);
            break;
        case Op::Replace: {
            Bytes kept(marks.begin() + a.pos,
                       marks.begin() + a.pos + std::min<std::size_t>(a.length, a.with.size()));
            kept.resize(a.length, 0);
            eraseRun(a.pos, static_cast<std::int32_t>(a.with.size()));
            insertRun(a.pos, a.savedBytes, kept);
            break;
        }
        }
        --changeCount;
    }

    void add(RefAction a) {
        list.resize(undoIndex + 1);
        if (list.size() >= 512) {
            list.erase(list.begin(), list.begin() + 256);
            undoIndex = static_cast<std::int32_t>(list.size()) - 1;
        }
        ++undoIndex;
        list.push_back(std::move(a));
        perform(list.back());
    }
    bool canUndo() const { return undoIndex >= 0; }
    bool canRedo() const { return undoIndex < static_cast<std::int32_t>(list.size()) - 1; }
    void undo() {
        if (!canUndo()) {
            return;
        }
        const std::int32_t g = list[undoIndex].group;
        while (canUndo() && list[undoIndex].group == g) {
            revert(list[undoIndex--]);
        }
    }
    void redo() {
        if (!canRedo()) {
            return;
        }
        const std::int32_t g = list[undoIndex + 1].group;
        while (canRedo() && list[undoIndex + 1].group == g) {
            perform(list[++undoIndex]);
        }
    }

    static std::string stepName(std::int32_t n, std::uint8_t kind) {
        static const std::map<int, std::string> names = {
            {0, "Mark"},   {1, "Change value"}, {2, "Back"},   {3, "Delete"},  {5, "Unmark"},
            {6, "Insert"}, {7, "Insert bytes"}, {9, "Append"}, {11, "Replace"}};
        return "(" + (n == 1 ? std::string() : std::to_string(n) + " * ") + names.at(kind) + ")";
    }
    std::string undoName() const {
        if (!canUndo()) {
            return "";
        }
        std::int32_t a = undoIndex;
        while (a >= 0 && list[a].group == list[undoIndex].group) {
            --a;
        }
        return stepName(undoIndex - a, list[undoIndex].kind);
    }
    std::string redoName() const {
        if (!canRedo()) {
            return "";
        }
        std::int32_t i = undoIndex;
        const std::int32_t g = list[undoIndex + 1].group;
        while (i < static_cast<std::int32_t>(list.size()) - 1 && list[i + 1].group == g) {
            ++i;
        }
        return stepName(i - undoIndex, list[undoIndex + 1].kind);
    }
};

TEST(HistoryRandom, MatchesThePlainModel) {
    const std::uint64_t seed = EnvNumber("VKO_HISTORY_SEED", 20261211);
    const std::uint64_t steps = EnvNumber("VKO_HISTORY_STEPS", 30000);
    SCOPED_TRACE("seed " + std::to_string(seed) + " (set VKO_HISTORY_SEED to repeat)");
    std::mt19937_64 rng(seed);
    auto below = [&](std::int32_t n) {
        return static_cast<std::int32_t>(rng() % static_cast<std::uint64_t>(n));
    };

    TEditorFixture f;
    RefModel ref;
    const Bytes start = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    f.Load(start);
    ref.data = start;
    ref.marks = Bytes(start.size(), 0);
    std::int32_t group = 0;
    std::int32_t trims = 0;

    for (std::uint64_t step = 0; step < steps; ++step) {
        const std::int32_t choice = below(100);
        if (choice < 12) {
            f.Actions.Undo();
            ref.undo();
        } else if (choice < 20) {
            f.Actions.Redo();
            ref.redo();
        } else {
            // Mostly a fresh operation; sometimes the same group as the last one, as a batch.
            if (below(4) != 0 || group == 0) {
                group = f.State.NextGroup();
            }
            const std::int32_t size = ref.size();
            // Valid positions mostly; now and then one just outside or far away.
            std::int32_t pos = size > 0 ? below(size) : 0;
            if (below(8) == 0) {
                pos = size + below(4) - 1 - (below(2) ? 0 : 3);
            }
            const bool show = below(2) == 0;
            const bool inChar = below(2) == 0;
            const std::uint8_t value = static_cast<std::uint8_t>(rng());
            const Op op = static_cast<Op>(below(8));
            RefAction r;
            r.op = op;
            r.group = group;
            r.pos = pos;
            std::unique_ptr<TAction> a;
            switch (op) {
            case Op::Mark: {
                const std::uint8_t code = static_cast<std::uint8_t>(below(7));
                r.kind = code == 0 ? akUnmark : akMark;
                r.with = {code};
                a = std::make_unique<TMarkAction>(r.kind, group, pos, inChar, code);
                break;
            }
            case Op::Edit:
                r.kind = akChangeValue;
                r.with = {value};
                a = std::make_unique<TEditAction>(r.kind, group, pos, inChar, value);
                break;
            case Op::Back:
                r.kind = akBack;
                a = std::make_unique<TBackspaceAction>(r.kind, group, pos, inChar);
                break;
            case Op::Delete:
                r.kind = akDelete;
                r.length = 1;
                a = std::make_unique<TDeleteAction>(r.kind, group, pos, inChar);
                break;
            case Op::Insert:
                if (size > 200) {
                    r.pos = pos = size + 5; // keep the document small: a stale insert
                }
                r.kind = below(2) ? akInsert : akAppend;
                r.length = 1;
                r.with = {0};
                a = std::make_unique<TInsertAction>(r.kind, group, pos, inChar);
                break;
            case Op::InsertBytes: {
                r.kind = akInsertBytes;
                r.length = size > 200 ? 0 : 1 + below(20);
                r.with.resize(1 + below(4));
                for (auto& b : r.with) {
                    b = static_cast<std::uint8_t>(rng());
                }
                a = std::make_unique<TInsertBytesAction>(r.kind, group, pos, inChar, r.length,
                                                         r.with.data(),
                                                         static_cast<std::int32_t>(r.with.size()));
                break;
            }
            case Op::DeleteBytes: {
                r.kind = akDelete;
                const std::int32_t count = 1 + below(30);
                r.length = ref.inside(pos) ? std::min(count, size - pos) : 0;
                a = std::make_unique<TDeleteBytesAction>(f.State, r.kind, group, pos, count,
                                                         inChar);
                break;
            }
            case Op::Replace: {
                r.kind = akReplace;
                const std::int32_t length = 1 + below(6);
                r.length = ref.inside(pos) && length <= size - pos ? length : 0;
                r.with.resize(below(7));
                for (auto& b : r.with) {
                    b = static_cast<std::uint8_t>(rng());
                }
                a = std::make_unique<TReplaceAction>(f.State, r.kind, group, pos, inChar, length,
                                                     r.with);
                break;
            }
            }
            const bool wasFull =
                ref.list.size() - (ref.undoIndex + 1) == 0 && ref.list.size() >= 512;
            trims += wasFull ? 1 : 0;
            ASSERT_TRUE(f.Actions.AddAction(std::move(a), show));
            if (!show && below(3) == 0) {
                f.Actions.UpdateView();
            }
            ref.add(std::move(r));
        }

        SCOPED_TRACE("step " + std::to_string(step));
        ASSERT_EQ(f.Doc.Size, ref.size());
        ASSERT_EQ(f.DataBytes(), ref.data);
        ASSERT_EQ(f.MarkCodes(), ref.marks);
        ASSERT_EQ(f.Doc.ChangeCount, ref.changeCount);
        ASSERT_EQ(f.Doc.DataCapacity, TByteDocument::CapacityFor(ref.size()));
        ASSERT_EQ(f.Doc.MarkCapacity, TByteDocument::CapacityFor(ref.size()));
        ASSERT_EQ(f.Doc.Data == nullptr, ref.size() == 0);
        ASSERT_EQ(f.Doc.Marks == nullptr, ref.size() == 0);
        ASSERT_EQ(f.Actions.CanUndo(), ref.canUndo());
        ASSERT_EQ(f.Actions.CanRedo(), ref.canRedo());
        ASSERT_EQ(f.Actions.Count(), static_cast<std::int32_t>(ref.list.size()));
        ASSERT_EQ(f.Actions.UndoName(), ref.undoName());
        ASSERT_EQ(f.Actions.RedoName(), ref.redoName());
        ASSERT_LE(f.Actions.Count(), 512);
    }
    EXPECT_GE(trims, 3) << "the run should cross the 512 bound several times";
}

} // namespace
