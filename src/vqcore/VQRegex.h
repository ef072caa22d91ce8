#pragma once
// Regular expressions as the colour-text reader writes them: PCRE syntax with
// named groups spelled `(?P<name>…)`. A pattern is compiled once per process
// and kept; an invalid pattern never matches and never throws.

#include <QRegularExpression>
#include <QString>

#include <optional>

class VQRegex
{
  public:
    // Options: VQRegex::CaseInsensitive, or 0 for none.
    enum Option : unsigned { NoOptions = 0, CaseInsensitive = 1 };

    explicit VQRegex(const QString &pattern, unsigned options = NoOptions);

    const QString &pattern() const { return _pattern; }
    bool isValid() const;
    // Why the pattern did not compile; empty when it did.
    QString errorString() const;

    // The whole text matches.
    bool matchesWholeText(const QString &text) const;
    // The first match anywhere in the text.
    QRegularExpressionMatch firstMatch(const QString &text) const;

    // The compiled expression, shared by every VQRegex with the same pattern and options.
    const QRegularExpression &expression() const { return _expression; }

  private:
    QString _pattern;
    unsigned _options;
    QRegularExpression _expression;
};

// The whole of `text` matches `pattern`. False for an invalid pattern.
bool matchesRegexString(const QString &text, const QString &pattern);

// The named group `name` of the first match of `regex` anywhere in `text`.
// Nothing when there is no match, the group did not take part in it, or the
// pattern has no such group.
std::optional<QString> getRegexVariableNamed(const QString &text, const VQRegex &regex, const QString &name);
