#include "VQCommandLine.h"

#include "VQJson.h"
#include "VQSwatchCore.h"
#include "VQSwatchDatabaseURL.h"

#include <QDir>

namespace {

const char *kUsage = "usage: vellico-cli library list [--library PATH] [--json]\n";

struct Options {
    QStringList positional;
    QString library;
    bool json = false;
    QString error;
};

Options parse(const QStringList &arguments)
{
    Options options;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &arg = arguments[i];
        if (arg == QLatin1String("--json")) {
            options.json = true;
        } else if (arg == QLatin1String("--library") || arg.startsWith(QLatin1String("--library="))) {
            if (arg.contains(QLatin1Char('='))) {
                options.library = arg.section(QLatin1Char('='), 1);
            } else if (i + 1 < arguments.size()) {
                options.library = arguments[++i];
            } else {
                options.error = QStringLiteral("--library needs a path");
                return options;
            }
        } else if (arg.startsWith(QLatin1String("--"))) {
            options.error = QStringLiteral("unknown option %1").arg(arg);
            return options;
        } else {
            options.positional << arg;
        }
    }
    return options;
}

VQCommandResult usageError(const QString &message)
{
    return {2, QString(), message + QLatin1Char('\n') + QString::fromLatin1(kUsage)};
}

QString describeCollection(const VQSwatchCollection &collection)
{
    const std::vector<VQColorRef> colors = collection.colors();
    QStringList hexes;
    for (const VQColorRef &color : colors)
        hexes << color->hexValue();
    const QString title = collection.title().isEmpty() ? QStringLiteral("(untitled)") : collection.title();
    return QStringLiteral("%1\t%2 colour%3\t%4\n")
        .arg(title)
        .arg(colors.size())
        .arg(colors.size() == 1 ? QString() : QStringLiteral("s"))
        .arg(hexes.join(QLatin1Char(' ')));
}

VQCommandResult libraryList(const Options &options)
{
    const QString path = options.library.isEmpty() ? VQDefaultLibraryPath() : QDir::current().absoluteFilePath(options.library);
    QString error;
    std::unique_ptr<VQSwatchCore> core = VQSwatchCore::openDetached(path, &error);
    if (!core)
        return {1, QString(), error + QLatin1Char('\n')};
    VQCommandResult result;
    if (options.json) {
        result.out = QString::fromUtf8(VQJson::print(VQJson::library(*core)));
    } else {
        for (const VQSwatchCollectionRef &collection : core->allCollections())
            result.out += describeCollection(*collection);
    }
    return result;
}

} // namespace

VQCommandResult VQRunCommandLine(const QStringList &arguments)
{
    const Options options = parse(arguments);
    if (!options.error.isEmpty())
        return usageError(options.error);
    const QStringList &words = options.positional;
    if (words.size() == 2 && words[0] == QLatin1String("library") && words[1] == QLatin1String("list"))
        return libraryList(options);
    if (words.isEmpty())
        return usageError(QStringLiteral("no command given"));
    return usageError(QStringLiteral("unknown command: %1").arg(words.join(QLatin1Char(' '))));
}
