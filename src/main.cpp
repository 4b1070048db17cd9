#include "view/editor_app.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    TEditorRun run;
    run.Arguments = QApplication::arguments().mid(1);
    return RunEditor(run);
}
