#include "common/TextFile.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

namespace vm {

bool TextFile::isUtf8(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    // decode() is lazy: the conversion runs when the result becomes a QString.
    const QString text = decoder.decode(bytes);
    Q_UNUSED(text);
    return !decoder.hasError();
}

QString TextFile::decode(const QByteArray &bytes)
{
    QByteArrayView view(bytes);
    if (view.startsWith("\xEF\xBB\xBF"))
        view = view.sliced(3);

    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(view);
    if (!utf8.hasError())
        return text;

    // Windows writes Japanese text in code page 932 (Shift_JIS with the
    // vendor extensions); plain Shift_JIS is the fallback name.
    for (const char *name : {"windows-31j", "Shift_JIS"}) {
        QStringDecoder sjis(name);
        if (sjis.isValid())
            return sjis.decode(view);
    }
    // No converter for Shift_JIS: keep every byte rather than lose the file.
    return QString::fromLatin1(view.data(), view.size());
}

std::optional<QString> TextFile::read(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return std::nullopt;
    }
    return decode(bytes);
}

QStringList TextFile::splitLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c == u'\n' || c == u'\r') {
            lines.append(text.mid(start, i - start));
            if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n')
                ++i;
            start = i + 1;
        }
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

std::optional<QStringList> TextFile::readLines(const QString &path, QString *error)
{
    const std::optional<QString> text = read(path, error);
    if (!text)
        return std::nullopt;
    return splitLines(*text);
}

bool TextFile::writeAtomic(const QString &path, const QString &text, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    const QByteArray bytes = text.toUtf8();
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        file.cancelWriting();
        return false;
    }
    return true;
}

bool TextFile::writeLinesAtomic(const QString &path, const QStringList &lines, QString *error)
{
    QString text;
    for (const QString &line : lines) {
        text += line;
        text += u'\n';
    }
    return writeAtomic(path, text, error);
}

} // namespace vm
