// The settings file: any bytes read as a settings file, every section and key
// read back, then one write, which must read back and keep every other value.
#include "FuzzSupport.h"
#include "common/ProfileFile.h"

#include <QHash>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = vm::fuzz::inputFile(QStringLiteral("Velomira.ini"), vm::fuzz::bytes(data, size));
    vm::ProfileFile profile(path);
    QHash<QString, QString> before;
    const QStringList sections = profile.sections();
    for (const QString &section : sections) {
        for (const QString &key : profile.keys(section)) {
            if (const auto v = profile.value(section, key))
                before.insert(section.toLower() + u'\n' + key.toLower(), *v);
        }
    }
    if (!profile.set(QStringLiteral("VLMRC"), QStringLiteral("FUZZKEY"), QStringLiteral("42")))
        return 0; // refused (unreadable file): left unchanged
    VM_FUZZ_CHECK(profile.get(QStringLiteral("vlmrc"), QStringLiteral("fuzzkey"), QString()) == u"42");
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        const qsizetype cut = it.key().indexOf(u'\n');
        const QString section = it.key().left(cut);
        const QString key = it.key().mid(cut + 1);
        if (section == u"vlmrc" && key == u"fuzzkey")
            continue;
        VM_FUZZ_CHECK(profile.value(section, key) == it.value());
    }
    return 0;
}
