// A typed digit in the main window, from key press to the repainted cell, for a 1 KiB and a
// 1 GiB document: typing overwrites one byte and must not depend on the document size.

#include "core/edit_commands.h"
#include "core/editor_state.h"
#include "files/file_commands.h"
#include "platform/deferred_host.h"
#include "view/main_form.h"

#include <QApplication>
#include <QKeyEvent>

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>

namespace {

struct TWindowUnderTest {
    TDeferredHost Host;
    TEditorState State{Host};
    TFileCommands Files{State};
    TEditCommands Edit{State};
    std::unique_ptr<TVkoEditorMainForm> Form;

    explicit TWindowUnderTest(std::int32_t size) {
        TMainFormSetup setup;
        setup.Host = &Host;
        Form = std::make_unique<TVkoEditorMainForm>(State, Files, Edit, setup);
        Form->ApplyLanguage();
        TByteDocument& doc = State.Doc;
        doc.FitDataCapacity(size);
        doc.FitMarkCapacity(size);
        doc.Size = size;
        std::memset(doc.Data, 0x41, static_cast<std::size_t>(size));
        std::memset(doc.Marks, 0, static_cast<std::size_t>(size));
        Form->RequestRelayout();
        Form->show();
        QApplication::processEvents();
    }

    void Type(char key) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A + (key - 'A'), Qt::NoModifier,
                        QString(QChar(key)));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_A + (key - 'A'), Qt::NoModifier,
                          QString(QChar(key)));
        QApplication::sendEvent(Form.get(), &press);
        QApplication::sendEvent(Form.get(), &release);
    }
};

void BM_TypeDigit(benchmark::State& st) {
    TWindowUnderTest w(static_cast<std::int32_t>(st.range(0)));
    // In the middle of the document, so that a tail move would show in the 1 GiB run.
    const std::int32_t at = w.State.Doc.Size / 2;
    for (auto _ : st) {
        st.PauseTiming();
        w.State.Geo.PlaceCursor(at % 16 * 2, at / 16, true); // the first digit of the byte
        st.ResumeTiming();
        w.Type('B');
    }
    if (w.State.Doc.Data[at] != 0xB1) {
        st.SkipWithError("the digit did not arrive");
    }
}

} // namespace

BENCHMARK(BM_TypeDigit)
    ->Arg(1024)
    ->Arg(1024 * 1024 * 1024)
    ->Unit(benchmark::kMicrosecond)
    ->ArgName("bytes");
