#include "rigsim/ReceivedCommand.h"

#include "rigsim/CivCodec.h"

namespace vm::sim {

QString ReceivedCommand::text() const
{
    return civ::hex(command + data);
}

QString ReceivedCommand::describe() const
{
    QString answerText;
    switch (answer) {
    case Answer::None:
        answerText = addressed ? QStringLiteral("-") : QStringLiteral("not mine");
        break;
    case Answer::Ok:
        answerText = QStringLiteral("OK");
        break;
    case Answer::Ng:
        answerText = QStringLiteral("NG");
        break;
    case Answer::Data:
        answerText = QStringLiteral("data");
        break;
    }
    QString line =
        civ::hex(QByteArray(1, char(to))) + QLatin1Char(' ') + text() + QStringLiteral(" -> ") + answerText;
    if (preamble > 0)
        line += QStringLiteral(" (preamble %1)").arg(preamble);
    return line;
}

} // namespace vm::sim
