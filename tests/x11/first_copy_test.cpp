// Whether a copy takes itself for the first one decides where its window opens: at the stored
// place, or moved aside so that it does not cover a copy already open on the same display.

#include "x11/x_session.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using namespace x11;

// Far enough from the screen's edges that moving aside is never pulled back.
constexpr TPoint StoredPlace{200, 152};

enum class TDo { StartAtTheStoredPlace, StartMovedAside, Quit, Kill, Frame, List };

struct TStep {
    TDo Do;
    int Index = 0;  // the display for a start; else the copy, in the order they were started
    int Frames = 0; // for Frame
};

TStep AtStored(int display) {
    return {TDo::StartAtTheStoredPlace, display};
}
TStep Aside(int display) {
    return {TDo::StartMovedAside, display};
}
TStep Quit(int copy) {
    return {TDo::Quit, copy};
}
TStep Kill(int copy) {
    return {TDo::Kill, copy};
}
TStep Frame(int copy, int frames) {
    return {TDo::Frame, copy, frames};
}
TStep List(int copy) {
    return {TDo::List, copy};
}

struct TCase {
    const char* Name;
    std::vector<TStep> Steps;
};
void PrintTo(const TCase& c, std::ostream* out) {
    *out << c.Name;
}

const TCase Cases[] = {
    {"FirstCopyAtTheStoredPlace", {AtStored(0)}},
    {"SecondCopyMovedAside", {AtStored(0), Aside(0)}},
    {"ThirdCopyMovedAsideAfterTheFirstQuit", {AtStored(0), Aside(0), Quit(0), Aside(0)}},
    {"CopyOnAnotherDisplayAtTheStoredPlace", {AtStored(0), AtStored(1)}},
    {"CopyAfterAKilledOneAtTheStoredPlace", {AtStored(0), Kill(0), AtStored(0)}},
    // What a window manager does: clients inside frames, and its list of them for those deeper
    // than the walk down the tree goes.
    {"CopyInsideFramesSeen", {AtStored(0), Frame(0, 2), Aside(0)}},
    {"ListedCopyDeepInFramesSeen", {AtStored(0), Frame(0, 5), List(0), Aside(0)}},
};

bool StepAside(int d) {
    return d >= 8 && d <= 40 && d % 8 == 0;
}

class FirstCopy : public ::testing::TestWithParam<TCase> {
protected:
    // Declared so that the copies go first, then the frames, then the servers.
    std::vector<std::unique_ptr<TXServer>> Servers;
    TEditorUser User; // copies of one user share the settings and the runtime folder
    std::unique_ptr<TWindowManagerStandIn> Manager;
    std::vector<std::unique_ptr<TEditor>> Copies;

    TXServer& Server(int display) {
        while (static_cast<int>(Servers.size()) <= display) {
            Servers.push_back(std::make_unique<TXServer>());
            EXPECT_TRUE(Servers.back()->Ok()) << Servers.back()->Error();
        }
        return *Servers[display];
    }

    // A stored placement is used only with the dialog font it was stored with, so one run of the
    // editor stores its own before the place of our choosing goes in.
    void SetUp() override {
        ASSERT_TRUE(Server(0).Ok());
        TEditor editor(Server(0), User);
        ASSERT_NE(editor.WaitForMainWindow(), 0u) << editor.Log();
        ASSERT_TRUE(editor.Quit());
        ASSERT_EQ(editor.WaitForExit(), 0) << editor.Log();
        ASSERT_TRUE(User.StoredPlace().has_value());
        User.StorePlace(StoredPlace.X, StoredPlace.Y);
    }

    void Start(int display, bool aside) {
        ASSERT_TRUE(Server(display).Ok());
        const auto stored = User.StoredPlace();
        ASSERT_TRUE(stored.has_value());
        Copies.push_back(std::make_unique<TEditor>(Server(display), User));
        TEditor& copy = *Copies.back();
        ASSERT_NE(copy.WaitForMainWindow(), 0u) << copy.Log();
        const auto g = copy.Geometry();
        ASSERT_TRUE(g.has_value());
        if (!aside) {
            EXPECT_EQ(g->Place(), *stored);
            return;
        }
        const int right = g->X - stored->X;
        const int down = g->Y - stored->Y;
        EXPECT_TRUE(StepAside(right) && StepAside(down))
            << "at " << g->Place() << ", stored " << *stored;
    }

    TWindowManagerStandIn& WindowManager() {
        if (Manager == nullptr) {
            Manager = std::make_unique<TWindowManagerStandIn>(Server(0));
            EXPECT_TRUE(Manager->Ok());
        }
        return *Manager;
    }
};

TEST_P(FirstCopy, Opens) {
    const auto& steps = GetParam().Steps;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        SCOPED_TRACE("step " + std::to_string(i + 1));
        const TStep& s = steps[i];
        if (s.Do == TDo::StartAtTheStoredPlace || s.Do == TDo::StartMovedAside) {
            ASSERT_NO_FATAL_FAILURE(Start(s.Index, s.Do == TDo::StartMovedAside));
            continue;
        }
        ASSERT_LT(s.Index, static_cast<int>(Copies.size()));
        TEditor& copy = *Copies[s.Index];
        switch (s.Do) {
        case TDo::Quit:
            ASSERT_TRUE(copy.Quit());
            ASSERT_EQ(copy.WaitForExit(), 0) << copy.Log();
            break;
        case TDo::Kill:
            copy.Kill();
            break;
        case TDo::Frame:
            WindowManager().Frame(copy.MainWindow(), s.Frames);
            break;
        case TDo::List:
            WindowManager().List(copy.MainWindow());
            break;
        default:
            break;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Placement, FirstCopy, ::testing::ValuesIn(Cases),
                         [](const auto& info) { return std::string(info.param.Name); });

} // namespace
