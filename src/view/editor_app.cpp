#include "view/editor_app.h"

#include "core/edit_commands.h"
#include "core/editor_state.h"
#include "dialogs/message_form.h"
#include "files/file_commands.h"
#include "files/ini_settings_store.h"
#include "files/system_defaults.h"
#include "platform/deferred_host.h"
#include "platform/first_instance.h"
#include "view/main_form.h"

#include <QApplication>
#include <QFontMetrics>
#include <QTimer>

namespace {

// Average character width in the low and line height in the high 16 bits, of the font dialogs
// use. A changed system font makes a stored window placement meaningless.
std::int32_t DialogBaseUnits() {
    const QFontMetrics m(QApplication::font());
    return (m.height() << 16) | (m.averageCharWidth() & 0xFFFF);
}

} // namespace

int RunEditor(const TEditorRun& run) {
    // The application's name only: a display name would be appended to every window title.
    QApplication::setApplicationName("Vantrokelmissory");

    // Before any window: the first-copy flag, the language and settings, the empty document.
    const bool firstInstance = !MainWindowExists();
    TIniSettingsStore store;
    TDeferredHost host;
    TEditorState state(host);
    LoadSettings(store, SystemSettingsDefaults(), state.Settings, state.Geo.HexMode,
                 state.Language);
    SetMessageDialogLanguage([&state] { return state.Language; });

    TMainFormSetup setup;
    setup.FirstInstance = firstInstance;
    setup.DialogBaseUnits = DialogBaseUnits();
    setup.Host = &host;
    setup.Arguments = run.Arguments;

    int result = 0;
    {
        TFileCommands files(state);
        TEditCommands edit(state);
        TVkoEditorMainForm form(state, files, edit, setup);
        MarkAsMainWindow(form); // before it is shown, so no later copy misses it
        form.ApplyLanguage();
        form.show();
        if (run.OnShown) {
            QTimer::singleShot(0, &form, [&form, &run] { run.OnShown(form); });
        }
        result = QApplication::exec();
    } // the window is gone here and has stored its placement

    state.Actions.Forget();
    state.Doc.FitMarkCapacity(0);
    state.Doc.FitDataCapacity(0);
    SaveSettings(store, state.Settings, state.Geo.HexMode, state.Language, setup.DialogBaseUnits);
    SetMessageDialogLanguage(nullptr);
    return result;
}
