#!/usr/bin/env python3
"""Keeps the translations in translations/ in step with the sources.

    translations.py update --lupdate PATH --work DIR [--root DIR]
    translations.py check  --lupdate PATH --work DIR [--root DIR]

Every text the user reads is written in the sources as the English literal in
`VQLocalizedString("...")` (or `VQLocalizedString("...", n)` for a plural with
%n), and texts kept in tables are marked with QT_TRANSLATE_NOOP("Vellico", ...).
lupdate cannot tell the context of a free function's call, so `update` first
writes a mirror of each source file into the work folder in which every such
call stands, on its own line, as the QT_TRANSLATE_NOOP lupdate understands;
lupdate then reads the mirror and merges what it finds into the template
(vellico.ts) and into every language's file, and the locations are pointed
back at the real sources.

`check` does the same into a copy and fails when
  - the template in the repository lacks a text the sources use, or holds one
    they no longer use (run the update target: cmake --build BUILD --target
    vellico_lupdate);
  - a language's file has an entry that is unfinished, empty, or whose
    placeholders (%1, %2, %n) differ from the English text;
  - a widget is given a literal text that does not go through the translation
    (setText(QStringLiteral("...")) and the like).
"""

import argparse
import os
import re
import shutil
import subprocess
import sys
import xml.etree.ElementTree as ET

CONTEXT = "Vellico"
SOURCE_FOLDERS = ["src"]
SOURCE_SUFFIXES = (".cpp", ".h")
# The folders whose texts never reach the window: the command-line tool prints
# English (its output is read by scripts), and the manual pages stay English.
UNTRANSLATED_FOLDERS = ("src/cli/", "src/manual/")
NOOP_MACROS = ("QT_TRANSLATE_NOOP", "QT_TRANSLATE_NOOP3", "QT_TRANSLATE_N_NOOP", "QT_TRANSLATE_N_NOOP3")
IDENTIFIER = re.compile(r"[A-Za-z_][A-Za-z0-9_]*")


class Lexer:
    """Just enough of C++ to find calls and their string literals: comments,
    string and character literals (also raw strings) are skipped as units."""

    def __init__(self, text):
        self.text = text
        self.length = len(text)

    def skip_space(self, at):
        """Past white space and comments; returns (position, translator comments seen)."""
        comments = []
        text = self.text
        while at < self.length:
            if text[at].isspace():
                at += 1
            elif text.startswith("//", at):
                end = text.find("\n", at)
                end = self.length if end < 0 else end
                if text.startswith("//:", at):
                    comments.append(text[at + 3 : end].strip())
                at = end
            elif text.startswith("/*", at):
                end = text.find("*/", at + 2)
                at = self.length if end < 0 else end + 2
            else:
                break
        return at, comments

    def literal_end(self, at):
        """The end of the string or character literal starting at `at` (its quote,
        or the R of a raw string), or None when there is none there."""
        text = self.text
        match = re.match(r'(?:u8|u|U|L)?R"([^()\\ ]{0,16})\(', text[at : at + 24])
        if match:
            close = text.find(")" + match.group(1) + '"', at + match.end())
            return self.length if close < 0 else close + len(match.group(1)) + 2
        if at < self.length and text[at] in "\"'":
            quote = text[at]
            at += 1
            while at < self.length and text[at] != quote:
                at += 2 if text[at] == "\\" else 1
            return at + 1
        return None

    def string_literals(self, at):
        """Adjacent plain string literals from `at`: (their source text, end) or None."""
        parts = []
        while True:
            start, _ = self.skip_space(at)
            if start < self.length and self.text[start] == '"':
                end = self.literal_end(start)
                parts.append(self.text[start:end])
                at = end
            else:
                break
        return (" ".join(parts), at) if parts else None

    def matching_paren(self, at):
        """The position after the ')' that closes the '(' at `at`."""
        depth = 0
        while at < self.length:
            at, _ = self.skip_space(at)
            if at >= self.length:
                break
            end = self.literal_end(at)
            if end is not None:
                at = end
                continue
            char = self.text[at]
            if char == "(":
                depth += 1
            elif char == ")":
                depth -= 1
                if depth == 0:
                    return at + 1
            at += 1
        return self.length

    def tokens(self):
        """Identifiers outside comments and literals, with their positions."""
        at = 0
        text = self.text
        while at < self.length:
            at, comments = self.skip_space(at)
            if comments:
                yield ("comment", at, comments)
            if at >= self.length:
                break
            end = self.literal_end(at)
            if end is not None:
                at = end
                continue
            match = IDENTIFIER.match(text, at)
            if match and (at == 0 or not (text[at - 1].isalnum() or text[at - 1] == "_")):
                yield ("identifier", at, match.group(0))
                at = match.end()
            else:
                at += 1


def mirror_statements(text):
    """(line, statement) for every translatable text in a source file: the
    statements lupdate reads in its place."""
    lexer = Lexer(text)
    statements = []
    line_of = lambda at: text.count("\n", 0, at)  # noqa: E731
    for kind, at, value in lexer.tokens():
        if kind == "comment":
            for comment in value:
                statements.append((line_of(at) - 1, "//: " + comment))
            continue
        after, _ = lexer.skip_space(at + len(value))
        if after >= lexer.length or text[after] != "(":
            continue
        if value == "VQLocalizedString":
            found = lexer.string_literals(after + 1)
            if not found:
                continue  # a key from a table, marked where the table is
            literals, end = found
            end, _ = lexer.skip_space(end)
            macro = "QT_TRANSLATE_N_NOOP" if text[end : end + 1] == "," else "QT_TRANSLATE_NOOP"
            statements.append((line_of(at), f'{macro}("{CONTEXT}", {literals});'))
        elif value in NOOP_MACROS:
            end = lexer.matching_paren(after)
            call = " ".join(text[at:end].split())
            statements.append((line_of(at), call + ";"))
    return statements


def source_files(root):
    for folder in SOURCE_FOLDERS:
        for directory, _, names in os.walk(os.path.join(root, folder)):
            for name in sorted(names):
                if name.endswith(SOURCE_SUFFIXES):
                    path = os.path.join(directory, name)
                    relative = os.path.relpath(path, root).replace(os.sep, "/")
                    if not relative.startswith(UNTRANSLATED_FOLDERS):
                        yield relative


def write_mirror(root, mirror):
    """Writes the mirror tree; returns how many texts it holds."""
    shutil.rmtree(mirror, ignore_errors=True)
    count = 0
    for relative in source_files(root):
        with open(os.path.join(root, relative), encoding="utf-8") as source:
            text = source.read()
        statements = mirror_statements(text)
        if not statements:
            continue
        lines = [""] * (text.count("\n") + 1)
        for line, statement in statements:
            lines[max(line, 0)] += statement
            count += not statement.startswith("//:")
        target = os.path.join(mirror, relative)
        os.makedirs(os.path.dirname(target), exist_ok=True)
        with open(target, "w", encoding="utf-8") as out:
            out.write("\n".join(lines))
    return count


def ts_files(folder):
    return sorted(name for name in os.listdir(folder) if name.endswith(".ts"))


def language_of(name):
    match = re.fullmatch(r"vellico_(\w+)\.ts", name)
    return match.group(1) if match else None


def run_lupdate(lupdate, mirror, ts_folder):
    """Merges the mirror's texts into every .ts in ts_folder."""
    for name in ts_files(ts_folder):
        path = os.path.join(ts_folder, name)
        command = [lupdate, "-silent", "-no-obsolete", "-no-ui-lines", "-locations", "absolute",
                   "-source-language", "en", mirror, "-ts", path]
        language = language_of(name)
        if language:
            command[-2:-2] = ["-target-language", language]
        if language == "en":
            # English is the texts' own language: its file holds only the plural forms.
            command[-2:-2] = ["-pluralonly"]
        result = subprocess.run(command, capture_output=True, text=True)
        if result.returncode != 0:
            sys.exit(f"lupdate failed on {name}:\n{result.stdout}{result.stderr}")
        # The locations name the mirror; point them at the real sources.
        prefix = os.path.relpath(mirror, ts_folder).replace(os.sep, "/") + "/"
        real = os.path.relpath(os.path.dirname(ts_folder.rstrip("/")), ts_folder).replace(os.sep, "/") + "/"
        with open(path, encoding="utf-8") as ts:
            content = ts.read()
        with open(path, "w", encoding="utf-8") as ts:
            ts.write(content.replace(f'filename="{prefix}', f'filename="{real}'))


def messages(path):
    """{(context, source, comment): (numerus, [translation forms], finished)}."""
    found = {}
    for context in ET.parse(path).getroot().iter("context"):
        context_name = context.findtext("name") or ""
        for message in context.iter("message"):
            key = (context_name, message.findtext("source") or "", message.findtext("comment") or "")
            translation = message.find("translation")
            numerus = message.get("numerus") == "yes"
            if translation is None:
                forms, finished = [], False
            elif numerus:
                forms = [form.text or "" for form in translation.iter("numerusform")]
                finished = translation.get("type") not in ("unfinished", "vanished", "obsolete")
            else:
                forms = [translation.text or ""]
                finished = translation.get("type") not in ("unfinished", "vanished", "obsolete")
            found[key] = (numerus, forms, finished)
    return found


PLACEHOLDER = re.compile(r"%(?:L?[1-9][0-9]?|n|@)")


def placeholders(text):
    """The numbered placeholders a text uses, and each "%@" (filled in order, so counted)."""
    found = PLACEHOLDER.findall(text.replace("%L", "%"))
    return sorted(set(item for item in found if item != "%@")) + [item for item in found if item == "%@"]


# A widget given a literal: what reaches the window without translation.
UNWRAPPED = re.compile(
    r"\b(?:setText|setToolTip|setWindowTitle|setPlaceholderText|setAccessibleName|setAccessibleDescription"
    r"|setStatusTip|setWhatsThis|addAction|addMenu|setTitle|QLabel|QPushButton|QCheckBox|QRadioButton"
    r"|QGroupBox|QAction|QMenu)\s*\(\s*(?:QStringLiteral\s*\(\s*|QString\s*\(\s*|QLatin1String\s*\(\s*|u)?"
    r'"[^"]*[A-Za-z]{2}')


def unwrapped_texts(root):
    problems = []
    for relative in source_files(root):
        if not relative.startswith(("src/ui/", "src/app/", "src/vqcore/ui/")):
            continue
        with open(os.path.join(root, relative), encoding="utf-8") as source:
            for number, line in enumerate(source, 1):
                if UNWRAPPED.search(line) and "untranslated:" not in line:
                    problems.append(f"{relative}:{number}: a literal text that is not translated: {line.strip()}")
    return problems


def check(root, lupdate, work):
    ts_folder = os.path.join(root, "translations")
    copy = os.path.join(work, "ts-check")
    shutil.rmtree(copy, ignore_errors=True)
    shutil.copytree(ts_folder, copy)
    mirror = os.path.join(work, "mirror")
    write_mirror(root, mirror)
    run_lupdate(lupdate, mirror, copy)

    problems = []
    committed = messages(os.path.join(ts_folder, "vellico.ts"))
    current = messages(os.path.join(copy, "vellico.ts"))
    for key in sorted(set(current) - set(committed)):
        problems.append(f"vellico.ts lacks {key[1]!r}: run the vellico_lupdate target")
    for key in sorted(set(committed) - set(current)):
        problems.append(f"vellico.ts holds {key[1]!r}, which no source uses: run the vellico_lupdate target")

    for name in ts_files(copy):
        if not language_of(name):
            continue
        entries = messages(os.path.join(copy, name))
        for key in sorted(current):
            if language_of(name) == "en" and key not in entries:
                continue  # English holds only the texts with plural forms
            numerus, forms, finished = entries.get(key, (False, [], False))
            source = key[1]
            if not finished or not forms or not all(form.strip() for form in forms):
                problems.append(f"{name}: no finished translation of {source!r}")
                continue
            if key[0] != CONTEXT:
                continue  # Qt's own keys, such as the layout direction
            expected = placeholders(source)
            for form in forms:
                if placeholders(form) != expected and not (numerus and len(forms) == 1 and "%n" not in form):
                    problems.append(f"{name}: {form!r} has the placeholders {placeholders(form)}, "
                                    f"{source!r} has {expected}")
    problems += unwrapped_texts(root)
    for problem in problems:
        print(problem)
    print(f"translations: {len(current)} texts, {len(problems)} problem(s)")
    return 1 if problems else 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("command", choices=["update", "check"])
    parser.add_argument("--lupdate", required=True)
    parser.add_argument("--work", required=True, help="a folder for the mirror of the sources")
    parser.add_argument("--root", default=os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    arguments = parser.parse_args()
    root = os.path.abspath(arguments.root)
    work = os.path.abspath(arguments.work)
    if arguments.command == "check":
        return check(root, arguments.lupdate, work)
    mirror = os.path.join(work, "mirror")
    count = write_mirror(root, mirror)
    run_lupdate(arguments.lupdate, mirror, os.path.join(root, "translations"))
    print(f"translations: {count} texts from the sources merged into translations/")
    return 0


if __name__ == "__main__":
    sys.exit(main())
