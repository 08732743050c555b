#include "rigsim/TextRig.h"

namespace vm::sim {

namespace {

constexpr qint64 MHz = 1'000'000;

const char *const KenwoodModes = " LSB USB CW FM AM FSK CWR ? FSR";
const char *const YaesuModes = " LSB USB CW FM AM RTTY CW-R PKT-L RTTY-R PKT-FM FM-N PKT-U AM-N";

QStringList modeNames(bool yaesu)
{
    return QString::fromLatin1(yaesu ? YaesuModes : KenwoodModes).split(QLatin1Char(' '));
}

QString digitText(int index)
{
    return index < 10 ? QString::number(index) : QString(QChar('A' + index - 10));
}

QList<TextRigModel> buildModels()
{
    const QList<QPair<qint64, qint64>> hf{{30'000, 60 * MHz}};
    QList<TextRigModel> t;
    TextRigModel m;
    m.id = QStringLiteral("TS2000");
    m.identity = QStringLiteral("019");
    m.modeCommand = QStringLiteral("MD");
    m.satellite = true;
    m.commands = {"SA", "AI", "RM", "FT", "FR", "EX", "KS", "TN", "TO", "PB", "KY", "TS", "FV"};
    m.ranges = {{30'000, 60 * MHz}, {142 * MHz, 152 * MHz}, {420 * MHz, 450 * MHz}, {1240 * MHz, 1300 * MHz}};
    m.mainHz = 435'800'000;
    m.subHz = 145'900'000;
    t << m;

    m = {};
    m.id = QStringLiteral("TS590");
    m.identity = QStringLiteral("021");
    m.modeCommand = QStringLiteral("MD");
    m.commands = {"AI", "FT", "FR", "KS", "TN", "TO", "KY"};
    m.ranges = hf;
    m.mainHz = 14'200'000;
    m.subHz = 7'100'000;
    t << m;

    m.id = QStringLiteral("TS990");
    m.identity = QStringLiteral("024");
    m.commands << QStringLiteral("CB"); // main / sub band in control
    m.modeCommand = QStringLiteral("OM0");
    t << m;

    m = {};
    m.id = QStringLiteral("FT2000");
    m.identity = QStringLiteral("0251");
    m.digits = 8;
    m.modeCommand = QStringLiteral("MD0");
    m.yaesuModes = true;
    m.ifAnswer = true;
    m.commands = {"AI", "KS", "CN", "CT", "EX", "VS", "NA", "SH"};
    m.ranges = hf;
    m.mainHz = 14'250'000;
    m.subHz = 7'050'000;
    t << m;

    m.id = QStringLiteral("FT991");
    m.identity = QStringLiteral("0570");
    m.digits = 9;
    m.commands = {"AI", "KS", "CN", "CT", "EX", "VS", "NA", "KY", "KM", "AB", "FT", "SH", "XT", "RT"};
    m.ranges = {{30'000, 56 * MHz}, {118 * MHz, 164 * MHz}, {420 * MHz, 470 * MHz}};
    m.mainHz = 145'900'000;
    m.subHz = 435'800'000;
    t << m;
    return t;
}

} // namespace

bool TextRigModel::canTune(qint64 hz) const
{
    for (const auto &[low, high] : ranges) {
        if (hz >= low && hz <= high)
            return true;
    }
    return false;
}

const QList<TextRigModel> &TextRigModel::all()
{
    static const QList<TextRigModel> models = buildModels();
    return models;
}

const TextRigModel *TextRigModel::find(const QString &id)
{
    for (const TextRigModel &m : all()) {
        if (m.id.compare(id, Qt::CaseInsensitive) == 0)
            return &m;
    }
    return nullptr;
}

TextRig::TextRig(const TextRigModel &model) : m_model(model)
{
    m_vfo[0].hz = model.mainHz;
    m_vfo[1].hz = model.subHz;
    m_vfo[1].mode = QLatin1Char('1');
    m_values = {{"PS", "1"}, {"AI", "0"},   {"RM", "10000"},   {"FT", "0"},    {"FR", "0"},  {"KS", "020"},
                {"TO", "0"}, {"TN", "08"},  {"SA", "0010010"}, {"EX012", "0"}, {"CT", "00"}, {"CN", "008"},
                {"CB", "0"}, {"SH", "000"}, {"NA", "00"},      {"VS", "0"}};
}

QByteArray TextRig::receiveByte(quint8 byte)
{
    if (byte == '\r' || byte == '\n')
        return {};
    if (byte != ';') {
        if (m_buffer.size() < 200)
            m_buffer += QChar(byte);
        return {};
    }
    const QString command = m_buffer;
    m_buffer.clear();
    m_log << command + QLatin1Char(';');
    if (m_failure == FailureMode::Silent)
        return {};
    QByteArray out =
        (m_failure == FailureMode::RejectAll ? QStringLiteral("?;") : execute(command)).toLatin1();
    if (out.isEmpty())
        return out;
    if (m_failure == FailureMode::Short) {
        out.chop(1);
    } else if (m_failure == FailureMode::Garbage) {
        for (char &c : out) {
            m_noise = m_noise * 1664525u + 1013904223u;
            c = char('A' + (m_noise >> 24) % 26); // letters only: never a full answer
        }
    }
    return out;
}

int TextRig::controlVfo() const
{
    // TS2000 satellite mode with the sub band in control: "SA1xx1xxx".
    const QString sa = m_values.value(QStringLiteral("SA"));
    return m_model.satellite && sa.startsWith(QLatin1Char('1')) && sa.mid(3, 1) == QLatin1String("1") ? 1 : 0;
}

QString TextRig::frequencyCommand(int vfo, const QString &name, const QString &param)
{
    if (param.isEmpty())
        return name + QString::number(m_vfo[vfo].hz).rightJustified(m_model.digits, QLatin1Char('0')) +
               QLatin1Char(';');
    bool ok = false;
    const qint64 hz = param.toLongLong(&ok);
    if (param.size() != m_model.digits || !ok || !m_model.canTune(hz))
        return QStringLiteral("?;");
    m_vfo[vfo].hz = hz;
    return {};
}

QString TextRig::modeCommand(const QString &param)
{
    Vfo &vfo = m_vfo[controlVfo()];
    if (param.isEmpty())
        return m_model.modeCommand + vfo.mode + QLatin1Char(';');
    if (param.size() != 1 || modeName(param.at(0)).isEmpty())
        return QStringLiteral("?;");
    vfo.mode = param.at(0);
    return {};
}

QString TextRig::execute(const QString &command)
{
    if (command.size() < 2)
        return QStringLiteral("?;");
    const QString name = command.left(2).toUpper();
    const QString param = command.mid(2);
    if (name == QLatin1String("FA") || name == QLatin1String("FB"))
        return frequencyCommand(name == QLatin1String("FA") ? 0 : 1, name, param);
    if (command.startsWith(m_model.modeCommand))
        return modeCommand(command.mid(m_model.modeCommand.size()));
    if (name == QLatin1String("ID") && param.isEmpty())
        return QStringLiteral("ID") + m_model.identity + QLatin1Char(';');
    if (name == QLatin1String("IF") && param.isEmpty()) {
        const Vfo &a = m_vfo[0];
        const QString hz = QString::number(a.hz).rightJustified(m_model.digits, QLatin1Char('0'));
        if (m_model.ifAnswer) // Yaesu: channel, dial, clarifier, mode
            return QStringLiteral("IF001") + hz + QStringLiteral("+000000") + a.mode +
                   QStringLiteral("00000;");
        // Kenwood: dial, step, RIT, ..., mode at 29, VFO at 30, split at 32; 38 characters.
        QString out = QStringLiteral("IF") + hz + QStringLiteral("00000+0000") + QString(6, QLatin1Char('0'));
        out += a.mode + QStringLiteral("0000000;");
        return out;
    }
    if (name != QLatin1String("PS") && !m_model.commands.contains(name))
        return QStringLiteral("?;");
    if (name == QLatin1String("KY")) {
        // Kenwood: "KY" + space + text keys it, "KY0" stops; Yaesu: "KYn" plays keyer memory n.
        m_cw << (param == QLatin1String("0") && !m_model.yaesuModes ? QStringLiteral("<stop>")
                                                                    : param.trimmed());
        return {};
    }
    if (name == QLatin1String("PB")) {
        if (param == QLatin1String("0"))
            m_cw << QStringLiteral("<stop>");
        return {};
    }
    if (name == QLatin1String("KM")) {
        if (param.isEmpty() || !param.endsWith(QLatin1Char('}')))
            return QStringLiteral("?;");
        m_values[QStringLiteral("KM") + param.left(1)] = param.mid(1).chopped(1);
        return {};
    }
    if (name == QLatin1String("EX") && m_model.yaesuModes) {
        // Yaesu menus: "EXnnn" reads menu nnn, more digits set it.
        if (param.size() < 3)
            return QStringLiteral("?;");
        const QString key = QStringLiteral("EX") + param.left(3);
        if (param.size() > 3) {
            m_values[key] = param.mid(3);
            return {};
        }
        return m_values.contains(key) ? key + m_values.value(key) + QLatin1Char(';') : QStringLiteral("?;");
    }
    if (name == QLatin1String("EX")) {
        // Menu 012 only: "EX0120000" reads it, one more digit sets it.
        if (!param.startsWith(QLatin1String("0120000")) || param.size() > 8)
            return QStringLiteral("?;");
        if (param.size() == 7)
            return QStringLiteral("EX0120000") + m_values.value(QStringLiteral("EX012")) + QLatin1Char(';');
        m_values[QStringLiteral("EX012")] = param.right(1);
        return {};
    }
    if (name == QLatin1String("SA")) {
        if (param.isEmpty()) // the settings and the eight-character memory name
            return QStringLiteral("SA") + m_values.value(name) + QStringLiteral("        ;");
        if (param.size() != 7)
            return QStringLiteral("?;");
    }
    // Yaesu reads that name a selector ("SH0;") answer with the setting that starts with it.
    const QString stored = m_values.value(name);
    if (m_model.yaesuModes && param.size() == 1 && stored.size() > 1 && stored.startsWith(param))
        return name + stored + QLatin1Char(';');
    if (param.isEmpty()) {
        const QString v = m_values.value(name);
        return v.isEmpty() ? QStringLiteral("?;") : name + v + QLatin1Char(';');
    }
    m_values[name] = param;
    return {};
}

QString TextRig::modeName(QChar digit) const
{
    const QStringList names = modeNames(m_model.yaesuModes);
    const int index = digit.isDigit() ? digit.digitValue() : digit.toUpper().unicode() - 'A' + 10;
    if (index <= 0 || index >= names.size() || names.at(index) == QLatin1String("?"))
        return {};
    return names.at(index);
}

QStringList TextRig::statusDetails() const
{
    QStringList out;
    for (auto it = m_values.cbegin(); it != m_values.cend(); ++it)
        out << it.key() + QLatin1Char('=') + it.value();
    return out;
}

QString TextRig::dialText(RigSide side) const
{
    return QStringLiteral("%1 %2").arg(hz(side)).arg(modeName(modeDigit(side)));
}

bool TextRig::turnDial(RigSide side, qint64 hz)
{
    if (!m_model.canTune(hz))
        return false;
    m_vfo[side == RigSide::Main ? 0 : 1].hz = hz;
    return true;
}

QString TextRig::changeMode(RigSide side, const QStringList &words)
{
    const int index = modeNames(m_model.yaesuModes).indexOf(words.value(0).toUpper());
    if (index <= 0)
        return QStringLiteral("%1 has no mode %2").arg(m_model.id, words.value(0));
    m_vfo[side == RigSide::Main ? 0 : 1].mode = digitText(index).at(0);
    return {};
}

} // namespace vm::sim
