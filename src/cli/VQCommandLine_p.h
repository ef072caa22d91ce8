#pragma once
// Shared by vellico-cli's command files: the parsed arguments and the result helpers.

#include "cli/VQCommandLine.h"
#include "core/VQSwatchCollection.h"

#include <QHash>
#include <QSet>

struct VQCliOptions {
    QStringList positional;                // the command words and its operands
    QHash<QString, QString> values;        // "--name VALUE" or "--name=VALUE", keyed without the dashes (the last)
    QHash<QString, QStringList> allValues; // every value of an option given more than once, in order
    QSet<QString> flags;                   // "--name", keyed without the dashes

    bool json() const { return flags.contains(QStringLiteral("json")); }
    bool flag(const char *name) const { return flags.contains(QLatin1String(name)); }
    QString value(const char *name) const { return values.value(QLatin1String(name)); }
    bool has(const char *name) const { return values.contains(QLatin1String(name)); }
    QStringList valuesOf(const char *name) const { return allValues.value(QLatin1String(name)); }
};

// Exit status 2 and the usage text: the command line itself was wrong.
VQCommandResult VQCliUsageError(const QString &message);
// Exit status 1 and the message on standard error: the command could not be carried out.
VQCommandResult VQCliFailure(const QString &message);
// A path given on the command line, made absolute against the working directory.
QString VQCliAbsolutePath(const QString &path);

// "TITLE<tab>N colours<tab>#RRGGBB …", one line.
QString VQCliDescribeCollection(const VQSwatchCollection &collection);

// One function per command family; each gets the words after the dispatch.
VQCommandResult VQCliLibraryList(const VQCliOptions &options);
VQCommandResult VQCliParse(const VQCliOptions &options, const VQCliStreams &streams);  // VQColorCommands.cpp
VQCommandResult VQCliFormat(const VQCliOptions &options, const VQCliStreams &streams); // VQColorCommands.cpp
VQCommandResult VQCliContrast(const VQCliOptions &options);                            // VQColorCommands.cpp
VQCommandResult VQCliName(const VQCliOptions &options, const VQCliStreams &streams);   // VQColorCommands.cpp
VQCommandResult VQCliSearch(const VQCliOptions &options);                              // VQColorCommands.cpp
VQCommandResult VQCliSync(const VQCliOptions &options);                                // VQCliSync.cpp
VQCommandResult VQCliMerge(const VQCliOptions &options);                               // VQCliMerge.cpp
VQCommandResult VQCliHistory(const VQCliOptions &options);                             // VQHistoryCommand.cpp
// import FILE [--into LIBRARY]
VQCommandResult VQCliImport(const VQCliOptions &options);
// export --format F [--library PATH] [--collection TITLE]... --output FILE
VQCommandResult VQCliExport(const VQCliOptions &options); // VQExportCommand.cpp
