// The one manual behind --help, the man pages and the completion: how it is
// written out, and that both programs' parsers take exactly what it lists.

#include "cli/VQCommandLine.h"
#include "manual/VQManual.h"

#include <gtest/gtest.h>

#include <sstream>

TEST(VQManual, RoffMarksLiteralsArgumentsAndEscapes)
{
    VQManualPage page;
    page.name = "tool";
    page.summary = "does things";
    page.synopsis = {"tool list [--library PATH]"};
    page.description = "First.\n\nSecond -- with a \\ backslash.";
    page.sections = {{"SETTINGS", ".starts with a dot", {{"VQCopyType=N", "a key"}, {"-h, --help", "help"}}}};
    const struct {
        const char *line;
    } rows[] = {
        {".TH TOOL 1 \"2026-01-02\" \"Vellico 1.2.3\" \"User Commands\"\n"},
        {"tool \\- does things\n"},
        {"\\fBtool\\fR \\fBlist\\fR [\\fB\\-\\-library\\fR\\ \\fIPATH\\fR]\n"},
        {"First.\n.PP\nSecond \\-\\- with a \\e backslash.\n"},
        {"\\&.starts with a dot\n"},
        {".TP\n\\fBVQCopyType\\fR=\\fIN\\fR\na key\n"},
        {".TP\n\\fB\\-h\\fR, \\fB\\-\\-help\\fR\nhelp\n"},
    };
    const std::string roff = VQManualRoff(page, "1.2.3", "2026-01-02");
    for (const auto &row : rows)
        EXPECT_NE(roff.find(row.line), std::string::npos) << row.line << "\nin:\n" << roff;
}

TEST(VQManual, HelpFitsEightyColumns)
{
    for (const VQManualPage *page : {&VQVellicoManual(), &VQVellicoCliManual()}) {
        std::istringstream help(VQManualHelpText(*page));
        std::string line;
        while (std::getline(help, line))
            EXPECT_LE(line.size(), 80u) << line;
    }
}

// vellico-cli's parser knows the manual's options and no others; --help prints the manual.
TEST(VQManual, CliTakesWhatTheManualLists)
{
    const std::string help = VQManualHelpText(VQVellicoCliManual());
    for (const char *flag : {"--help", "-h"}) {
        const VQCommandResult result = VQRunCommandLine({QString::fromLatin1(flag)});
        EXPECT_EQ(result.status, 0);
        EXPECT_EQ(result.out.toStdString(), help);
    }
    const std::vector<VQManualOption> options = VQManualOptions(VQVellicoCliManual());
    ASSERT_GE(options.size(), 8u);
    for (const VQManualOption &option : options) {
        QStringList arguments = {QStringLiteral("parse"), QStringLiteral("#102030")};
        arguments << QStringLiteral("--") + QString::fromStdString(option.name);
        if (option.takesValue)
            arguments << QStringLiteral("1");
        const VQCommandResult result = VQRunCommandLine(arguments);
        EXPECT_FALSE(result.err.contains(QStringLiteral("unknown option")) ||
                     result.err.contains(QStringLiteral("needs a value")))
            << option.name << ": " << result.err.toStdString();
    }
    EXPECT_EQ(VQRunCommandLine({QStringLiteral("parse"), QStringLiteral("#102030"), QStringLiteral("--colour")}).status,
              2);
}
