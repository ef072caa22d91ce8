#include "manual/VQManual.h"

#include <cctype>
#include <sstream>

namespace
{

enum class Kind { Plain, Literal, Argument };

struct Token {
    std::string text;
    Kind kind;
};

bool isArgumentWord(const std::string &word)
{
    bool letter = false;
    for (const char c : word) {
        if (std::isupper(static_cast<unsigned char>(c)))
            letter = true;
        else if (!std::isdigit(static_cast<unsigned char>(c)) && c != '_')
            return false;
    }
    return letter;
}

bool isNumber(const std::string &word)
{
    for (const char c : word) {
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return false;
    }
    return !word.empty();
}

void appendWord(std::vector<Token> &tokens, const std::string &word)
{
    if (word == "..." || word == "," || isNumber(word)) {
        tokens.push_back({word, Kind::Plain});
        return;
    }
    // KEY=VALUE: the key is literal, the value classified on its own.
    const std::size_t equals = word.find('=');
    if (equals != std::string::npos && equals > 0 && equals + 1 < word.size()) {
        tokens.push_back({word.substr(0, equals), Kind::Literal});
        tokens.push_back({"=", Kind::Plain});
        appendWord(tokens, word.substr(equals + 1));
        return;
    }
    if (word.size() > 1 && word.back() == ',') {
        appendWord(tokens, word.substr(0, word.size() - 1));
        tokens.push_back({",", Kind::Plain});
        return;
    }
    tokens.push_back({word, isArgumentWord(word) ? Kind::Argument : Kind::Literal});
}

// Splits a synopsis-like term into literal words, arguments and punctuation.
std::vector<Token> tokenize(const std::string &term)
{
    std::vector<Token> tokens;
    std::string word;
    const auto flush = [&] {
        if (!word.empty())
            appendWord(tokens, word);
        word.clear();
    };
    for (const char c : term) {
        if (c == '[' || c == ']' || c == '|' || c == ' ') {
            flush();
            tokens.push_back({std::string(1, c), Kind::Plain});
        } else {
            word += c;
        }
    }
    flush();
    return tokens;
}

std::vector<std::string> paragraphs(const std::string &text)
{
    std::vector<std::string> result;
    std::string current;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find("\n\n", start);
        if (end == std::string::npos)
            end = text.size();
        std::string paragraph = text.substr(start, end - start);
        for (char &c : paragraph) {
            if (c == '\n')
                c = ' ';
        }
        if (!paragraph.empty())
            result.push_back(paragraph);
        start = end + 2;
    }
    return result;
}

std::vector<std::string> words(const std::string &text)
{
    std::vector<std::string> result;
    std::istringstream stream(text);
    std::string word;
    while (stream >> word)
        result.push_back(word);
    return result;
}

// `text` wrapped to `width` columns, each line indented by `indent`; the
// first line continues after `lead` when it is given (padded to `indent`
// unless `padLead` is false).
std::string wrap(const std::string &text, std::size_t indent, std::size_t width, const std::string &lead = {},
                 bool padLead = true)
{
    std::string out = lead;
    std::size_t column = lead.size();
    if (column < indent && padLead) {
        out.append(indent - column, ' ');
        column = indent;
    }
    bool lineEmpty = true;
    for (const std::string &word : words(text)) {
        if (!lineEmpty && column + 1 + word.size() > width) {
            out += '\n';
            out.append(indent, ' ');
            column = indent;
            lineEmpty = true;
        }
        if (!lineEmpty) {
            out += ' ';
            ++column;
        }
        out += word;
        column += word.size();
        lineEmpty = false;
    }
    return out + '\n';
}

std::string helpTitle(const std::string &title)
{
    std::string result;
    for (std::size_t i = 0; i < title.size(); ++i)
        result += i == 0 ? title[i] : static_cast<char>(std::tolower(static_cast<unsigned char>(title[i])));
    return result + ':';
}

// Text for roff: backslashes and hyphens escaped, a leading control character defused.
std::string roffEscape(const std::string &text)
{
    std::string out;
    for (const char c : text) {
        if (c == '\\')
            out += "\\e";
        else if (c == '-')
            out += "\\-";
        else
            out += c;
    }
    if (!out.empty() && (out[0] == '.' || out[0] == '\''))
        out.insert(0, "\\&");
    return out;
}

// A term as roff; a bracketed group is kept on one line.
std::string roffTerm(const std::string &term)
{
    std::string out;
    int depth = 0;
    for (const Token &token : tokenize(term)) {
        depth += token.text == "[" ? 1 : token.text == "]" ? -1 : 0;
        switch (token.kind) {
        case Kind::Plain:
            out += token.text == " " && depth > 0 ? "\\ " : roffEscape(token.text);
            break;
        case Kind::Literal:
            out += "\\fB" + roffEscape(token.text) + "\\fR";
            break;
        case Kind::Argument:
            out += "\\fI" + roffEscape(token.text) + "\\fR";
            break;
        }
    }
    if (out.size() > 0 && (out[0] == '.' || out[0] == '\''))
        out.insert(0, "\\&");
    return out;
}

std::string roffParagraphs(const std::string &text)
{
    std::string out;
    bool first = true;
    for (const std::string &paragraph : paragraphs(text)) {
        if (!first)
            out += ".PP\n";
        out += roffEscape(paragraph) + '\n';
        first = false;
    }
    return out;
}

std::string upper(std::string text)
{
    for (char &c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

} // namespace

const VQManualSection *VQManualPage::section(const std::string &title) const
{
    for (const VQManualSection &candidate : sections) {
        if (candidate.title == title)
            return &candidate;
    }
    return nullptr;
}

std::vector<VQManualOption> VQManualOptions(const VQManualPage &page)
{
    std::vector<VQManualOption> options;
    const VQManualSection *section = page.section("OPTIONS");
    if (!section)
        return options;
    for (const VQManualItem &item : section->items) {
        const std::vector<Token> tokens = tokenize(item.term);
        for (std::size_t i = 0; i < tokens.size(); ++i) {
            const Token &token = tokens[i];
            if (token.kind != Kind::Literal || token.text.rfind("--", 0) != 0)
                continue;
            VQManualOption option{token.text.substr(2), false};
            for (std::size_t j = i + 1; j < tokens.size() && tokens[j].kind != Kind::Literal; ++j) {
                if (tokens[j].kind == Kind::Argument)
                    option.takesValue = true;
            }
            options.push_back(option);
        }
    }
    return options;
}

std::string VQManualUsage(const VQManualPage &page, int width)
{
    // A bracketed group is not broken; continued lines start under the first operand.
    constexpr char kKeep = '\x01';
    std::string out;
    for (std::size_t i = 0; i < page.synopsis.size(); ++i) {
        std::string line = page.synopsis[i];
        int depth = 0;
        for (char &c : line) {
            depth += c == '[' ? 1 : c == ']' ? -1 : 0;
            if (c == ' ' && depth > 0)
                c = kKeep;
        }
        std::string wrapped = wrap(line, 7 + page.name.size() + 1, static_cast<std::size_t>(width),
                                   i == 0 ? "Usage: " : "       ", false);
        for (char &c : wrapped) {
            if (c == kKeep)
                c = ' ';
        }
        out += wrapped;
    }
    return out;
}

std::string VQManualHelpText(const VQManualPage &page, int width)
{
    const std::size_t columns = static_cast<std::size_t>(width);
    std::string out = VQManualUsage(page, width);
    const std::vector<std::string> description = paragraphs(page.description);
    if (!description.empty())
        out += '\n' + wrap(description.front(), 0, columns);
    constexpr std::size_t kTermColumn = 22;
    for (const VQManualSection &section : page.sections) {
        if (!section.inHelp)
            continue;
        out += '\n' + helpTitle(section.title) + '\n';
        for (const std::string &paragraph : paragraphs(section.prose))
            out += wrap(paragraph, 2, columns);
        for (const VQManualItem &item : section.items) {
            std::string lead = "  " + item.term;
            if (lead.size() + 2 > kTermColumn) {
                out += lead + '\n';
                lead.clear();
            }
            out += wrap(item.text, kTermColumn, columns, lead);
        }
    }
    std::vector<std::string> more;
    for (const VQManualSection &section : page.sections) {
        if (!section.inHelp) {
            std::string title = section.title;
            for (char &c : title)
                c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            more.push_back(title);
        }
    }
    std::string pointer = "The manual page " + page.name + "(1) tells more";
    for (std::size_t i = 0; i < more.size(); ++i)
        pointer += (i == 0 ? ", with the " : i + 1 == more.size() ? " and the " : ", the ") + more[i];
    return out + '\n' + wrap(pointer + '.', 0, columns);
}

std::string VQManualRoff(const VQManualPage &page, const std::string &version, const std::string &date)
{
    std::string out;
    out += ".\\\" Written by vellico-mangen from the program's own help; edit src/manual, not this file.\n";
    out +=
        ".TH " + upper(roffEscape(page.name)) + " 1 \"" + date + "\" \"Vellico " + version + "\" \"User Commands\"\n";
    out += ".nh\n.ad l\n";
    out += ".SH NAME\n" + roffEscape(page.name) + " \\- " + roffEscape(page.summary) + '\n';
    out += ".SH SYNOPSIS\n";
    for (std::size_t i = 0; i < page.synopsis.size(); ++i)
        out += (i == 0 ? "" : ".br\n") + roffTerm(page.synopsis[i]) + '\n';
    out += ".SH DESCRIPTION\n" + roffParagraphs(page.description);
    for (const VQManualSection &section : page.sections) {
        out += ".SH " + section.title + '\n';
        out += roffParagraphs(section.prose);
        for (const VQManualItem &item : section.items)
            out += ".TP\n" + roffTerm(item.term) + '\n' + roffEscape(item.text) + '\n';
    }
    if (!page.seeAlso.empty()) {
        out += ".SH SEE ALSO\n";
        for (std::size_t i = 0; i < page.seeAlso.size(); ++i) {
            const std::string &reference = page.seeAlso[i];
            const std::size_t paren = reference.find('(');
            out += ".BR " + roffEscape(reference.substr(0, paren)) + ' ' + reference.substr(paren) +
                   (i + 1 < page.seeAlso.size() ? " ," : "") + '\n';
        }
    }
    return out;
}

namespace
{

std::string joined(const std::vector<std::string> &list, const char *separator)
{
    std::string out;
    for (const std::string &item : list)
        out += (out.empty() ? "" : separator) + item;
    return out;
}

// What completes an argument word: a folder, a file or nothing.
std::string completeArgument(const std::string &argument)
{
    if (argument == "DIR")
        return "_filedir -d";
    if (argument == "TEXT" || argument == "N" || argument == "TITLE")
        return ":";
    return "_filedir";
}

} // namespace

std::string VQManualBashCompletion(const VQManualPage &page)
{
    std::string function = "_";
    for (const char c : page.name)
        function += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';

    std::vector<std::string> optionWords, valueOptions;
    std::string valueArms;
    if (const VQManualSection *options = page.section("OPTIONS")) {
        for (const VQManualItem &item : options->items) {
            std::string name, argument;
            for (const Token &token : tokenize(item.term)) {
                if (token.kind == Kind::Literal && token.text.rfind("-", 0) == 0) {
                    optionWords.push_back(token.text);
                    if (token.text.rfind("--", 0) == 0)
                        name = token.text;
                } else if (token.kind == Kind::Argument) {
                    argument = token.text;
                }
            }
            if (argument.empty() || name.empty())
                continue;
            valueOptions.push_back(name);
            valueArms += "    " + name + ")\n        ";
            valueArms += item.values.empty()
                             ? completeArgument(argument)
                             : "COMPREPLY=($(compgen -W '" + joined(item.values, " ") + "' -- \"$cur\"))";
            valueArms += "\n        return\n        ;;\n";
        }
    }

    std::vector<std::string> commands;
    std::string commandArms;
    if (const VQManualSection *section = page.section("COMMANDS")) {
        for (const VQManualItem &item : section->items) {
            std::vector<std::string> subcommands;
            std::string operand;
            std::string command;
            bool afterOption = false;
            for (const Token &token : tokenize(item.term)) {
                if (token.kind == Kind::Literal && token.text.rfind("-", 0) == 0) {
                    afterOption = true;
                } else if (token.kind == Kind::Literal) {
                    if (command.empty())
                        command = token.text;
                    else
                        subcommands.push_back(token.text);
                    afterOption = false;
                } else if (token.kind == Kind::Argument) {
                    if (!afterOption && operand.empty())
                        operand = token.text;
                    afterOption = false;
                }
            }
            commands.push_back(command);
            commandArms += "    " + command + ")\n        ";
            if (!subcommands.empty())
                commandArms += "COMPREPLY=($(compgen -W '" + joined(subcommands, " ") + "' -- \"$cur\"))";
            else
                commandArms += operand.empty() ? ":" : completeArgument(operand);
            commandArms += "\n        ;;\n";
        }
    }

    std::string out;
    out += "# bash completion for " + page.name + "; written by vellico-mangen from the program's own help.\n";
    out += function + "()\n{\n";
    out += "    local cur prev words cword split\n";
    out += "    _init_completion -s || return\n\n";
    out += "    case $prev in\n" + valueArms + "    esac\n";
    out += "    $split && return\n\n";
    out += "    if [[ $cur == -* ]]; then\n";
    out += "        COMPREPLY=($(compgen -W '" + joined(optionWords, " ") + "' -- \"$cur\"))\n";
    out += "        [[ ${COMPREPLY-} == *= ]] && compopt -o nospace\n";
    out += "        return\n    fi\n\n";
    out += "    # The command: the first word that is neither an option nor an option's value.\n";
    out += "    local i command=\n";
    out += "    for ((i = 1; i < cword; i++)); do\n";
    out += "        case ${words[i]} in\n";
    if (!valueOptions.empty())
        out += "        " + joined(valueOptions, "|") + ") ((i++)) ;;\n";
    out += "        -*) ;;\n";
    out += "        *)\n            command=${words[i]}\n            break\n            ;;\n";
    out += "        esac\n    done\n\n";
    out += "    case $command in\n";
    out += "    '')\n        COMPREPLY=($(compgen -W '" + joined(commands, " ") + "' -- \"$cur\"))\n        ;;\n";
    out += commandArms;
    out += "    esac\n} &&\n";
    out += "    complete -F " + function + " " + page.name + "\n";
    return out;
}
