// ZOLT, the window program: the bearing capacity of shallow foundations.
// `zolt FILE` opens the project FILE (or the data file, for ".dat").
#include "app/tpanapp.h"
#include "model/file_io.h"

int main(int argc, char** argv) {
    // Before any file is opened: a data file that got descriptor 2 would
    // receive Qt's messages.
    if (!zolt::openClosedStandardStreams())
        return 1;
    TPanApp app(argc, argv);
    // Qt has taken its own options out of the arguments by now.
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() > 1)
        app.StartFile = arguments.at(1);
    return app.Run();
}
