#include "tracking/WineRegistry.h"

#include "common/TextFile.h"

#include <QDateTime>
#include <QFile>

namespace vm::wineRegistry {

namespace {

// Decodes a quoted text starting at text[pos] == '"'; pos ends after the closing quote.
QString unquote(const QString &text, qsizetype &pos)
{
    QString out;
    ++pos; // opening quote
    while (pos < text.size()) {
        const QChar c = text.at(pos++);
        if (c == QLatin1Char('"'))
            return out;
        if (c != QLatin1Char('\\') || pos >= text.size()) {
            out += c;
            continue;
        }
        const QChar e = text.at(pos++);
        switch (e.unicode()) {
        case 'n':
            out += QLatin1Char('\n');
            break;
        case 'r':
            out += QLatin1Char('\r');
            break;
        case 't':
            out += QLatin1Char('\t');
            break;
        case '0':
            out += QChar(0);
            break;
        case 'x': {
            qsizetype end = pos;
            while (end < text.size() && end - pos < 4 &&
                   QString(QStringLiteral("0123456789abcdefABCDEF")).contains(text.at(end)))
                ++end;
            bool ok = false;
            const uint code = text.mid(pos, end - pos).toUInt(&ok, 16);
            if (ok)
                out += QChar(static_cast<char16_t>(code));
            pos = end;
            break;
        }
        default:
            out += e; // \\ and \" and anything else stand for themselves
        }
    }
    return out;
}

QString normaliseKey(QString key)
{
    key.replace(QLatin1String("\\\\"), QLatin1String("\\"));
    return key.toLower();
}

// The key path of a "[...] stamp" line, unescaped; empty when not a key line.
QString keyOfLine(const QString &line)
{
    if (!line.startsWith(QLatin1Char('[')))
        return {};
    const qsizetype close = line.lastIndexOf(QLatin1Char(']'));
    if (close < 1)
        return {};
    return normaliseKey(line.mid(1, close - 1));
}

} // namespace

QString escape(const QString &text)
{
    QString out;
    for (const QChar c : text) {
        if (c == QLatin1Char('\\') || c == QLatin1Char('"')) {
            out += QLatin1Char('\\');
            out += c;
        } else if (c == QLatin1Char('\n')) {
            out += QLatin1String("\\n");
        } else if (c.unicode() < 0x20 || c.unicode() > 0x7e) {
            out += QStringLiteral("\\x%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        } else {
            out += c;
        }
    }
    return out;
}

QHash<QString, QString> parseKey(const QString &text, const QString &keyPath, bool *found)
{
    const QString wanted = normaliseKey(QString(keyPath).replace(QLatin1Char('\\'), QLatin1String("\\\\")));
    QHash<QString, QString> values;
    bool inKey = false;
    bool seen = false;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (QString line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.startsWith(QLatin1Char('['))) {
            inKey = keyOfLine(line) == wanted;
            seen = seen || inKey;
            continue;
        }
        if (!inKey || !line.startsWith(QLatin1Char('"')))
            continue;
        qsizetype pos = 0;
        const QString name = unquote(line, pos);
        if (pos >= line.size() || line.at(pos) != QLatin1Char('='))
            continue;
        ++pos;
        if (line.mid(pos).startsWith(QLatin1String("str(2):")))
            pos += 7;
        if (pos < line.size() && line.at(pos) == QLatin1Char('"')) {
            values.insert(name, unquote(line, pos));
        } else if (line.mid(pos).startsWith(QLatin1String("dword:"))) {
            bool ok = false;
            const uint v = line.mid(pos + 6).toUInt(&ok, 16);
            if (ok)
                values.insert(name, QString::number(v));
        }
    }
    if (found)
        *found = seen;
    return values;
}

QHash<QString, QString> readKey(const QString &file, const QString &keyPath, bool *found)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) {
        if (found)
            *found = false;
        return {};
    }
    return parseKey(TextFile::decode(f.readAll()), keyPath, found);
}

bool writeKey(const QString &file, const QString &keyPath, const QHash<QString, QString> &values)
{
    QString text;
    QFile f(file);
    if (f.open(QIODevice::ReadOnly))
        text = TextFile::decode(f.readAll());
    f.close();
    if (text.isEmpty())
        text = QStringLiteral(
            "WINE REGISTRY Version 2\n;; All keys relative to \\\\User\\\\S-1-5-21-0-0-0-1000\n\n");

    const QString escapedPath = QString(keyPath).replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    const QString wanted = normaliseKey(escapedPath);
    QStringList lines = text.split(QLatin1Char('\n'));
    QStringList out;
    bool skipping = false;
    for (const QString &line : lines) {
        if (line.startsWith(QLatin1Char('[')))
            skipping = keyOfLine(line) == wanted;
        if (!skipping)
            out << line;
    }
    while (!out.isEmpty() && out.last().isEmpty())
        out.removeLast();
    out << QString();
    out << QStringLiteral("[%1] %2").arg(escapedPath).arg(QDateTime::currentSecsSinceEpoch());
    QStringList names = values.keys();
    names.sort();
    for (const QString &name : names)
        out << QStringLiteral("\"%1\"=\"%2\"").arg(escape(name), escape(values.value(name)));
    out << QString();
    return TextFile::writeAtomic(file, out.join(QLatin1Char('\n')));
}

} // namespace vm::wineRegistry
