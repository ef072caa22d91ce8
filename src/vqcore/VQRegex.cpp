#include "vqcore/VQRegex.h"

#include "vqcore/VQLog.h"

#include <QHash>
#include <QMutex>

namespace
{
QMutex gCacheMutex;

// Compiled expressions by (options, pattern). QRegularExpression is implicitly
// shared and matching on it is thread-safe, so callers keep cheap copies.
QHash<QString, QRegularExpression> &cache()
{
    static QHash<QString, QRegularExpression> expressions;
    return expressions;
}

QRegularExpression compiled(const QString &pattern, unsigned options)
{
    const QString key = QString::number(options) + QLatin1Char(':') + pattern;
    QMutexLocker locker(&gCacheMutex);
    const auto it = cache().constFind(key);
    if (it != cache().constEnd())
        return *it;
    QRegularExpression::PatternOptions qtOptions = QRegularExpression::NoPatternOption;
    if (options & VQRegex::CaseInsensitive)
        qtOptions |= QRegularExpression::CaseInsensitiveOption;
    QRegularExpression expression(pattern, qtOptions);
    // Compile now rather than at the first match, so the cache holds the
    // finished program and a bad pattern is reported once.
    expression.optimize();
    if (!expression.isValid())
        VQLog(QStringLiteral("invalid pattern \"%1\": %2").arg(pattern, expression.errorString()));
    cache().insert(key, expression);
    return expression;
}
} // namespace

VQRegex::VQRegex(const QString &pattern, unsigned options)
    : _pattern(pattern), _options(options), _expression(compiled(pattern, options))
{
}

bool VQRegex::isValid() const
{
    return _expression.isValid();
}

QString VQRegex::errorString() const
{
    return _expression.isValid() ? QString() : _expression.errorString();
}

bool VQRegex::matchesWholeText(const QString &text) const
{
    if (!_expression.isValid())
        return false;
    // \A(?:…)\z rather than a match that merely starts at 0: with "a|ab" the
    // text "ab" must be tried against the second branch too.
    return compiled(QRegularExpression::anchoredPattern(_pattern), _options).match(text).hasMatch();
}

QRegularExpressionMatch VQRegex::firstMatch(const QString &text) const
{
    // Matching with an invalid expression only earns a warning; the empty match says "no match".
    return _expression.isValid() ? _expression.match(text) : QRegularExpressionMatch();
}

bool matchesRegexString(const QString &text, const QString &pattern)
{
    return VQRegex(pattern).matchesWholeText(text);
}

std::optional<QString> getRegexVariableNamed(const QString &text, const VQRegex &regex, const QString &name)
{
    if (name.isEmpty() || !regex.isValid() || !regex.expression().namedCaptureGroups().contains(name))
        return std::nullopt;
    const QRegularExpressionMatch match = regex.firstMatch(text);
    if (!match.hasMatch() || match.capturedStart(name) < 0)
        return std::nullopt;
    return match.captured(name);
}
