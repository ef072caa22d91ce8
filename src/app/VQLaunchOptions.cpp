#include "app/VQLaunchOptions.h"

#include "core/VQCopyTemplate.h"
#include "core/VQSampleMean.h"
#include "manual/VQManual.h"

namespace
{

struct CommandOption {
    const char *argument;
    VQLaunchOptions::Command command;
};
constexpr CommandOption kCommandOptions[] = {
    {"--copy", VQLaunchOptions::Command::Copy},
    {"--copy-alternate", VQLaunchOptions::Command::CopyAlternate},
    {"--paste", VQLaunchOptions::Command::Paste},
    {"--pick", VQLaunchOptions::Command::Pick},
};

std::optional<VQLaunchOptions::Command> commandForArgument(const QString &argument)
{
    for (const CommandOption &option : kCommandOptions) {
        if (argument == QLatin1String(option.argument))
            return option.command;
    }
    return std::nullopt;
}

const char *argumentForCommand(VQLaunchOptions::Command command)
{
    for (const CommandOption &option : kCommandOptions) {
        if (option.command == command)
            return option.argument;
    }
    return "";
}

// The number after the option words[i] (i moves on to it) when `valid` takes
// it; otherwise nothing, and `error` says that the option `needs` one or what
// it `takes`.
std::optional<int> numberAfter(const QStringList &words, qsizetype &i, bool (*valid)(int), const char *needs,
                               const char *takes, QString *error)
{
    const QString option = words[i];
    if (i + 1 >= words.size()) {
        *error = QStringLiteral("%1 needs %2.").arg(option, QLatin1String(needs));
        return std::nullopt;
    }
    bool ok = false;
    const int value = words[++i].toInt(&ok);
    if (ok && valid(value))
        return value;
    *error = QStringLiteral("%1 takes %2, not \"%3\".").arg(option, QLatin1String(takes), words[i]);
    return std::nullopt;
}

bool isCopyTemplate(int value)
{
    return VQCopyTemplateFromRawValue(value).has_value();
}

// Reads `words`; with `requestsOnly` everything but the requests is refused.
VQLaunchOptions parseWords(const QStringList &words, bool requestsOnly)
{
    VQLaunchOptions options;
    const auto fail = [&options](const QString &message) {
        options = VQLaunchOptions();
        options.error = message;
        return options;
    };
    int copyTemplate = -1, sampleSize = 0;
    bool templateGiven = false;
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QString &word = words[i];
        if (const auto command = commandForArgument(word)) {
            options.requests.append({*command});
        } else if (word == QLatin1String("--template")) {
            QString error;
            const std::optional<int> value =
                numberAfter(words, i, isCopyTemplate, "a format number: 0 to 16, or 100 on for your own",
                            "a format number (0 to 16, or 100 on for your own)", &error);
            if (!value)
                return fail(error);
            copyTemplate = *value;
            templateGiven = true;
        } else if (word == QLatin1String("--sample")) {
            QString error;
            const std::optional<int> value =
                numberAfter(words, i, VQIsSampleSize, "a size: 1, 3, 5 or 9", "a size of 1, 3, 5 or 9", &error);
            if (!value)
                return fail(error);
            sampleSize = *value;
        } else if (!requestsOnly && word == QLatin1String("--choose-library")) {
            options.chooseLibrary = true;
        } else if (!requestsOnly && (word == QLatin1String("--help") || word == QLatin1String("-h"))) {
            options.help = true;
        } else if (!requestsOnly && word == QLatin1String("--version")) {
            options.version = true;
        } else if (!requestsOnly && word == QLatin1String("--diagnose")) {
            options.diagnose = true;
        } else {
            return fail(QStringLiteral("Unknown argument \"%1\".").arg(word));
        }
    }
    if (templateGiven && !options.asksForPick())
        return fail(QStringLiteral("--template goes with --pick."));
    if (sampleSize && !options.asksForPick())
        return fail(QStringLiteral("--sample goes with --pick."));
    for (VQLaunchOptions::Request &request : options.requests) {
        if (request.command == VQLaunchOptions::Command::Pick) {
            request.copyTemplate = copyTemplate;
            request.sampleSize = sampleSize;
        }
    }
    return options;
}

} // namespace

VQLaunchOptions VQLaunchOptions::parse(const QStringList &arguments)
{
    // Qt takes its own options (-platform, -display…) out before we see them.
    return parseWords(arguments.mid(1), false);
}

VQLaunchOptions VQLaunchOptions::parseChannelMessage(const QString &message)
{
    return parseWords(message.split(QLatin1Char(' '), Qt::SkipEmptyParts), true);
}

QString VQLaunchOptions::channelMessage(const QList<Request> &requests)
{
    QStringList words;
    for (const Request &request : requests) {
        words << QString::fromLatin1(argumentForCommand(request.command));
        if (request.command == Command::Pick && request.copyTemplate >= 0)
            words << QStringLiteral("--template") << QString::number(request.copyTemplate);
        if (request.command == Command::Pick && request.sampleSize)
            words << QStringLiteral("--sample") << QString::number(request.sampleSize);
    }
    return words.join(QLatin1Char(' '));
}

bool VQLaunchOptions::asksForPick() const
{
    return std::any_of(requests.begin(), requests.end(),
                       [](const Request &request) { return request.command == Command::Pick; });
}

QString VQLaunchOptions::usage()
{
    return QString::fromStdString(VQManualHelpText(VQVellicoManual()));
}
