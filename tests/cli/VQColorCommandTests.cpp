// vellico-cli parse, format and contrast: one colour, and a stream of lines.

#include "VQTestSupport.h"
#include "cli/VQCommandLine.h"
#include "core/VQCopyTemplate.h"
#include "core/VQUserFormats.h"
#include "manual/VQManual.h"
#include "vqcore/VQUserDefaults.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

namespace
{

struct CliRun {
    int status;
    QString out, err;
};

// The program itself, fed `input` on standard input.
CliRun runCli(const QStringList &arguments, const QByteArray &input = {})
{
    QProcess cli;
    cli.start(VELLICO_CLI_PATH, arguments);
    cli.write(input);
    cli.closeWriteChannel();
    EXPECT_TRUE(cli.waitForFinished(30000));
    return {cli.exitCode(), QString::fromUtf8(cli.readAllStandardOutput()),
            QString::fromUtf8(cli.readAllStandardError())};
}

} // namespace

TEST(ColourCommands, OneColourInEachShape)
{
    const struct {
        QStringList arguments;
        int status;
        const char *out;
        const char *err;
    } rows[] = {
        {{"format", "#20C040", "--as", "oklch"}, 0, "oklch(0.7056 0.21004 145.34)\n", ""},
        {{"format", "#20C040", "--template", "16"}, 0, "color(display-p3 0.3582 0.742 0.3229)\n", ""},
        {{"format", "hsl(120deg 100% 50%)", "--as", "HEX", "--lowercase"}, 0, "#00ff00\n", ""},
        {{"format", "cornflowerblue", "--as", "rgb"}, 0, "rgb(100, 149, 237)\n", ""},
        {{"parse", "#0f08"}, 0, "#00FF00\tRGB 0 1 0\n", ""},
        {{"contrast", "#777777", "white"},
         0,
         "4.47:1\nAA: fail, large text: pass\nAAA: fail, large text: fail\nLc 71.1\n",
         ""},
        {{"contrast", "white", "black"},
         0,
         "21:1\nAA: pass, large text: pass\nAAA: pass, large text: pass\nLc -107.9\n",
         ""},
        {{"parse", "oklch(0.5 0.1)"},
         1,
         "",
         "\"oklch(0.5 0.1)\" is not a color: oklch() needs lightness, chroma and hue"},
        {{"parse", "#12345"}, 1, "", "found 5"},
        {{"format", "red", "--as", "nope"}, 2, "", "unknown format \"nope\": the formats are hex-bare, hex,"},
        {{"format", "red", "--as", "hex", "--template", "1"}, 2, "", "not both"},
        {{"format", "red"}, 2, "", "format needs --template N (0–16) or --as NAME"},
        {{"contrast", "red"}, 2, "", "contrast takes two colors"},
        {{"name", "#FF8001"}, 0, "\u2248 Oriole\n", ""},
        {{"name", "cornflowerblue"}, 0, "cornflowerblue\n", ""},
        {{"name", "#123456"}, 0, "Incremental Blue\n", ""},
        {{"name", "nope123"}, 1, "", "\"nope123\" is not a color"},
        {{"search", "cornflower", "--limit", "2"}, 0, "Cornflower\t#5170D7\nCornflower Blue\t#6C91C5\n", ""},
        {{"search"}, 2, "", "search needs one or more words"},
        {{"search", "blue", "--limit", "0"}, 2, "", "--limit takes a number of names, 1 or more"},
        {{"search", "qqqzzz"}, 1, "", "no color name contains qqqzzz"},
        {{"contrast", "red", "rgb(1 2, 3)"}, 1, "", "the background \"rgb(1 2, 3)\" is not a color: rgb() separates"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.arguments.join(' ').toStdString());
        const VQCommandResult result = VQRunCommandLine(row.arguments);
        EXPECT_EQ(result.status, row.status);
        EXPECT_EQ(result.out.toStdString(), row.out);
        EXPECT_TRUE(result.err.contains(QString::fromUtf8(row.err))) << result.err.toStdString();
    }
}

TEST(ColourCommands, JsonCarriesTheUnroundedNumbers)
{
    const QJsonObject contrast =
        QJsonDocument::fromJson(VQRunCommandLine({"contrast", "#777", "#fff", "--json"}).out.toUtf8()).object();
    EXPECT_NEAR(contrast["ratio"].toDouble(), 4.478089453577214, 1e-12);
    EXPECT_FALSE(contrast["aa"]["normal"].toBool());
    EXPECT_TRUE(contrast["aa"]["large"].toBool());
    EXPECT_FALSE(contrast["aaa"]["normal"].toBool());
    EXPECT_FALSE(contrast["aaa"]["large"].toBool());
    EXPECT_NEAR(contrast["apca"].toDouble(), 71.11110332561125, 1e-9);

    const QJsonObject named =
        QJsonDocument::fromJson(VQRunCommandLine({"name", "#FF8001", "--json"}).out.toUtf8()).object();
    EXPECT_EQ(named["name"].toString(), "Oriole");
    EXPECT_EQ(named["hex"].toString(), "#FF8008");
    EXPECT_FALSE(named["exact"].toBool());
    EXPECT_FALSE(named["css"].toBool());
    EXPECT_NEAR(named["distance"].toDouble(), 0.0012518985327660403, 1e-9);
    const QJsonArray found =
        QJsonDocument::fromJson(VQRunCommandLine({"search", "ocean", "--limit", "1", "--json"}).out.toUtf8()).array();
    EXPECT_EQ(found, (QJsonArray{QJsonObject{{"name", "Ocean"}, {"hex", "#005493"}}}));
    EXPECT_TRUE(VQRunCommandLine({"--version"}).out.contains("color-name-list 14.51.0"));

    for (const auto &[text, mapped] : {std::pair{"color(display-p3 1 0 0)", true}, std::pair{"#f00", false}}) {
        const QJsonObject parsed =
            QJsonDocument::fromJson(VQRunCommandLine({"parse", text, "--json"}).out.toUtf8()).object();
        EXPECT_EQ(parsed["gamutMapped"].toBool(), mapped) << text;
        EXPECT_TRUE(parsed["hex"].toString().startsWith("#FF")) << text;
    }
}

// Every name --as takes, as the manual lists them, is the format of that number.
TEST(ColourCommands, TheFormatNamesAreTheManualsInNumberOrder)
{
    const VQManualSection *options = VQVellicoCliManual().section("OPTIONS");
    ASSERT_NE(options, nullptr);
    const auto as = std::find_if(options->items.begin(), options->items.end(),
                                 [](const VQManualItem &item) { return item.term == "--as NAME"; });
    ASSERT_NE(as, options->items.end());
    ASSERT_EQ(as->values.size(), std::size_t(VQCopyTemplateCount));
    for (int raw = 0; raw < VQCopyTemplateCount; ++raw) {
        const QString name = QString::fromStdString(as->values[raw]);
        EXPECT_EQ(VQCopyTemplateFromName(name), VQCopyTemplate(raw)) << as->values[raw];
        EXPECT_EQ(VQCopyTemplateName(VQCopyTemplate(raw)), name);
        EXPECT_EQ(VQRunCommandLine({"format", "#20C040", "--as", name}).out,
                  VQRunCommandLine({"format", "#20C040", "--template", QString::number(raw)}).out);
    }
}

TEST(ColourCommands, LinesFromStandardInputAreAnsweredOneForOne)
{
    // An empty line and the last line without a newline count too; "\r\n" ends a line.
    const QByteArray input = "#fff\nfoo\n\noklch(0.7 0.4 150)\r\nrgb(1 2, 3)\nhwb(30 0% 0%)";
    const CliRun formatted = runCli({"format", "-", "--as", "oklch"}, input);
    EXPECT_EQ(formatted.status, 1);
    EXPECT_EQ(formatted.out.toStdString(),
              "oklch(1 0 0)\n\n\noklch(0.7091 0.21039 147.06)\n\noklch(0.7311 0.18611 52.78)\n");
    for (const char *message :
         {"line 2: \"foo\" is not a color: expected a hex color", "line 3: \"\" is not a color: expected a hex color",
          "line 5: \"rgb(1 2, 3)\" is not a color", "3 of 6 lines were not colors"})
        EXPECT_TRUE(formatted.err.contains(QString::fromUtf8(message))) << message << "\n"
                                                                        << formatted.err.toStdString();

    const CliRun parsed = runCli({"parse", "-", "--json"}, "color(display-p3 1 0 0)\nnope\nred\n");
    const QStringList lines = parsed.out.split('\n');
    ASSERT_EQ(lines.size(), 4); // three answers and the end
    EXPECT_TRUE(QJsonDocument::fromJson(lines[0].toUtf8())["gamutMapped"].toBool());
    EXPECT_TRUE(lines[1].isEmpty());
    EXPECT_EQ(QJsonDocument::fromJson(lines[2].toUtf8())["hex"].toString(), "#FF0000");
    EXPECT_FALSE(lines[0].contains('\n') || lines[0].contains("    ")) << "one compact object a line";
    EXPECT_EQ(parsed.status, 1);

    EXPECT_EQ(runCli({"format", "-", "--as", "hex"}, "red\nblue\n").status, 0);
    const CliRun named = runCli({"name", "-"}, "#ff8001\ncornflowerblue\n#12345\n");
    EXPECT_EQ(named.out.toStdString(), "\u2248 Oriole\ncornflowerblue\n\n");
    EXPECT_TRUE(named.err.contains("line 3: \"#12345\" is not a color")) << named.err.toStdString();
    EXPECT_TRUE(named.err.contains("1 of 3 lines was not a color")) << named.err.toStdString();

    // A NUL or a terminal's escape in a line is shown, not passed to the terminal.
    const CliRun controls = runCli({"parse", "-"}, QByteArray("a\0b\n\x1b]0;x\x07\nred\n", 15));
    EXPECT_EQ(controls.status, 1);
    for (const char *message : {"line 1: \"a\\x00b\" is not a color", "line 2: \"\\x1B]0;x\\x07\" is not a color",
                                "2 of 3 lines were not colors"})
        EXPECT_TRUE(controls.err.contains(QString::fromUtf8(message))) << message << "\n" << controls.err.toStdString();
    EXPECT_FALSE(controls.err.contains(QChar(0x1B)) || controls.err.contains(QChar(0)));
}

// Each line is answered before the next one is written: a script can talk to it.
TEST(ColourCommands, AnswersComeAsTheLinesDo)
{
    QProcess cli;
    cli.start(VELLICO_CLI_PATH, {"format", "-", "--as", "hex"});
    ASSERT_TRUE(cli.waitForStarted());
    for (const auto &[line, answer] : {std::pair{"red\n", "#FF0000\n"}, std::pair{"lime\n", "#00FF00\n"}}) {
        cli.write(line);
        QByteArray got;
        while (!got.endsWith('\n') && cli.waitForReadyRead(10000))
            got += cli.readAllStandardOutput();
        EXPECT_EQ(got.toStdString(), answer);
    }
    cli.closeWriteChannel();
    EXPECT_TRUE(cli.waitForFinished(10000));
    EXPECT_EQ(cli.exitCode(), 0);
}

class UserFormatCommandTest : public VQLibraryTest
{
};

// A format of the user's own is a name for --as and a number for --template, for one colour and for lines.
TEST_F(UserFormatCommandTest, FormatTakesTheUsersFormatsByNameAndNumber)
{
    VQStoreUserFormats(VQUserDefaults::standard(), {{"Flutter", "Color(0xFF{HEX})"}, {"Broken", "{rgb.q}"}});
    EXPECT_EQ(VQRunCommandLine({"format", "#FF8000", "--as", "flutter"}).out, "Color(0xFFFF8000)\n");
    EXPECT_EQ(VQRunCommandLine({"format", "#FF8000", "--template", "100"}).out, "Color(0xFFFF8000)\n");
    const VQCommandResult broken = VQRunCommandLine({"format", "red", "--as", "Broken"});
    EXPECT_EQ(broken.status, 1);
    EXPECT_TRUE(broken.err.contains("the format \"Broken\" has a template that is not valid: {rgb.q}"))
        << broken.err.toStdString();
    EXPECT_TRUE(VQRunCommandLine({"format", "red", "--as", "nope"}).err.contains("display-p3, Flutter, Broken"));

    // Lines in and out in process, through the streams the command is given.
    char input[] = "red\nblue\n";
    std::FILE *in = fmemopen(input, sizeof input - 1, "r");
    char *written = nullptr;
    std::size_t size = 0;
    std::FILE *out = open_memstream(&written, &size);
    const VQCommandResult lines = VQRunCommandLine({"format", "-", "--as", "Flutter"}, {in, out, stderr});
    std::fclose(in);
    std::fclose(out);
    EXPECT_EQ(lines.status, 0);
    EXPECT_EQ(std::string(written, size), "Color(0xFFFF0000)\nColor(0xFF0000FF)\n");
    std::free(written);
}
