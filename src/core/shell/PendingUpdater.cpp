#include "core/shell/PendingUpdater.h"

#include "core/common/EscrituraSegura.h"
#include "core/shell/AppDirectory.h"
#include "core/shell/ProcessTools.h"

#include <QFile>
#include <QSaveFile>

PendingUpdaterResult ApplyPendingUpdater(const AppDirectory &directory)
{
    QFile pending(directory.pendingUpdaterFile());
    if (!pending.exists())
        return PendingUpdaterResult::NothingPending;
    EsperarMientrasActivo(AppDirectory::kUpdaterName);

    if (!pending.open(QIODevice::ReadOnly))
        return PendingUpdaterResult::Failed;
    QSaveFile updater(directory.updaterFile());
    if (!updater.open(QIODevice::WriteOnly))
        return PendingUpdaterResult::Failed;
    while (!pending.atEnd()) {
        const QByteArray chunk = pending.read(1 << 16);
        if (chunk.isEmpty() && pending.error() != QFileDevice::NoError) {
            updater.cancelWriting();
            break;
        }
        updater.write(chunk);
    }
    updater.setPermissions(pending.permissions() | QFileDevice::ExeOwner | QFileDevice::ExeUser);
    if (!ConfirmarEscritura(updater))
        return PendingUpdaterResult::Failed;
    pending.close();
    pending.remove();
    return PendingUpdaterResult::Replaced;
}
