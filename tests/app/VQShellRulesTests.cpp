// The shell's plain rules: where the window goes, what a click on the tray
// icon does, which keys the window answers, and how the command line reads.

#include "app/VQDiagnosis.h"
#include "app/VQLaunchOptions.h"
#include "VQTestSupport.h"
#include "manual/VQManual.h"
#include "ui/tray/VQStatusItem.h"
#include "app/VQShellMode.h"
#include "ui/tray/VQStatusItemLogic.h"
#include "ui/mainwindow/VQMainWindowKeys.h"
#include "ui/mainwindow/VQMainWindowPlacement.h"
#include "ui/prefs/VQShortcutRowState.h"

#include <gtest/gtest.h>

#include <map>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QTemporaryDir>

namespace
{

using Edge = VQMainWindowPlacement::ArrowEdge;

TEST(VQMainWindowPlacementTest, HangsUnderTheIconInsideTheScreen)
{
    const QRect screen(0, 0, 1000, 800);
    const QSize window(260, 300);
    struct Row {
        const char *name;
        std::optional<QRect> icon;
        QPoint pointer;
        QRect frame;
        int arrowX;
        Edge edge;
    };
    const Row rows[] = {
        {"centred under a top icon", QRect(500, 0, 22, 24), {}, QRect(381, 24, 260, 300), 130, Edge::Top},
        // 511 - 130 = 381: the centre (511) is on whole points by floor.
        {"odd width floors", QRect(500, 0, 23, 24), {}, QRect(381, 24, 260, 300), 130, Edge::Top},
        {"pushed in from the right edge", QRect(978, 0, 22, 24), {}, QRect(740, 24, 260, 300), 248, Edge::Top},
        {"pushed in from the left edge", QRect(0, 0, 22, 24), {}, QRect(0, 24, 260, 300), 12, Edge::Top},
        {"above an icon on a bottom panel", QRect(500, 776, 22, 24), {}, QRect(381, 476, 260, 300), 130, Edge::Bottom},
        {"at the pointer without an icon", std::nullopt, QPoint(300, 200), QRect(170, 201, 260, 300), 130, Edge::None},
        {"above the pointer near the bottom", std::nullopt, QPoint(300, 700), QRect(170, 400, 260, 300), 130,
         Edge::None},
        {"an empty icon rectangle counts as none", QRect(), QPoint(300, 200), QRect(170, 201, 260, 300), 130,
         Edge::None},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const VQMainWindowPlacement placement = VQMainWindowPlacement::place(row.icon, screen, window, row.pointer);
        EXPECT_EQ(placement.frame, row.frame);
        EXPECT_EQ(placement.arrowX, row.arrowX);
        EXPECT_EQ(placement.arrowEdge, row.edge);
    }
    // A second screen right of the first: the window stays on it.
    const VQMainWindowPlacement second =
        VQMainWindowPlacement::place(QRect(1990, 0, 22, 24), QRect(1000, 0, 1024, 768), window, {});
    EXPECT_EQ(second.frame, QRect(1764, 24, 260, 300));
}

TEST(VQShellModeTest, HowTheProgramMeetsTheSession)
{
    struct Row {
        const char *platform;
        bool tray, canPick, canBindKey;
        bool noTray;
        const char *noteWords; // in the first-open note; empty: no note
    };
    const Row rows[] = {
        {"xcb", true, true, true, false, ""},
        // X11 notices a tray that comes later.
        {"xcb", false, true, true, false, ""},
        {"wayland", true, true, true, false, ""},
        {"wayland", false, true, false, true, "\"vellico --pick\""},
        {"wayland", true, false, true, false, "does not let Vellico read the screen"},
        {"offscreen", false, false, false, true, "neither read the screen nor bind a key"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(std::string(row.platform) + (row.tray ? " tray" : " no tray"));
        const VQShellMode mode = VQChooseShellMode(row.platform, row.tray, row.canPick, row.canBindKey);
        EXPECT_EQ(mode.noTray, row.noTray);
        EXPECT_EQ(mode.noTray, !mode.standingNote.isEmpty());
        EXPECT_EQ(mode.openWindowAtStart, mode.noTray);
        EXPECT_EQ(mode.firstOpenNote.isEmpty(), QString::fromLatin1(row.noteWords).isEmpty());
        EXPECT_TRUE(mode.firstOpenNote.contains(QString::fromLatin1(row.noteWords)));
    }
    // Unplaced: the window's own size, at no place, without a triangle.
    const VQMainWindowPlacement unplaced = VQMainWindowPlacement::unplaced(QSize(274, 300));
    EXPECT_EQ(unplaced.frame, QRect(0, 0, 274, 300));
    EXPECT_EQ(unplaced.arrowEdge, Edge::None);
}

TEST(VQShortcutRowStateTest, WhatTheShortcutRowSays)
{
    using B = VQShortcutRowState::Binding;
    struct Row {
        B binding;
        bool recorder;
        const char *noteWords;
        int commands;
    };
    const Row rows[] = {
        {B::Grabs, true, "", 0},
        {B::PortalAsking, true, "Asking sway to bind", 0},
        {B::PortalBound, true, "sway bound the shortcut to Ctrl+Alt+P (desktop).", 0},
        {B::PortalFailed, true, "sway did not bind the shortcut (it said no)", 2},
        {B::NotOffered, false, "sway binds no global shortcut for programs (it said no).", 2},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.noteWords);
        const VQShortcutRowState state =
            VQShortcutRowState::make(row.binding, "sway", "vellico", "Ctrl+Alt+P (desktop)", "it said no");
        EXPECT_EQ(state.showsRecorder, row.recorder);
        EXPECT_EQ(state.note.isEmpty(), QString::fromLatin1(row.noteWords).isEmpty());
        EXPECT_TRUE(state.note.contains(QString::fromUtf8(row.noteWords))) << state.note.toStdString();
        ASSERT_EQ(state.commands.size(), row.commands);
        if (row.commands) {
            EXPECT_EQ(state.commands, QStringList({"vellico --pick", "vellico"}));
        }
    }
    EXPECT_TRUE(VQShortcutRowState::make(B::NotOffered, "", "vellico")
                    .note.startsWith("This desktop binds no global "
                                     "shortcut for programs. In"));
}

TEST(VQShortcutRowStateTest, TheCommandStartsThisVellico)
{
    QTemporaryDir folder;
    const QString bin = folder.filePath("bin"), other = folder.filePath("other"), spaced = folder.filePath("my apps");
    for (const QString &dir : {bin, other, spaced})
        QDir().mkpath(dir);
    for (const QString &path : {bin + "/vellico", other + "/vellico", spaced + "/vellico"}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    struct Row {
        QString program, path, command;
    };
    const Row rows[] = {
        {bin + "/vellico", bin, "vellico"},
        {bin + "/vellico", other + ":" + bin, bin + "/vellico"}, // another one comes first
        {bin + "/vellico", "", bin + "/vellico"},
        {spaced + "/vellico", "", "'" + spaced + "/vellico'"},
    };
    for (const Row &row : rows)
        EXPECT_EQ(VQBindableProgram(row.program, row.path), row.command) << row.path.toStdString();
}

TEST(VQStatusItemLogicTest, ClicksAndPictures)
{
    using B = VQStatusItemLogic::Button;
    using A = VQStatusItemLogic::Action;
    struct Row {
        const char *name;
        B button;
        bool ctrl, modal, highlighted;
        A action;
    };
    const Row rows[] = {
        {"left click toggles", B::Left, false, false, false, A::ToggleWindow},
        {"left click closes an open window", B::Left, false, false, true, A::ToggleWindow},
        {"right click shows the menu", B::Right, false, false, false, A::ShowMenu},
        {"ctrl+click is a right click", B::Left, true, false, false, A::ShowMenu},
        {"right click while open does nothing", B::Right, false, false, true, A::None},
        {"ctrl+click while open does nothing", B::Left, true, false, true, A::None},
        {"a modal dialog swallows a click", B::Left, false, true, false, A::None},
        {"a modal dialog swallows a right click", B::Right, false, true, false, A::None},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        VQStatusItemLogic logic;
        logic.setHighlighted(row.highlighted);
        EXPECT_EQ(logic.actionForClick(row.button, row.ctrl, row.modal), row.action);
    }

    using I = VQStatusItemLogic::Image;
    for (const auto &[highlighted, dark, image] :
         {std::tuple{false, false, I::Normal}, std::tuple{true, false, I::Highlighted},
          std::tuple{false, true, I::Highlighted}}) {
        VQStatusItemLogic logic;
        logic.setHighlighted(highlighted);
        logic.setDarkPanel(dark);
        EXPECT_EQ(logic.image(), image) << highlighted << dark;
    }
    EXPECT_TRUE(VQStatusItemLogic::panelIsDark("", 40));
    EXPECT_FALSE(VQStatusItemLogic::panelIsDark("", 200));
    EXPECT_FALSE(VQStatusItemLogic::panelIsDark("Light", 40));
    EXPECT_TRUE(VQStatusItemLogic::panelIsDark("Dark", 200));
    EXPECT_FALSE(VQStatusItemLogic::panelIsDark("dark", 200)); // only the exact word overrides
}

TEST(VQMainWindowKeysTest, OnlyTheWindowsOwnKeysAreTaken)
{
    using K = VQMainWindowKeyAction;
    struct Row {
        int key;
        Qt::KeyboardModifiers modifiers;
        bool wheel;
        K action;
    };
    const Row rows[] = {
        {Qt::Key_Escape, Qt::NoModifier, false, K::CloseWindow},
        {Qt::Key_Down, Qt::NoModifier, true, K::BrightnessDown},
        {Qt::Key_Up, Qt::KeypadModifier, true, K::BrightnessUp},
        {Qt::Key_Up, Qt::NoModifier, false, K::None}, // another picker's field gets it
        {Qt::Key_Down, Qt::ShiftModifier, true, K::None},
        {Qt::Key_C, Qt::ControlModifier, false, K::Copy},
        {Qt::Key_C, Qt::ControlModifier | Qt::AltModifier, false, K::CopyAlternate},
        {Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier, false, K::None},
        {Qt::Key_N, Qt::ControlModifier | Qt::AltModifier, false, K::CopyColorName},
        {Qt::Key_N, Qt::ControlModifier, false, K::NewCollection},
        {Qt::Key_F, Qt::ControlModifier, true, K::FindColor},
        {Qt::Key_F, Qt::NoModifier, false, K::None}, // typing, not finding
        {Qt::Key_V, Qt::ControlModifier, false, K::Paste},
        {Qt::Key_C, Qt::NoModifier, false, K::None},
        {Qt::Key_Escape, Qt::ControlModifier, false, K::None},
        {Qt::Key_Comma, Qt::ControlModifier, false, K::Preferences},
        {Qt::Key_F1, Qt::NoModifier, true, K::Help},
        {Qt::Key_Q, Qt::ControlModifier, false, K::Quit},
        {Qt::Key_Question, Qt::ControlModifier | Qt::ShiftModifier, false, K::None},
        {Qt::Key_X, Qt::NoModifier, false, K::SwapContrastColors},
        {Qt::Key_X, Qt::NoModifier, true, K::SwapContrastColors},
        {Qt::Key_X, Qt::ControlModifier, false, K::None}, // a cut in a field
        {Qt::Key_X, Qt::ShiftModifier, false, K::None},
    };
    for (const Row &row : rows)
        EXPECT_EQ(VQMainWindowKeyActionFor(row.key, row.modifiers, row.wheel), row.action)
            << row.key << " " << row.modifiers.toInt();
}

// Every row runs its own command in the window, and no two rows share keys or a command.
TEST(VQMainWindowKeysTest, TheShortcutTableHasNoDuplicates)
{
    const std::vector<VQMainWindowShortcut> &table = VQMainWindowShortcuts();
    for (size_t i = 0; i < table.size(); ++i) {
        const VQMainWindowShortcut &row = table[i];
        SCOPED_TRACE(row.title);
        EXPECT_EQ(VQMainWindowKeyActionFor(row.key, row.modifiers, false), row.action);
        EXPECT_EQ(VQMainWindowShortcutFor(row.action), row.sequence());
        for (size_t j = i + 1; j < table.size(); ++j) {
            EXPECT_NE(table[j].sequence(), row.sequence()) << table[j].title;
            EXPECT_NE(table[j].action, row.action) << table[j].title;
            EXPECT_NE(QString::fromLatin1(table[j].title), QString::fromLatin1(row.title));
        }
    }
}

TEST(VQLaunchOptionsTest, CommandLineAndChannelReadAlike)
{
    using C = VQLaunchOptions::Command;
    using R = VQLaunchOptions::Request;
    struct Row {
        QStringList arguments;
        QList<R> requests;
        bool chooseLibrary;
        QString error;
    };
    const Row rows[] = {
        {{"vellico"}, {}, false, {}},
        {{"vellico", "--paste", "--choose-library", "--copy"}, {{C::Paste}, {C::Copy}}, true, {}},
        {{"vellico", "--pick", "--template", "4"}, {{C::Pick, 4}}, false, {}},
        {{"vellico", "--template", "4", "--pick"}, {{C::Pick, 4}}, false, {}},
        {{"vellico", "--copy-alternate", "--pick"}, {{C::CopyAlternate}, {C::Pick}}, false, {}},
        {{"vellico", "--pick", "--sample", "3"}, {{C::Pick, -1, 3}}, false, {}},
        {{"vellico", "--sample", "9", "--pick", "--template", "4"}, {{C::Pick, 4, 9}}, false, {}},
        {{"vellico", "--pick", "--sample", "1", "--copy"}, {{C::Pick, -1, 1}, {C::Copy}}, false, {}},
        {{"vellico", "--template", "3"}, {}, false, "--template goes with --pick."},
        {{"vellico", "--copy", "--sample", "5"}, {}, false, "--sample goes with --pick."},
        {{"vellico", "--pick", "--sample"}, {}, false, "--sample needs a size: 1, 3, 5 or 9."},
        {{"vellico", "--pick", "--sample", "4"}, {}, false, "--sample takes a size of 1, 3, 5 or 9, not \"4\"."},
        {{"vellico", "--pick", "--sample", "3x3"}, {}, false, "--sample takes a size of 1, 3, 5 or 9, not \"3x3\"."},
        {{"vellico", "--pick", "--template"},
         {},
         false,
         "--template needs a format number: 0 to 16, or 100 on for your own."},
        {{"vellico", "--pick", "--template", "x"},
         {},
         false,
         "--template takes a format number (0 to 16, or 100 on for your own), not \"x\"."},
        {{"vellico", "--frobnicate"}, {}, false, "Unknown argument \"--frobnicate\"."},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.arguments.join(' ').toStdString());
        const VQLaunchOptions options = VQLaunchOptions::parse(row.arguments);
        EXPECT_EQ(options.error, row.error);
        EXPECT_EQ(options.requests, row.requests);
        EXPECT_EQ(options.chooseLibrary, row.chooseLibrary);
        // What travels to a running Vellico reads back as the same requests.
        const VQLaunchOptions sent =
            VQLaunchOptions::parseChannelMessage(VQLaunchOptions::channelMessage(options.requests));
        EXPECT_EQ(sent.requests, row.requests);
        EXPECT_TRUE(sent.error.isEmpty());
    }
    // Only requests travel: the running Vellico refuses the rest.
    EXPECT_FALSE(VQLaunchOptions::parseChannelMessage("--help").error.isEmpty());
    EXPECT_TRUE(VQLaunchOptions::parse({"vellico", "--help"}).help);
}

} // namespace

// An icon theme that draws the tray icon under the application's id replaces
// the built-in glyph; without one, the built-in picture shows.
TEST(VQStatusItemIcon, ThemeReplacesTheBuiltInGlyph)
{
    int argc = 1;
    char name[] = "app_tests";
    char *argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);
    QTemporaryDir themes;
    const QString folder = themes.path() + QStringLiteral("/vqtheme");
    ASSERT_TRUE(
        VQWriteAll(folder + QStringLiteral("/index.theme"),
                   "[Icon Theme]\nName=vqtheme\nDirectories=22x22/apps\n\n[22x22/apps]\nSize=22\nType=Fixed\n"));
    QImage red(22, 22, QImage::Format_ARGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(QDir().mkpath(folder + QStringLiteral("/22x22/apps")));
    ASSERT_TRUE(red.save(folder + QStringLiteral("/22x22/apps/io.github.vellico.Vellico-symbolic.png")));
    const QStringList savedPaths = QIcon::themeSearchPaths();
    const QString savedName = QIcon::themeName();
    const auto centre = [](VQStatusItemLogic::Image image) {
        return VQStatusItem::iconFor(image, false).pixmap(QSize(22, 22), 1.0).toImage().pixelColor(11, 11);
    };

    QIcon::setThemeSearchPaths({themes.path()});
    QIcon::setThemeName(QStringLiteral("vqtheme"));
    EXPECT_EQ(centre(VQStatusItemLogic::Image::Normal), QColor(Qt::red));
    EXPECT_NE(centre(VQStatusItemLogic::Image::Highlighted), QColor(Qt::red)); // not in the theme
    QIcon::setThemeName(savedName);
    QIcon::setThemeSearchPaths(savedPaths);
    EXPECT_NE(centre(VQStatusItemLogic::Image::Normal), QColor(Qt::red));
}

// Every option vellico(1) and --help list is one the command line takes.
TEST(VQLaunchOptions, TakesEveryOptionTheManualLists)
{
    const std::vector<VQManualOption> options = VQManualOptions(VQVellicoManual());
    ASSERT_GE(options.size(), 9u);
    for (const VQManualOption &option : options) {
        QStringList arguments = {QStringLiteral("vellico"), QStringLiteral("--") + QString::fromStdString(option.name)};
        if (option.takesValue) // a value --template and --sample both take; both go with --pick
            arguments << QStringLiteral("5") << QStringLiteral("--pick");
        EXPECT_EQ(VQLaunchOptions::parse(arguments).error, QString()) << option.name;
    }
}

// Qt ends the process when it reaches no display: what tells beforehand.
TEST(VQDesktopSessionTest, WhetherADisplayMayBeReached)
{
    QTemporaryDir runtime;
    ASSERT_TRUE(QFile(runtime.filePath("wayland-0")).open(QIODevice::WriteOnly));
    struct Row {
        const char *name;
        std::map<std::string, QString> environment;
        bool reachable;
    };
    const std::vector<Row> rows = {
        {"nothing", {}, false},
        {"an X display", {{"DISPLAY", ":0"}}, true},
        {"a Wayland display", {{"WAYLAND_DISPLAY", "wayland-1"}}, true},
        {"the offscreen platform", {{"QT_QPA_PLATFORM", "offscreen"}}, true},
        {"xcb chosen, no display", {{"QT_QPA_PLATFORM", "xcb"}}, false},
        {"wayland chosen, no display", {{"QT_QPA_PLATFORM", "wayland;xcb"}}, false},
        {"a Wayland session with its default socket",
         {{"XDG_SESSION_TYPE", "wayland"}, {"XDG_RUNTIME_DIR", runtime.path()}},
         true},
        {"a Wayland session without one",
         {{"XDG_SESSION_TYPE", "wayland"}, {"XDG_RUNTIME_DIR", "/nonexistent"}},
         false},
        {"an X11 session type alone", {{"XDG_SESSION_TYPE", "x11"}}, false},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const QString problem = VQDesktopSessionProblem([&](const char *name) {
            const auto found = row.environment.find(name);
            return found == row.environment.end() ? QString() : found->second;
        });
        EXPECT_EQ(problem.isEmpty(), row.reachable) << problem.toStdString();
    }
}
