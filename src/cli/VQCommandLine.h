#pragma once
// vellico-cli's commands, callable in-process (the tests run them this way).
//
//   vellico-cli library list [--library PATH] [--json]
//   vellico-cli sync --folder DIR [--library PATH] [--json]
//   vellico-cli merge LOCAL REMOTE [--json]
//   vellico-cli import FILE [--into LIBRARY] [--json]
//   vellico-cli export --format gpl|ase|css|json [--library PATH] [--collection TITLE]... --output FILE

#include <QStringList>
#include <QTextStream>

struct VQCommandResult {
    int status = 0;
    QString out;
    QString err;
};

// `arguments` without the program name.
VQCommandResult VQRunCommandLine(const QStringList &arguments);
