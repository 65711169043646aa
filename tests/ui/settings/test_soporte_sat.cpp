#include "core/data/uDM.h"
#include "core/i18n/ULenguaje.h"
#include "core/settings/uPreferencias.h"
#include "support/MensajesGrabados.h"
#include "support/ProgramaCorreoPrueba.h"
#include "support/TestDatabase.h"
#include "ui/settings/FPreferencias.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QPushButton>
#include <QTest>
#include <QUrl>

// Records the folders and files the application asks the desktop to open.
class UrlsAbiertas : public QObject
{
    Q_OBJECT

public:
    UrlsAbiertas() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "abrir"); }
    ~UrlsAbiertas() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }

    Q_INVOKABLE void abrir(const QUrl &url) { urls.append(url); }

    QList<QUrl> urls;
};

// "E-MAIL SAT" on the preferences screen, with a stand-in for the desktop's mail program.
class TestSoporteSat : public QObject
{
    Q_OBJECT

    struct Entorno
    {
        Entorno() { AppDirectory::setCurrent(db.directory()); }
        ~Entorno() { AppDirectory::setCurrent(AppDirectory()); }

        TLenguaje lenguaje {QStringLiteral(PASTILLERO_SOURCE_DIR "/translations/pastillero.lng")};
        TestDatabase db {SqlEngine::SQLite};
        TDM dm {db.directory()};
        TPreferences preferencias {IniFile(db.directory().iniFile())};
        MensajesGrabados grabados;
        UrlsAbiertas abiertas;
    };

private slots:
    // The support message with the event log reaches the mail program; when no mail program takes
    // it the user is told and the log's folder is opened to send the log another way.
    void elBotonEntregaElMensaje_data()
    {
        QTest::addColumn<int>("salida");
        QTest::addColumn<bool>("fallo");
        QTest::newRow("handed over") << 0 << false;
        QTest::newRow("refused") << 3 << true;
        QTest::newRow("no mail program") << int(ProgramaCorreoPrueba::kSinPrograma) << true;
    }
    void elBotonEntregaElMensaje()
    {
        QFETCH(int, salida);
        QFETCH(bool, fallo);
        Entorno e;
        const QString log = e.db.appDirectory().write(QStringLiteral("pastillero.log"), "LOGIN\r\n");
        TFormPreferencias pantalla;
        ProgramaCorreoPrueba programa(salida);

        pantalla.findChild<QPushButton *>(QStringLiteral("btnEmailSAT"))->click();

        if (salida != ProgramaCorreoPrueba::kSinPrograma) {
            const QStringList argumentos = programa.argumentos();
            QVERIFY(argumentos.contains(
                    Traducir(QStringLiteral("CAPTION_SAT_SOPORTE"), QStringLiteral("Soporte SAT"))));
            QVERIFY(argumentos.contains(log));
        }
        const QStringList errores = e.grabados.Textos(PresentadorMensajes::TTipo::Error);
        const QString error = Traducir(QStringLiteral("MSG_ERROR_SEN_MAIL"),
                                       QStringLiteral("Error while trying to send email"));
        QCOMPARE(errores, fallo ? QStringList {error} : QStringList {});
        const QList<QUrl> carpetaLog {QUrl::fromLocalFile(QFileInfo(log).absolutePath())};
        QCOMPARE(e.abiertas.urls, fallo ? carpetaLog : QList<QUrl> {});
    }
};

QTEST_MAIN(TestSoporteSat)
#include "test_soporte_sat.moc"
