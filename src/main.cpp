#include "VQVellicoApplication.h"

int main(int argc, char *argv[])
{
    VQVellicoApplication app(argc, argv);
    return app.exec();
}
