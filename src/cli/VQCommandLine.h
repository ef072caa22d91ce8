#pragma once
// vellico-cli's commands, callable in-process (the tests run them this way).
//
//   vellico-cli library list [--library PATH] [--json]
//   vellico-cli sync --folder DIR [--library PATH] [--json]
//   vellico-cli merge LOCAL REMOTE [--json]
//   vellico-cli import FILE [--into LIBRARY] [--json]
//   vellico-cli export --format gpl|ase|css|json [--library PATH] [--collection TITLE]... --output FILE
//   vellico-cli parse TEXT|- [--json]
//   vellico-cli format TEXT|- (--template N | --as NAME) [--lowercase] [--json]
//   vellico-cli contrast FOREGROUND BACKGROUND [--json]
//   vellico-cli name COLOR|- [--json]
//   vellico-cli search WORDS... [--limit N] [--json]

#include <QStringList>
#include <QTextStream>

#include <cstdio>

struct VQCommandResult {
    int status = 0;
    QString out;
    QString err;
};

// Where the commands that stream ("parse -", "format -", "name -") read their
// lines and write their answers as they go; what they return adds the final
// status and summary.
struct VQCliStreams {
    std::FILE *in = stdin;
    std::FILE *out = stdout;
    std::FILE *err = stderr;
};

// `arguments` without the program name.
VQCommandResult VQRunCommandLine(const QStringList &arguments, const VQCliStreams &streams = VQCliStreams());
