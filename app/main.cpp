// ZOLT, the window program: the bearing capacity of shallow foundations.
#include "app/tpanapp.h"

int main(int argc, char** argv) {
    TPanApp app(argc, argv);
    return app.Run();
}
