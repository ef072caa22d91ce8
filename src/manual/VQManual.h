#pragma once
// The manual of each program, kept once: `--help` prints part of it as plain
// text and the build turns all of it into the man pages (vellico-mangen), so
// the two never tell different stories.
//
// A term is written the way a synopsis is: words starting with "-" and command
// words are literal (bold in a man page), words in capitals are arguments
// (italic), and "[", "]", "|" and "..." are plain.

#include <string>
#include <vector>

struct VQManualItem {
    std::string term;
    std::string text;
    // For an option with an argument: the values it takes, offered by the
    // shell's completion. Empty: the argument names a file, or a folder (DIR).
    std::vector<std::string> values = {};
};

struct VQManualSection {
    std::string title; // in capitals, as a man page heading: "OPTIONS"
    std::string prose; // paragraphs (blank-line separated) before the items
    std::vector<VQManualItem> items;
    bool inHelp = true; // also printed by --help
};

struct VQManualPage {
    std::string name;    // the program: "vellico-cli"
    std::string summary; // the NAME line after the dash
    std::vector<std::string> synopsis;
    std::string description; // paragraphs, blank-line separated
    std::vector<VQManualSection> sections;
    std::vector<std::string> seeAlso; // "vellico(1)"

    // The section titled `title`, or nullptr.
    const VQManualSection *section(const std::string &title) const;
};

const VQManualPage &VQVellicoManual();
const VQManualPage &VQVellicoCliManual();

// The command-line options a page's OPTIONS section documents: "--name" and,
// when the term names an argument after it, whether it takes a value.
struct VQManualOption {
    std::string name; // without the dashes
    bool takesValue = false;
};
std::vector<VQManualOption> VQManualOptions(const VQManualPage &page);

// The synopsis alone, as "Usage: ..." lines: what a wrong command line is answered with.
std::string VQManualUsage(const VQManualPage &page, int width = 80);

// What --help prints: the synopsis, the description's first paragraph and the
// sections marked for help, wrapped at `width` columns.
std::string VQManualHelpText(const VQManualPage &page, int width = 80);

// A bash completion for the page's program: its COMMANDS and OPTIONS; option
// values from the items' values, DIR as folders, other arguments as files
// (TEXT, N and TITLE as nothing).
std::string VQManualBashCompletion(const VQManualPage &page);

// The whole page in roff with the man macros, as section 1.
std::string VQManualRoff(const VQManualPage &page, const std::string &version, const std::string &date);
