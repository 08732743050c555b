#include "common/ProfileFile.h"

#include "common/FileLock.h"
#include "common/TextFile.h"

#include <QFile>

namespace vm {

namespace {

// Blanks as the Windows profile code skips them around names and values.
bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == QChar(0x1a);
}

QStringView trimLeft(QStringView s)
{
    qsizetype i = 0;
    while (i < s.size() && isBlank(s.at(i)))
        ++i;
    return s.sliced(i);
}

QStringView trimRight(QStringView s)
{
    qsizetype n = s.size();
    while (n > 0 && isBlank(s.at(n - 1)))
        --n;
    return s.first(n);
}

QStringView trimBoth(QStringView s)
{
    return trimRight(trimLeft(s));
}

QString cutAtNul(const QString &s)
{
    const qsizetype nul = s.indexOf(QChar(0));
    return nul < 0 ? s : s.left(nul);
}

bool sameName(QStringView a, QStringView b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Quotes around a whole value (matching ' or ") are not part of it.
QString stripQuotes(const QString &value)
{
    if (value.size() >= 2) {
        const QChar q = value.front();
        if ((q == u'"' || q == u'\'') && value.back() == q)
            return value.mid(1, value.size() - 2);
    }
    return value;
}

struct ParsedLine {
    enum Kind { Blank, Section, Entry } kind = Blank;
    QString name;
    bool hasValue = false; // a line without '=' names a key without a value
    QString value;
};

ParsedLine parseLine(const QString &raw)
{
    ParsedLine p;
    const QStringView t = trimBoth(raw);
    if (t.isEmpty())
        return p;
    if (t.front() == u'[') {
        const qsizetype close = t.lastIndexOf(u']');
        if (close > 0) {
            p.kind = ParsedLine::Section;
            p.name = trimBoth(t.sliced(1, close - 1)).toString();
            return p;
        }
        // Without its closing bracket the line is read like a key line.
    }
    p.kind = ParsedLine::Entry;
    const qsizetype eq = t.indexOf(u'=');
    if (eq < 0) {
        p.name = t.toString();
        return p;
    }
    p.name = trimRight(t.first(eq)).toString();
    p.hasValue = true;
    p.value = trimLeft(t.sliced(eq + 1)).toString();
    return p;
}

// The lines of a profile file with their parsed form; edits keep every line
// that is not touched exactly as it was.
class Document {
public:
    explicit Document(const QStringList &lines)
    {
        m_raw = lines;
        m_parsed.reserve(lines.size());
        for (const QString &l : lines)
            m_parsed.append(parseLine(l));
    }

    QString text() const
    {
        QString out;
        for (const QString &l : m_raw) {
            out += l;
            out += u'\n';
        }
        return out;
    }

    // [begin, end) of the first section named `section`: begin is the header
    // line (or -1 for the lines before any header when `section` is empty).
    bool findSection(QStringView section, qsizetype *begin, qsizetype *end) const
    {
        qsizetype start = -2;
        if (section.isEmpty()) {
            start = -1;
        } else {
            for (qsizetype i = 0; i < m_parsed.size(); ++i) {
                if (m_parsed[i].kind == ParsedLine::Section && sameName(m_parsed[i].name, section)) {
                    start = i;
                    break;
                }
            }
        }
        if (start == -2)
            return false;
        qsizetype stop = start + 1;
        while (stop < m_parsed.size() && m_parsed[stop].kind != ParsedLine::Section)
            ++stop;
        *begin = start;
        *end = stop;
        return true;
    }

    // Index of the first line of the section that names `key`, or -1.
    qsizetype findKey(QStringView section, QStringView key) const
    {
        qsizetype begin = 0;
        qsizetype end = 0;
        if (!findSection(section, &begin, &end))
            return -1;
        for (qsizetype i = begin + 1; i < end; ++i) {
            if (m_parsed[i].kind == ParsedLine::Entry && sameName(m_parsed[i].name, key))
                return i;
        }
        return -1;
    }

    std::optional<QString> value(QStringView section, QStringView key) const
    {
        const qsizetype i = findKey(section, key);
        if (i < 0 || !m_parsed[i].hasValue)
            return std::nullopt;
        return m_parsed[i].value;
    }

    // Applies one write; true when the document changed.
    bool apply(const QString &section, const QString &key, const std::optional<QString> &value)
    {
        const qsizetype at = findKey(section, key);
        if (!value) {
            if (at < 0)
                return false;
            m_raw.removeAt(at);
            m_parsed.removeAt(at);
            return true;
        }
        if (at >= 0) {
            const QString line = m_parsed[at].name + u'=' + *value;
            if (m_raw[at] == line)
                return false;
            setLine(at, line);
            return true;
        }
        const QString line = key + u'=' + *value;
        qsizetype begin = 0;
        qsizetype end = 0;
        if (findSection(section, &begin, &end)) {
            // After the last non-blank line of the section, so that blank
            // lines separating it from the next section stay in between.
            qsizetype pos = end;
            while (pos - 1 > begin && m_parsed[pos - 1].kind == ParsedLine::Blank)
                --pos;
            insertLine(pos, line);
        } else {
            insertLine(m_raw.size(), u'[' + section + u']');
            insertLine(m_raw.size(), line);
        }
        return true;
    }

    // Removes key lines of every section named `section` that satisfy pred.
    bool removeIf(QStringView section, const std::function<bool(const QString &)> &pred)
    {
        bool changed = false;
        bool inSection = section.isEmpty();
        for (qsizetype i = 0; i < m_parsed.size();) {
            const ParsedLine &p = m_parsed[i];
            if (p.kind == ParsedLine::Section) {
                inSection = sameName(p.name, section);
            } else if (inSection && p.kind == ParsedLine::Entry && pred(p.name)) {
                m_raw.removeAt(i);
                m_parsed.removeAt(i);
                changed = true;
                continue;
            }
            ++i;
        }
        return changed;
    }

    QStringList sections() const
    {
        QStringList out;
        for (const ParsedLine &p : m_parsed) {
            if (p.kind == ParsedLine::Section && !out.contains(p.name, Qt::CaseInsensitive))
                out.append(p.name);
        }
        return out;
    }

    QStringList keys(QStringView section) const
    {
        QStringList out;
        qsizetype begin = 0;
        qsizetype end = 0;
        if (!findSection(section, &begin, &end))
            return out;
        for (qsizetype i = begin + 1; i < end; ++i) {
            const ParsedLine &p = m_parsed[i];
            if (p.kind == ParsedLine::Entry && p.hasValue && !p.name.isEmpty() && !p.name.startsWith(u';') &&
                !out.contains(p.name, Qt::CaseInsensitive))
                out.append(p.name);
        }
        return out;
    }

private:
    void setLine(qsizetype i, const QString &line)
    {
        m_raw[i] = line;
        m_parsed[i] = parseLine(line);
    }
    void insertLine(qsizetype i, const QString &line)
    {
        m_raw.insert(i, line);
        m_parsed.insert(i, parseLine(line));
    }

    QStringList m_raw;
    QList<ParsedLine> m_parsed;
};

// Reads the file; an absent file is an empty document, an unreadable one an error.
std::optional<Document> load(const QString &path)
{
    if (!QFile::exists(path))
        return Document({});
    const std::optional<QStringList> lines = TextFile::readLines(path);
    if (!lines)
        return std::nullopt;
    return Document(*lines);
}

// Names must not break the line structure of the file.
bool validName(const QString &name)
{
    return !name.isEmpty() && !name.contains(u'\n') && !name.contains(u'\r') && !name.contains(QChar(0));
}

bool validEntry(const ProfileFile::Entry &e)
{
    if (!validName(e.section) || e.section.contains(u']') || !validName(e.key) || e.key.contains(u'=') ||
        e.key.startsWith(u'['))
        return false;
    if (e.value) {
        const QString v = cutAtNul(*e.value);
        if (v.contains(u'\n') || v.contains(u'\r'))
            return false;
    }
    return true;
}

// The form a value is stored in: cut at a NUL, leading blanks dropped.
std::optional<QString> storedValue(const std::optional<QString> &value)
{
    if (!value)
        return std::nullopt;
    return trimLeft(cutAtNul(*value)).toString();
}

} // namespace

ProfileFile::ProfileFile(QString path) : m_path(std::move(path)) {}

QString ProfileFile::get(const QString &section, const QString &key, const QString &defaultValue) const
{
    if (std::optional<QString> stored = value(section, key))
        return *stored;
    // The default loses its trailing spaces and enclosing quotes, as with
    // the Windows call.
    qsizetype n = defaultValue.size();
    while (n > 0 && defaultValue.at(n - 1) == u' ')
        --n;
    return cutAtNul(stripQuotes(defaultValue.left(n)));
}

std::optional<QString> ProfileFile::value(const QString &section, const QString &key) const
{
    const QString k = trimBoth(key).toString();
    if (k.isEmpty())
        return std::nullopt;
    const std::optional<Document> doc = load(m_path);
    if (!doc)
        return std::nullopt;
    const std::optional<QString> v = doc->value(trimBoth(section), k);
    if (!v)
        return std::nullopt;
    return cutAtNul(stripQuotes(*v));
}

bool ProfileFile::set(const QString &section, const QString &key, const std::optional<QString> &value)
{
    return setMany({Entry{section, key, value}});
}

bool ProfileFile::setMany(const QList<Entry> &entries)
{
    QList<Entry> clean;
    clean.reserve(entries.size());
    for (const Entry &e : entries) {
        Entry c{trimBoth(e.section).toString(), trimBoth(e.key).toString(), storedValue(e.value)};
        if (!validEntry(c))
            return false;
        clean.append(c);
    }

    FileLock lock(FileLock::lockPathFor(m_path));
    if (!lock.isLocked())
        return false;
    std::optional<Document> doc = load(m_path);
    if (!doc)
        return false; // never replace a file we could not read
    bool changed = false;
    for (const Entry &e : clean)
        changed = doc->apply(e.section, e.key, e.value) || changed;
    if (!changed)
        return true; // nothing to do; a removal never creates a missing file
    return TextFile::writeAtomic(m_path, doc->text());
}

bool ProfileFile::removeKeysIf(const QString &section, const std::function<bool(const QString &key)> &pred)
{
    FileLock lock(FileLock::lockPathFor(m_path));
    if (!lock.isLocked())
        return false;
    if (!QFile::exists(m_path))
        return true;
    std::optional<Document> doc = load(m_path);
    if (!doc)
        return false;
    if (!doc->removeIf(trimBoth(section), pred))
        return true;
    return TextFile::writeAtomic(m_path, doc->text());
}

bool ProfileFile::remove()
{
    FileLock lock(FileLock::lockPathFor(m_path));
    if (!QFile::exists(m_path))
        return true;
    return QFile::remove(m_path);
}

QStringList ProfileFile::sections() const
{
    const std::optional<Document> doc = load(m_path);
    return doc ? doc->sections() : QStringList();
}

QStringList ProfileFile::keys(const QString &section) const
{
    const std::optional<Document> doc = load(m_path);
    return doc ? doc->keys(trimBoth(section)) : QStringList();
}

} // namespace vm
