// vellico-cli: the library without the desktop, for scripts and servers.

#include "cli/VQCommandLine.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Vellico"));
    const VQCommandResult result = VQRunCommandLine(QCoreApplication::arguments().mid(1));
    std::fputs(result.out.toUtf8().constData(), stdout);
    std::fputs(result.err.toUtf8().constData(), stderr);
    return result.status;
}
