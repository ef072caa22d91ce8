// The text of vellico(1) and vellico-cli(1), and of their --help.
// Plain ASCII: the man pages are rendered by groff in any locale.

#include "manual/VQManual.h"

namespace
{

const std::vector<VQManualItem> kExitStatusCli = {
    {"0", "The command did what it was asked."},
    {"1", "The command could not be carried out: a file could not be read or written, a text is not a color, "
          "the folder does not exist. The reason is on standard error."},
    {"2", "The command line was wrong: an unknown command or option, a missing operand or value. The usage "
          "follows the reason on standard error."},
};

const std::vector<VQManualItem> kCopyFormats = {
    {"0", "RRGGBB, for example 20C040"},
    {"1", "#RRGGBB, for example #20C040"},
    {"2", "(32, 192, 64): red, green and blue from 0 to 255"},
    {"3", "(0.125490196078431, 0.752941176470588, 0.250980392156863): from 0 to 1"},
    {"4", "rgb(32, 192, 64)"},
    {"5", "rgba(32, 192, 64, 1)"},
    {"6", "[NSColor colorWithDeviceRed:0.125 green:0.753 blue:0.251 alpha:1.0]"},
    {"7", "[NSColor colorWithCalibratedRed:0.125 green:0.753 blue:0.251 alpha:1.0]"},
    {"8", "CGColorCreateGenericRGB(0.125, 0.753, 0.251, 1.0)"},
    {"9", "[UIColor colorWithRed:0.125 green:0.753 blue:0.251 alpha:1.0]"},
    {"10", "hsla(132, 71%, 43%, 1.0)"},
    {"11", "oklch(0.7056 0.21004 145.34)"},
    {"12", "oklab(0.7056 -0.17276 0.11945)"},
    {"13", "lab(68.33 -59.52 50.55)"},
    {"14", "lch(68.33 78.1 139.66)"},
    {"15", "hwb(132 12.5% 24.7%)"},
    {"16", "color(display-p3 0.3582 0.742 0.3229)"},
};

// The names of --as, by format number.
const std::vector<std::string> kFormatNames = {
    "hex-bare", "hex",   "rgb255", "rgb1", "rgb", "rgba", "nscolor-device", "nscolor-calibrated", "cgcolor", "uicolor",
    "hsla",     "oklch", "oklab",  "lab",  "lch", "hwb",  "display-p3",
};

const std::vector<VQManualItem> kLibraryFile = {
    {"~/.local/share/Vellico/Vellico Library.vlb",
     "The library: every collection and color, a property list. $XDG_DATA_HOME/Vellico is used when "
     "XDG_DATA_HOME is set. A lock file beside it keeps writers apart."},
};

const std::vector<VQManualItem> kCliFiles = {
    kLibraryFile[0],
    {"~/.local/state/Vellico/recent-colors.json",
     "The recent colors, newest first ($XDG_STATE_HOME/Vellico when XDG_STATE_HOME is set)."},
};

std::vector<std::string> copyFormatNumbers()
{
    std::vector<std::string> numbers;
    for (const VQManualItem &format : kCopyFormats)
        numbers.push_back(format.term);
    return numbers;
}

VQManualPage makeVellicoPage()
{
    VQManualPage page;
    page.name = "vellico";
    page.summary = "color picker and swatch manager in the system tray";
    page.synopsis = {
        "vellico [--choose-library] [--copy] [--copy-alternate] [--paste] [--pick [--template N] [--sample N]]",
        "vellico --diagnose | --help | --version"};
    page.description =
        "A color picker and swatch manager in the system tray. Started again while it runs, it opens or closes "
        "its window, or hands the commands below to the running Vellico.\n\n"
        "Vellico puts an eyedropper icon in the system tray. A click on it opens the main window with six color "
        "pickers and the collections of the library; a right click shows the menu with \"Pick Color from "
        "Screen\", \"Preferences...\" and \"Quit\". The loupe magnifies the pixels around the pointer; a click or "
        "Return takes the pixel under it and Escape cancels. S steps its sample through 1, 3x3, 5x5 and 9x9 "
        "device pixels, averaged in linear light, and Vellico remembers the size. On wlroots Wayland compositors the "
        "loupe runs over "
        "a frozen capture of the screen; where only the desktop portal's PickColor is offered, the desktop's own "
        "picker runs instead.\n\n"
        "Only one Vellico runs in a session. The commands given to a later start are carried out by the running "
        "one; --pick then waits for its answer. The library is saved when Vellico quits, on SIGTERM, SIGINT and "
        "SIGHUP, and when the session ends.";
    page.sections = {
        {"OPTIONS",
         "",
         {
             {"--copy", "Copy the selected color in the copy format (VQCopyType)."},
             {"--copy-alternate", "Copy it in the alternate format (VQAlternateCopyFormat)."},
             {"--paste", "Select the color on the clipboard: hex, a color name or any CSS color (see "
                         "vellico-cli(1), parse)."},
             {"--pick", "Pick a color from the screen with the loupe, select it and print it as #RRGGBB and a "
                        "newline. It never waits more than 10 seconds for a compositor; the desktop's own "
                        "picker runs until the user is done. Ended by SIGTERM or SIGINT it exits with status 1, "
                        "and the pick ends."},
             {"--template N",
              "With --pick: print the color in copy format N (0 to 16, or 100 on for your own, see COPY FORMATS) "
              "instead, in lower case when VQUseLowercase is true."},
             {"--sample N",
              "With --pick: take the mean in linear light of the N x N device pixels around the crosshair (1, 3, "
              "5 or 9; fewer at the edge of a screen) for this pick alone, instead of the size the loupe "
              "remembers (VQLoupeSampleSize). The desktop's own picker takes one pixel.",
              {"1", "3", "5", "9"}},
             {"--choose-library", "Choose or create another library file, used from then on. Holding Alt while "
                                  "Vellico starts does the same."},
             {"--diagnose", "Print the session and how each desktop service works in it, with the screen "
                            "picking path that Vellico runs, and exit."},
             {"--version", "Print the version and exit."},
             {"-h, --help", "Print this help and exit."},
         }},
        {"EXIT STATUS",
         "",
         {
             {"0", "Success; with --pick, a color was picked and printed."},
             {"1", "With --pick, the loupe was canceled. Also: another Vellico runs and --choose-library was "
                   "given, the running one could not be reached, or the X display went away."},
             {"2", "The command line was wrong, or with --pick no pick was possible (the reason is on standard "
                   "error)."},
         }},
        {"COPY FORMATS",
         "The copy formats of --template, VQCopyType and VQAlternateCopyFormat, shown for the color #20C040:",
         kCopyFormats, false},
        {"SETTINGS",
         "The settings live in ~/.config/Vellico/Vellico.conf, an INI file (group [General]) that the "
         "preferences window writes; the keys below may also be set by hand while Vellico is not running. "
         "Booleans are true or false.",
         {
             {"VQCopyType=N", "The copy format of Ctrl+C and --copy, 0 to 16."},
             {"VQAlternateCopyFormat=N", "The format of Ctrl+Alt+C and --copy-alternate; without it, the "
                                         "partner of VQCopyType (0 and 1, 2 and 3, ...)."},
             {"VQUserFormats=JSON",
              "Copy formats of your own, from number 100 on in their order, offered after the built-in ones "
              "(and by name to vellico-cli format --as): a JSON array of {\"name\": ..., \"template\": ...}. "
              "In a template, {rgb.r} {rgb.g} {rgb.b} are 0 to 255, {srgb.r} ... 0 to 1, and hsl, hwb, oklch, "
              "oklab, lab, lch and p3 give their channels the same way ({oklch.l}, {hwb.w}, {p3.b}); \":N\" "
              "sets the decimals ({srgb.r:3}); {hex} and {HEX} are RRGGBB in lower and upper case; {{ and }} are "
              "braces. For example [{\"name\": \"Flutter\", \"template\": \"Color(0xFF{HEX})\"}]."},
             {"VQUseLowercase=BOOL", "Copy formats 0 to 5 in lower case."},
             {"VQCursor=N", "The cursor over the color wheel: 0 a crosshair, 1 a circle."},
             {"VQDontActivateWhenUsingLoupe=BOOL", "Do not bring Vellico to the front when picking from the screen "
                                                   "(the preference of that name, switched off)."},
             {"VQRecentColorsLimit=N", "How many recent colors are kept, 1 to 500 (50 without it)."},
             {"VQDontRecordRecentColors=BOOL", "Record no recent colors; the list is kept until cleared."},
             {"VQCloseMainWindowOnDeactivate=BOOL", "Close the main window when another program gets the focus."},
             {"VQMouseTrackingDisabled=BOOL", "Do not select the color under the pointer while Shift is held "
                                              "over the screen with the main window open."},
             {"RZNoLoupePreview=BOOL", "Run the loupe without its magnifier window."},
             {"VQLoupeSampleSize=N", "The loupe's sample: the mean of N x N device pixels, 1, 3, 5 or 9; S in "
                                     "the loupe chooses it. Any other value reads as 1."},
             {"RZLastUsedColorPickerName=NAME", "The picker shown last, remembered by Vellico."},
             {"VQContrastAgainstColor=#RRGGBB", "The second color of the contrast row under the picker, "
                                                "remembered by Vellico; white when missing or unreadable."},
             {"VQPanelStyle=STYLE", "Dark or Light: the tray icon for a dark or a light panel. Otherwise the "
                                    "panel's color decides."},
             {"VQSynchronizeWithiCloud=BOOL", "Synchronize the library through the folder VQSyncFolderPath."},
             {"VQSyncFolderPath=PATH", "The folder that a sync tool keeps alike on your computers. Each "
                                       "computer writes its own file there and merges the others'."},
             {"VQCustomLibraryURLData=PATH", "The library chosen with --choose-library; without it, the default "
                                             "library (see FILES)."},
             {"VQLastImportFolder=PATH", "The folder the import panel opens in."},
             {"VQDoesntNeedColorRemovalConfirmation=BOOL", "Remove colors without asking."},
             {"VQDoesntNeedCollectionMergingConfirmation=BOOL", "Merge collections without asking."},
             {"VQDBAutomaticSavingDisabled=BOOL", "Do not save the library every five minutes; it is still saved "
                                                  "after each change and at quit."},
             {"RZLoggingEnabled=BOOL", "Write the log (see FILES)."},
             {"keyCode=N", "In the group [ShortcutRecorder%20KeyboardShortcut]: the global shortcut's virtual key "
                           "code (P is 35, F1 is 122); -1 or none means no shortcut."},
             {"modifierFlags=N", "In the same group: Ctrl 1048576, Alt 524288, Super 262144 and Shift 131072, "
                                 "added up."},
             {"modifiers=N", "In the same group, the same modifiers again: Ctrl 256, Shift 512, Alt 2048 and "
                             "Super 4096, added up."},
         },
         false},
        {"FILES",
         "",
         {
             kLibraryFile.front(),
             {"~/.config/Vellico/Vellico.conf", "The settings ($XDG_CONFIG_HOME/Vellico/Vellico.conf when "
                                                "XDG_CONFIG_HOME is set)."},
             {"~/.local/state/Vellico/Vellico.log", "The log, written only when RZLoggingEnabled is true "
                                                    "($XDG_STATE_HOME/Vellico when XDG_STATE_HOME is set)."},
             {"~/.config/autostart/io.github.vellico.Vellico.desktop",
              "The autostart entry that \"Launch at login\" in the preferences writes and removes "
              "($XDG_CONFIG_HOME/autostart when XDG_CONFIG_HOME is set). An entry named vellico.desktop, "
              "written by an earlier version, is replaced by it."},
             {"$XDG_RUNTIME_DIR/vellico.socket",
              "The socket through which a later start reaches the running Vellico, with vellico.lock beside "
              "it, and the folder vellico-locks, whose lock files keep the user's processes from writing one "
              "file at once. Without XDG_RUNTIME_DIR they are in /tmp/runtime-USER (mode 0700), or in "
              "~/.cache/Vellico/runtime when that is not a private folder of the user's."},
         },
         false},
        {"ENVIRONMENT",
         "",
         {
             {"XDG_CONFIG_HOME", "Where the settings and the autostart entry go, instead of ~/.config."},
             {"XDG_DATA_HOME", "Where the library goes, instead of ~/.local/share."},
             {"XDG_STATE_HOME", "Where the log goes, instead of ~/.local/state."},
             {"XDG_RUNTIME_DIR", "Where the socket and the lock of the running Vellico go."},
             {"VELLICO_PICK_PATH", "Forces one way of picking from the screen: screencopy, portal-pick-color, "
                                   "x11, none and others that --diagnose names. A way the session does not offer "
                                   "turns picking off with the reason."},
             {"QT_QPA_PLATFORM", "xcb runs Vellico on X11 (also through XWayland), wayland on Wayland."},
         },
         false},
    };
    page.seeAlso = {"vellico-cli(1)"};
    return page;
}

VQManualPage makeVellicoCliPage()
{
    VQManualPage page;
    page.name = "vellico-cli";
    page.summary = "read and change Vellico color libraries from the command line";
    page.synopsis = {
        "vellico-cli library list [--library PATH] [--json]",
        "vellico-cli parse TEXT|- [--json]",
        "vellico-cli format TEXT|- (--template N | --as NAME) [--lowercase] [--json]",
        "vellico-cli contrast FOREGROUND BACKGROUND [--json]",
        "vellico-cli name COLOR|- [--json]",
        "vellico-cli search WORDS... [--limit N] [--json]",
        "vellico-cli import FILE [--into LIBRARY] [--json]",
        "vellico-cli export --format gpl|ase|css|json [--library PATH] [--collection TITLE]... --output FILE|-",
        "vellico-cli merge LOCAL REMOTE [--json]",
        "vellico-cli sync --folder DIR [--library PATH] [--json]",
        "vellico-cli history [--json]",
        "vellico-cli history --clear",
        "vellico-cli --help | --version",
    };
    page.description =
        "The library of Vellico without the desktop, for scripts and servers.\n\n"
        "Every command that changes a library reads, changes and writes it under its lock and replaces the file "
        "atomically, so that commands started together and the running Vellico lose nothing of each other's; "
        "the running Vellico takes the change in at its next save. Options may come before or after the "
        "operands, as --name VALUE or --name=VALUE; after \"--\" every word is an operand.";
    page.sections = {
        {"COMMANDS",
         "",
         {
             {"library list", "List the collections of the library, one a line: its title, the number of colors "
                              "and each color as #RRGGBB."},
             {"parse TEXT|-",
              "Read a color text and print it as #RRGGBB and its RGB components. Vellico reads #RRGGBB and #RGB "
              "with or without the #, #RRGGBBAA and #RGBA, the CSS named colors, and every CSS Color 4 function: "
              "rgb(), rgba(), hsl(), hsla(), hwb(), lab(), lch(), oklab(), oklch() and color() with srgb, "
              "srgb-linear, display-p3, a98-rgb, prophoto-rgb, rec2020, xyz, xyz-d50 or xyz-d65, in the comma or "
              "the space syntax, with none, hue units and / alpha (alpha is dropped). A color outside sRGB is "
              "brought in by reducing its OKLCH chroma (CSS gamut mapping); --json says so in gamutMapped. With "
              "- for TEXT, every line of standard input is read and answered by one line, as it comes; a line that "
              "is not a color gets an empty line, standard error names it, and the exit status is 1 at the end. "
              "With --json and -, one compact JSON object a line."},
             {"format TEXT|- (--template N | --as NAME)",
              "Print the color in copy format N, or the format named NAME, exactly as Vellico copies it; - reads "
              "lines as parse does."},
             {"contrast FOREGROUND BACKGROUND",
              "Print the WCAG 2.2 contrast ratio of the two colors, truncated to two decimals (4.47:1), whether "
              "it passes AA and AAA for normal and large text (judged on the unrounded ratio), and the APCA "
              "lightness contrast Lc of the foreground as text on the background. --json gives the unrounded "
              "ratio."},
             {"name COLOR|-",
              "Print the name of the color: its CSS name when it is one, otherwise the nearest (by distance in "
              "OKLab) of the 31,918 names of color-name-list 14.51.0, after an approximately-equal sign (U+2248) "
              "and a space when the color is not exactly the named one. --json gives name, hex (of the named color), "
              "exact, "
              "css and distance. - reads lines as parse does. Color texts also read these names, ignoring case, "
              "spaces and punctuation."},
             {"search WORDS...",
              "Print the names that contain every word, in any case, one a line with its #RRGGBB: exact names "
              "first, at most 50 or --limit N. The exit status is 1 when no name matches."},
             {"import FILE", "Read an Adobe Swatch Exchange (.ase), Photoshop swatch (.aco), color list (.clr) or "
                             "GIMP palette (.gpl) file and print its collections; with --into, append them to that "
                             "library. Rows of a palette that GIMP would refuse are skipped, and standard error says "
                             "how many and on which lines, and how many names or titles were changed."},
             {"export --format FORMAT --output FILE",
              "Write every collection of the library, or those titled by each --collection in the order given (a "
              "title that several collections share takes them all), as a GIMP palette (gpl, one collection only), "
              "Adobe Swatch Exchange (ase), CSS custom properties (css) or JSON (json). The file is replaced "
              "atomically and nothing is left behind on failure; --output - writes a text format to standard "
              "output. Standard error says how many names or titles were changed because a GIMP palette cannot "
              "hold them as they are."},
             {"merge LOCAL REMOTE", "Fold the library REMOTE into the library LOCAL by the rules of "
                                    "synchronization, and save LOCAL."},
             {"sync --folder DIR",
              "Run one synchronization pass of the library through the folder DIR, as Vellico runs it."},
             {"history", "Print the colors Vellico picked or copied lately, newest first, one #RRGGBB a line; --json "
                         "prints them as a JSON array of strings, and --clear forgets them. A damaged history file "
                         "is set aside beside it, standard error says where, and the exit status is 1."},
         }},
        {"OPTIONS",
         "",
         {
             {"--library PATH", "The library to read (library list, export) or synchronize (sync), instead "
                                "of the default one (see FILES)."},
             {"--into LIBRARY", "With import: the library to append to; it is made when it does not exist."},
             {"--folder DIR", "With sync: the shared folder."},
             {"--template N", "With format: the copy format, 0 to 16 (see COPY FORMATS).", copyFormatNumbers()},
             {"--as NAME",
              "With format: the copy format by name: hex-bare, hex, rgb255, rgb1, rgb, rgba, "
              "nscolor-device, nscolor-calibrated, cgcolor, uicolor, hsla, oklch, oklab, lab, lch, "
              "hwb or display-p3 (formats 0 to 16 in that order), or the name of one of your own formats "
              "(VQUserFormats, see vellico(1)).",
              kFormatNames},
             {"--limit N", "With search: print at most N names."},
             {"--format FORMAT", "With export: gpl, ase, css or json.", {"gpl", "ase", "css", "json"}},
             {"--collection TITLE", "With export: a collection to write, by its title; give it once for each."},
             {"--output FILE", "With export: the file to write, or - for standard output (text formats only)."},
             {"--lowercase", "With format: formats 0 to 5 in lower case."},
             {"--clear", "With history: forget the recent colors."},
             {"--json", "Print the result as JSON."},
             {"--version", "Print the version and exit."},
             {"-h, --help", "Print this help and exit."},
         }},
        {"EXIT STATUS", "", kExitStatusCli},
        {"COPY FORMATS",
         "The formats of --template, shown for the color #20C040. Formats 11 to 16 write CSS numbers with the "
         "fewest decimals that read every 8-bit color back exactly.",
         kCopyFormats, false},
        {"FILES", "", kCliFiles, false},
        {"ENVIRONMENT",
         "",
         {{"XDG_DATA_HOME", "Where the default library is, instead of ~/.local/share."},
          {"XDG_STATE_HOME", "Where the recent colors are, instead of ~/.local/state."}},
         false},
        {"COLOR NAMES",
         "The color names are those of color-name-list 14.51.0 by David Aerne and contributors "
         "(https://github.com/meodai/color-names), shipped with Vellico under the MIT License: Copyright (c) 2017 "
         "David Aerne. Permission is hereby granted, free of charge, to any person obtaining a copy of this "
         "software and associated documentation files (the \"Software\"), to deal in the Software without "
         "restriction, including without limitation the rights to use, copy, modify, merge, publish, distribute, "
         "sublicense, and/or sell copies of the Software, and to permit persons to whom the Software is furnished "
         "to do so, subject to the following conditions: The above copyright notice and this permission notice "
         "shall be included in all copies or substantial portions of the Software. THE SOFTWARE IS PROVIDED \"AS "
         "IS\", WITHOUT WARRANTY OF ANY KIND, EXPRESS OR IMPLIED, INCLUDING BUT NOT LIMITED TO THE WARRANTIES OF "
         "MERCHANTABILITY, FITNESS FOR A PARTICULAR PURPOSE AND NONINFRINGEMENT. IN NO EVENT SHALL THE AUTHORS OR "
         "COPYRIGHT HOLDERS BE LIABLE FOR ANY CLAIM, DAMAGES OR OTHER LIABILITY, WHETHER IN AN ACTION OF "
         "CONTRACT, TORT OR OTHERWISE, ARISING FROM, OUT OF OR IN CONNECTION WITH THE SOFTWARE OR THE USE OR "
         "OTHER DEALINGS IN THE SOFTWARE.",
         {},
         false},
    };
    page.seeAlso = {"vellico(1)"};
    return page;
}

} // namespace

const VQManualPage &VQVellicoManual()
{
    static const VQManualPage page = makeVellicoPage();
    return page;
}

const VQManualPage &VQVellicoCliManual()
{
    static const VQManualPage page = makeVellicoCliPage();
    return page;
}
