#include "platform/command_line.h"
#include "view/editor_app.h"

#include <QApplication>

int main(int argc, char** argv) {
    // The file names are taken out before Qt sees the arguments: Qt would take a file named like
    // one of its options for that option, and it decodes what it leaves into text.
    TCommandLine line(argc, argv, NameExists);
    QApplication app(line.ToolkitArgc(), line.ToolkitArgv());
    TEditorRun run;
    run.Arguments = line.ProgramArguments();
    return RunEditor(run);
}
