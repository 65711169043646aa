#include "ui/data/BackupSistema.h"

#include "core/common/Clock.h"
#include "core/data/CopiaSeguridad.h"
#include "core/data/uDM.h"
#include "core/i18n/ULenguaje.h"
#include "ui/data/FDlgBackupRestaurar.h"
#include "ui/shell/Mensajes.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QProgressDialog>
#include <QThread>

#include <functional>
#include <memory>

using namespace CopiaSeguridad;

namespace {

// Runs the work on a thread of its own while a busy progress window, modal to the caller's
// window, keeps the application painted; returns when the work has ended.
void EnSegundoPlano(QWidget *padre, const QString &texto, std::function<void()> trabajo)
{
    QProgressDialog espera(texto, QString(), 0, 0, padre);
    espera.setObjectName(QStringLiteral("DlgEsperaBackup"));
    espera.setWindowModality(Qt::WindowModal);
    espera.setMinimumDuration(0);
    const std::unique_ptr<QThread> hilo(QThread::create(std::move(trabajo)));
    QEventLoop bucle;
    QObject::connect(hilo.get(), &QThread::finished, &bucle, &QEventLoop::quit);
    hilo->start();
    espera.show();
    bucle.exec();
    hilo->wait();
}

} // namespace

void RealizarBackupSistema(QWidget *padre)
{
    if (Confirmar(Traducir(QStringLiteral("MSG_PREGUNTA_BAKCUP_SISTEMA"),
                           QStringLiteral("¿ESTA SEGURO DE REALIZAR EL BACKUP DEL SISTEMA?")))
        != 1)
        return;
    if (!BackupDisponible(DM().motor())) {
        MostrarAviso(TextoBackupNoDisponible());
        return;
    }
    const TPlanBackup plan = PlanBackup(DM(), kBackupManual, Clock::now());
    bool correcta = false;
    EnSegundoPlano(padre,
                   Traducir(QStringLiteral("MSG_REALIZANDO_BACKUP"), QStringLiteral("REALIZANDO BACKUP...")),
                   [&plan, &correcta] { correcta = Copiar(plan); });
    MostrarAviso(RegistrarBackup(correcta, kBackupManual));
}

void RestaurarBackup(QWidget *padre)
{
    TDlgBackupRestaurar dialogo(padre);
    dialogo.exec();
}

void BackupAlCerrar()
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    HacerBackup(DM(), kBackupCierre, Clock::now());
    QGuiApplication::restoreOverrideCursor();
}
