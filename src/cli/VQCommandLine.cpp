#include "cli/VQCommandLine_p.h"

#include "core/VQJson.h"
#include "core/VQSwatchCore.h"
#include "core/VQSwatchDatabaseURL.h"

#include <QDir>

namespace
{

const char *kUsage = "usage: vellico-cli library list [--library PATH] [--json]\n"
                     "       vellico-cli parse TEXT [--json]\n"
                     "       vellico-cli format TEXT --template N [--lowercase] [--json]\n"
                     "       vellico-cli import FILE [--into LIBRARY] [--json]\n"
                     "       vellico-cli export --format gpl|ase|css|json [--library PATH]\n"
                     "                          [--collection TITLE]... --output FILE|-\n"
                     "       vellico-cli merge LOCAL REMOTE [--json]\n"
                     "       vellico-cli sync --folder DIR [--library PATH] [--json]\n";

// Options that take a value; every other "--name" is a flag, checked against kFlags.
const QStringList kValueOptions = {QStringLiteral("library"),  QStringLiteral("into"),   QStringLiteral("folder"),
                                   QStringLiteral("template"), QStringLiteral("format"), QStringLiteral("collection"),
                                   QStringLiteral("output")};
const QStringList kFlags = {QStringLiteral("json"), QStringLiteral("lowercase")};

VQCliOptions parse(const QStringList &arguments, QString *error)
{
    VQCliOptions options;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &arg = arguments[i];
        if (arg == QLatin1String("--")) {
            // Everything after "--" is an operand, even when it starts with dashes.
            options.positional << arguments.mid(i + 1);
            break;
        }
        if (!arg.startsWith(QLatin1String("--"))) {
            options.positional << arg;
            continue;
        }
        const QString name = arg.mid(2).section(QLatin1Char('='), 0, 0);
        if (kValueOptions.contains(name)) {
            if (arg.contains(QLatin1Char('='))) {
                options.values.insert(name, arg.section(QLatin1Char('='), 1));
            } else if (i + 1 < arguments.size()) {
                options.values.insert(name, arguments[++i]);
            } else {
                *error = QStringLiteral("--%1 needs a value").arg(name);
                return options;
            }
            options.allValues[name] << options.values.value(name);
        } else if (kFlags.contains(name) && !arg.contains(QLatin1Char('='))) {
            options.flags.insert(name);
        } else {
            *error = QStringLiteral("unknown option %1").arg(arg);
            return options;
        }
    }
    return options;
}

} // namespace

QString VQCliDescribeCollection(const VQSwatchCollection &collection)
{
    const std::vector<VQColorRef> colors = collection.colors();
    QStringList hexes;
    for (const VQColorRef &color : colors)
        hexes << color->hexValue();
    const QString title = collection.title().isEmpty() ? QStringLiteral("(untitled)") : collection.title();
    return QStringLiteral("%1\t%2 color%3\t%4\n")
        .arg(title)
        .arg(colors.size())
        .arg(colors.size() == 1 ? QString() : QStringLiteral("s"))
        .arg(hexes.join(QLatin1Char(' ')));
}

VQCommandResult VQCliUsageError(const QString &message)
{
    return {2, QString(), message + QLatin1Char('\n') + QString::fromLatin1(kUsage)};
}

VQCommandResult VQCliFailure(const QString &message)
{
    return {1, QString(), message + QLatin1Char('\n')};
}

QString VQCliAbsolutePath(const QString &path)
{
    return QDir::current().absoluteFilePath(path);
}

VQCommandResult VQCliLibraryList(const VQCliOptions &options)
{
    const QString path = options.has("library") ? VQCliAbsolutePath(options.value("library")) : VQDefaultLibraryPath();
    QString error;
    std::unique_ptr<VQSwatchCore> core = VQSwatchCore::openDetached(path, &error);
    if (!core)
        return VQCliFailure(error);
    VQCommandResult result;
    if (options.json()) {
        result.out = QString::fromUtf8(VQJson::print(VQJson::library(*core)));
    } else {
        for (const VQSwatchCollectionRef &collection : core->allCollections())
            result.out += VQCliDescribeCollection(*collection);
    }
    return result;
}

VQCommandResult VQRunCommandLine(const QStringList &arguments)
{
    QString error;
    const VQCliOptions options = parse(arguments, &error);
    if (!error.isEmpty())
        return VQCliUsageError(error);
    const QStringList &words = options.positional;
    if (words.size() == 2 && words[0] == QLatin1String("library") && words[1] == QLatin1String("list"))
        return VQCliLibraryList(options);
    if (!words.isEmpty() && words[0] == QLatin1String("parse"))
        return VQCliParse(options);
    if (!words.isEmpty() && words[0] == QLatin1String("format"))
        return VQCliFormat(options);
    if (!words.isEmpty() && words[0] == QLatin1String("sync"))
        return VQCliSync(options);
    if (!words.isEmpty() && words[0] == QLatin1String("merge"))
        return VQCliMerge(options);
    if (!words.isEmpty() && words[0] == QLatin1String("import"))
        return VQCliImport(options);
    if (!words.isEmpty() && words[0] == QLatin1String("export"))
        return VQCliExport(options);
    if (words.isEmpty())
        return VQCliUsageError(QStringLiteral("no command given"));
    return VQCliUsageError(QStringLiteral("unknown command: %1").arg(words.join(QLatin1Char(' '))));
}
