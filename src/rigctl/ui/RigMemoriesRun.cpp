#include "rigctl/ui/RigMemoriesRun.h"

#include "cat/QSerialPortTransport.h"
#include "rigctl/Controller.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QProgressDialog>

namespace vm {

void runRigMemories(QWidget *parent, Controller &controller, rigMemories::Operation operation)
{
    QProgressDialog progress(parent);
    progress.setObjectName(QStringLiteral("MemoryProgress"));
    progress.setCancelButton(nullptr);
    progress.setRange(0, memoryChannels::MaxChannels);
    progress.setMinimumDuration(0);
    progress.setWindowModality(Qt::WindowModal);
    int step = 0;
    QSerialPortTransport transport;
    const rigMemories::Outcome outcome =
        rigMemories::run(controller, transport, operation, [&](const QString &caption) {
            progress.setLabelText(caption);
            progress.setValue(++step);
            // The run blocks this thread: let the number be painted.
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        });
    progress.close();
    auto *box = new QMessageBox(outcome.result.opened ? QMessageBox::Information : QMessageBox::Warning,
                                Controller::PanelTitle, outcome.message, QMessageBox::Ok, parent);
    box->setObjectName(QStringLiteral("MemoryResult"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

} // namespace vm
