#include "core/common/Clock.h"
#include "core/data/CopiaSeguridad.h"
#include "core/data/uDM.h"
#include "core/i18n/ULenguaje.h"
#include "core/shell/FinAplicacion.h"
#include "support/MensajesGrabados.h"
#include "support/TestDatabase.h"
#include "ui/data/BackupSistema.h"
#include "ui/data/FDlgBackupRestaurar.h"

#include <QListWidget>
#include <QPushButton>
#include <QTest>

// What the pharmacist sees when making a backup and restoring one.
class TestBackupRestaurar : public QObject
{
    Q_OBJECT

    struct Entorno
    {
        Entorno()
        {
            EstablecerFinAplicacion([this] { terminada = true; });
        }
        ~Entorno() { EstablecerFinAplicacion({}); }

        FixedClock reloj {QDateTime(QDate(2024, 5, 6), QTime(10, 30, 15))};
        TLenguaje lenguaje {QStringLiteral("/nonexistent/pastillero.lng")};
        TestDatabase db {SqlEngine::SQLite};
        TDM dm {db.directory()};
        MensajesGrabados grabados;
        bool terminada = false;
    };

private slots:
    void laCopiaManualSePreguntaYSeInforma_data()
    {
        QTest::addColumn<int>("respuesta");
        QTest::addColumn<QStringList>("avisos");
        QTest::addColumn<bool>("copia");
        QTest::newRow("accepted") << 1 << QStringList {"BACKUP REALIZADA CORRECTAMENTE"} << true;
        QTest::newRow("cancelled") << 2 << QStringList {} << false;
    }
    void laCopiaManualSePreguntaYSeInforma()
    {
        QFETCH(int, respuesta);
        QFETCH(QStringList, avisos);
        QFETCH(bool, copia);
        Entorno e;
        e.grabados.Responder(respuesta);
        RealizarBackupSistema(nullptr);
        QCOMPARE(e.grabados.Textos(MensajesGrabados::TTipo::Confirmar),
                 QStringList {"¿ESTA SEGURO DE REALIZAR EL BACKUP DEL SISTEMA?"});
        QCOMPARE(e.grabados.Textos(MensajesGrabados::TTipo::Aviso), avisos);
        QCOMPARE(e.db.appDirectory().exists(QStringLiteral("backup/Data_20240506_103015.dat")), copia);
    }

    // "RESTAURAR": nothing without a file or a confirmation; a refused file changes nothing and
    // the application goes on; a restored one ends it.
    void laRestauracion_data()
    {
        QTest::addColumn<QString>("fichero"); // empty: none selected
        QTest::addColumn<int>("respuesta");
        QTest::addColumn<QStringList>("avisos");
        QTest::addColumn<bool>("terminada");
        QTest::newRow("nothing selected") << "" << 1 << QStringList {} << false;
        QTest::newRow("not confirmed") << "Data_backup.dat" << 2 << QStringList {} << false;
        QTest::newRow("not a backup")
                << "notas.txt" << 1 << QStringList {"RESTAURACION NO SE HA PODIDO REALIZAR"} << false;
        QTest::newRow("restored")
                << "Data_backup.dat" << 1
                << QStringList {"RESTAURACION REALIZADA CORRECTAMENTE",
                                "EL PROGRAMA SE VA A CERRAR PARA QUE SURTA EFECTO LA  RESTAURACION"}
                << true;
    }
    void laRestauracion()
    {
        QFETCH(QString, fichero);
        QFETCH(int, respuesta);
        QFETCH(QStringList, avisos);
        QFETCH(bool, terminada);
        Entorno e;
        QVERIFY(CopiaSeguridad::HacerBackup(e.dm, CopiaSeguridad::kBackupCierre, Clock::now()));
        e.db.appDirectory().write(QStringLiteral("backup/notas.txt"), "no es una copia");
        TDlgBackupRestaurar dialogo;
        auto *lista = dialogo.findChild<QListWidget *>(QStringLiteral("lstBackups"));
        QCOMPARE(lista->count(), 2);
        if (!fichero.isEmpty())
            lista->setCurrentItem(lista->findItems(fichero, Qt::MatchExactly).value(0));
        e.grabados.Responder(respuesta);
        QTest::mouseClick(dialogo.findChild<QPushButton *>(QStringLiteral("btnRestaurar")), Qt::LeftButton);
        QCOMPARE(e.grabados.Textos(MensajesGrabados::TTipo::Aviso), avisos);
        QCOMPARE(e.terminada, terminada);
    }
};

QTEST_MAIN(TestBackupRestaurar)
#include "test_backup_restaurar.moc"
