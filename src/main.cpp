#include "VQVellicoApplication.h"

int main(int argc, char *argv[])
{
    VQVellicoApplication app(argc, argv);
    if (!app.isRunningInstance())
        return app.exitStatus();
    return app.exec();
}
