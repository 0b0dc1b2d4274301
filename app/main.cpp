// ZOLT, the window program: the bearing capacity of shallow foundations.
#include "app/tpanapp.h"
#include "model/file_io.h"

int main(int argc, char** argv) {
    // Before any file is opened: a data file that got descriptor 2 would
    // receive Qt's messages.
    if (!zolt::openClosedStandardStreams())
        return 1;
    TPanApp app(argc, argv);
    return app.Run();
}
