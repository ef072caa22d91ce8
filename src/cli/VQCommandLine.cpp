#include "cli/VQCommandLine_p.h"

#include "core/VQColorNames.h"
#include "core/VQJson.h"
#include "core/VQSwatchCore.h"
#include "core/VQSwatchDatabaseURL.h"
#include "manual/VQManual.h"

#include <QDir>

namespace
{

QString usage()
{
    return QString::fromStdString(VQManualUsage(VQVellicoCliManual()));
}

// The options the manual documents; those with an argument take a value, the
// others are flags. The parser knows no option the manual does not list.
const std::vector<VQManualOption> &knownOptions()
{
    static const std::vector<VQManualOption> options = VQManualOptions(VQVellicoCliManual());
    return options;
}

const VQManualOption *findOption(const QString &name)
{
    for (const VQManualOption &option : knownOptions()) {
        if (name == QLatin1String(option.name.c_str()))
            return &option;
    }
    return nullptr;
}

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
        if (arg == QLatin1String("-h")) {
            options.flags.insert(QStringLiteral("help"));
            continue;
        }
        if (!arg.startsWith(QLatin1String("--"))) {
            options.positional << arg;
            continue;
        }
        const QString name = arg.mid(2).section(QLatin1Char('='), 0, 0);
        const VQManualOption *option = findOption(name);
        if (option && option->takesValue) {
            if (arg.contains(QLatin1Char('='))) {
                options.values.insert(name, arg.section(QLatin1Char('='), 1));
            } else if (i + 1 < arguments.size()) {
                options.values.insert(name, arguments[++i]);
            } else {
                *error = QStringLiteral("--%1 needs a value").arg(name);
                return options;
            }
            options.allValues[name] << options.values.value(name);
        } else if (option && !arg.contains(QLatin1Char('='))) {
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
    return {2, QString(), message + QLatin1Char('\n') + usage()};
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
    const VQLibraryOpenResult opened = VQSwatchCore::open(path);
    if (!opened.core)
        return VQCliFailure(opened.error->message);
    const VQSwatchCore *core = opened.core.get();
    VQCommandResult result;
    if (options.json()) {
        result.out = QString::fromUtf8(VQJson::print(VQJson::library(*core)));
    } else {
        for (const VQSwatchCollectionRef &collection : core->allCollections())
            result.out += VQCliDescribeCollection(*collection);
    }
    return result;
}

VQCommandResult VQRunCommandLine(const QStringList &arguments, const VQCliStreams &streams)
{
    QString error;
    const VQCliOptions options = parse(arguments, &error);
    if (!error.isEmpty())
        return VQCliUsageError(error);
    if (options.flag("help"))
        return {0, QString::fromStdString(VQManualHelpText(VQVellicoCliManual())), QString()};
    if (options.flag("version"))
        return {
            0, QStringLiteral("vellico-cli %1\n%2\n").arg(QStringLiteral(VELLICO_VERSION), VQColorNames::attribution()),
            QString()};
    const QStringList &words = options.positional;
    if (words.size() == 2 && words[0] == QLatin1String("library") && words[1] == QLatin1String("list"))
        return VQCliLibraryList(options);
    if (!words.isEmpty() && words[0] == QLatin1String("parse"))
        return VQCliParse(options, streams);
    if (!words.isEmpty() && words[0] == QLatin1String("format"))
        return VQCliFormat(options, streams);
    if (!words.isEmpty() && words[0] == QLatin1String("contrast"))
        return VQCliContrast(options);
    if (!words.isEmpty() && words[0] == QLatin1String("name"))
        return VQCliName(options, streams);
    if (!words.isEmpty() && words[0] == QLatin1String("search"))
        return VQCliSearch(options);
    if (!words.isEmpty() && words[0] == QLatin1String("history"))
        return VQCliHistory(options);
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
