#pragma once
// The one reader of Vellico's command line. A later start hands the commands it
// was given to the running Vellico as the same words, and the running one reads
// them with the same parser, so both ends always agree on what a command is.
//
//   vellico [--choose-library] [--copy] [--copy-alternate] [--paste]
//           [--pick [--template N] [--sample N]] [--diagnose] [--help] [--version]

#include <QString>
#include <QStringList>

#include <optional>

struct VQLaunchOptions {
    // What a running Vellico is asked to do, in the order given.
    enum class Command { Copy, CopyAlternate, Paste, Pick };
    struct Request {
        Command command;
        int copyTemplate = -1; // --pick --template N; -1 prints #RRGGBB
        int sampleSize = 0;    // --pick --sample N (1, 3, 5 or 9); 0: the size the loupe remembers
        friend bool operator==(const Request &, const Request &) = default;
    };

    QList<Request> requests;
    bool chooseLibrary = false;
    bool help = false;
    bool version = false;
    bool diagnose = false;
    // Set when the arguments could not be read; nothing else is then meaningful.
    QString error;

    // Reads a whole command line (the first argument is the program).
    static VQLaunchOptions parse(const QStringList &arguments);
    // Reads the words a later start sent over the instance channel: only
    // requests are taken there, anything else makes the message an error.
    static VQLaunchOptions parseChannelMessage(const QString &message);
    // The words that carry `requests` over the instance channel.
    static QString channelMessage(const QList<Request> &requests);

    bool asksForPick() const;
    static QString usage();
};
