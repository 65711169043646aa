#include "core/data/uApp.h"
#include "core/data/uDM.h"
#include "core/i18n/ULenguaje.h"
#include "core/settings/uPreferencias.h"
#include "support/MaquinaPrueba.h"
#include "support/MensajesGrabados.h"
#include "support/TestDatabase.h"
#include "ui/settings/FPreferencias.h"

#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QSqlRecord>
#include <QTest>

using TTipo = PresentadorMensajes::TTipo;

namespace {

template<typename T> T *Hijo(QWidget *padre, const char *nombre)
{
    auto *hijo = padre->findChild<T *>(QString::fromLatin1(nombre));
    Q_ASSERT(hijo);
    return hijo;
}

// The preferences as stored now.
TPreferenciasValores Guardadas(TDM &dm)
{
    return TPreferenciasValores::desde(
            dm.Valor(QStringLiteral("SELECT Param FROM CONF")).toString().split(QStringLiteral("\r\n")), {});
}

} // namespace

// The preferences screen driven by its components, offscreen.
class TestFormPreferencias : public QObject
{
    Q_OBJECT

    struct Entorno
    {
        Entorno() { pantalla.show(); }

        TLenguaje lenguaje {QStringLiteral(PASTILLERO_SOURCE_DIR "/translations/pastillero.lng")};
        TestDatabase db {SqlEngine::SQLite};
        TDM dm {db.directory()};
        TPreferences preferencias {IniFile(db.directory().iniFile())};
        MensajesGrabados grabados;
        TFormPreferencias pantalla;
    };

private slots:
    // Country, blister type and label layout take effect and are stored at once.
    void lasListasSeAplicanAlMomento_data()
    {
        QTest::addColumn<QString>("lista");
        QTest::addColumn<int>("indice");
        QTest::addColumn<QString>("clave");
        QTest::addColumn<QString>("valor");
        QTest::newRow("country") << "cmbPais" << 3 << "Pais"
                                 << "3";
        QTest::newRow("label layout") << "cmbPlantilla" << 2 << "PEtiquetas"
                                      << "LB-e.000";
        QTest::newRow("blister type") << "cmbTipoBlister" << 0 << "TipoBlister"
                                      << "0";
    }
    void lasListasSeAplicanAlMomento()
    {
        QFETCH(QString, lista);
        QFETCH(int, indice);
        QFETCH(QString, clave);
        QFETCH(QString, valor);
        Entorno e;
        auto *combo = Hijo<QComboBox>(&e.pantalla, qPrintable(lista));
        combo->setCurrentIndex(indice);
        emit combo->activated(indice);
        QCOMPARE(ValorDe(e.preferencias.lineas(), clave), valor);
        QCOMPARE(ValorDe(Guardadas(e.dm).lineas(), clave), valor);
        QCOMPARE(e.preferencias.NoReinoUnido, e.preferencias.Pais != QLatin1String("3"));
        QVERIFY(!e.pantalla.HayCambios());
        QVERIFY(e.grabados.mensajes.isEmpty());
    }

    // A new language translates the open windows at once and is stored when the screen is left.
    void elIdiomaSeAplicaAlMomento_data()
    {
        QTest::addColumn<int>("idioma");
        QTest::addColumn<QString>("rotulo");
        QTest::newRow("English") << 3 << "LANGUAGE";
        QTest::newRow("French") << 2 << "LANGUE";
    }
    void elIdiomaSeAplicaAlMomento()
    {
        QFETCH(int, idioma);
        QFETCH(QString, rotulo);
        Entorno e;
        auto *combo = Hijo<QComboBox>(&e.pantalla, "cmbIdioma");
        combo->setCurrentIndex(idioma);
        emit combo->activated(idioma);
        QCOMPARE(Hijo<QLabel>(&e.pantalla, "lblIdioma")->text(), rotulo);
        QCOMPARE(Guardadas(e.dm).Idioma, QString());
        e.pantalla.hide();
        QCOMPARE(Guardadas(e.dm).Idioma, QString::number(idioma));
        QVERIFY(e.grabados.mensajes.isEmpty());
    }

    // With the machine: "H" shows its reading plus the correction, what is typed there stores the
    // correction, and a new language goes to the machine with its other settings.
    void conLaMaquina_data()
    {
        QTest::addColumn<QString>("tecleado");
        QTest::addColumn<int>("correccion");
        QTest::newRow("lower") << "37" << -3;
        QTest::newRow("higher") << "45" << 5;
    }
    void conLaMaquina()
    {
        QFETCH(QString, tecleado);
        QFETCH(int, correccion);
        Entorno e;
        std::unique_ptr<SimuladorDispensador> simulador;
        std::unique_ptr<TDispenserTCP> link;
        QVERIFY(MaquinaPrueba::Arrancar(MaquinaPrueba::Rapida(), simulador, link));
        e.pantalla.hide();
        e.pantalla.show();
        auto *humedad = Hijo<QLineEdit>(&e.pantalla, "edtH");
        QCOMPARE(humedad->text(), QStringLiteral("40"));
        humedad->setText(tecleado);
        e.pantalla.hide();
        QCOMPARE(Guardadas(e.dm).Varihumedad, correccion);
        e.pantalla.show();
        QCOMPARE(humedad->text(), tecleado);

        auto *idioma = Hijo<QComboBox>(&e.pantalla, "cmbIdioma");
        idioma->setCurrentIndex(4);
        emit idioma->activated(4);
        QTRY_VERIFY(std::any_of(simulador->Recibidos().cbegin(), simulador->Recibidos().cend(),
                                [](const QByteArray &mensaje) { return mensaje.startsWith("CONFIG;4;"); }));
        QVERIFY(e.grabados.mensajes.isEmpty());
    }

    // Leaving the screen stores a good edit; a bad one is told, the field selected and the
    // typed text kept for the next visit.
    void alSalirSeGuardaOSeAvisa_data()
    {
        QTest::addColumn<QString>("campo");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QStringList>("errores");
        QTest::addColumn<int>("guardado");
        QTest::newRow("good") << "edtTempMax"
                              << "28" << QStringList {} << 28;
        QTest::newRow("not a number") << "edtTempMax"
                                      << "28º" << QStringList {"EL FORMATO ES INCORRECTO"} << 25;
        QTest::newRow("reversed") << "edtTempMin"
                                  << "30" << QStringList {"EL MÍNIMO NO PUEDE SER MAYOR QUE EL MÁXIMO"} << 25;
    }
    void alSalirSeGuardaOSeAvisa()
    {
        QFETCH(QString, campo);
        QFETCH(QString, texto);
        QFETCH(QStringList, errores);
        QFETCH(int, guardado);
        Entorno e;
        auto *edicion = Hijo<QLineEdit>(&e.pantalla, qPrintable(campo));
        edicion->setText(texto);
        e.pantalla.hide();
        QCOMPARE(e.grabados.Textos(TTipo::Error), errores);
        QCOMPARE(Guardadas(e.dm).TemperaturaMaxima, guardado);
        e.pantalla.show();
        QCOMPARE(edicion->text(), texto);
    }

    // Closing the application with changes asks; the answer stores them or keeps the user here.
    void laSalidaConCambiosPregunta_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<int>("respuesta");
        QTest::addColumn<bool>("sale");
        QTest::addColumn<QString>("guardado");
        QTest::newRow("store and leave") << "FARMACIA SOL" << 1 << true << "FARMACIA SOL";
        QTest::newRow("stay") << "FARMACIA SOL" << 2 << false << "";
    }
    void laSalidaConCambiosPregunta()
    {
        QFETCH(QString, texto);
        QFETCH(int, respuesta);
        QFETCH(bool, sale);
        QFETCH(QString, guardado);
        Entorno e;
        QCOMPARE(e.pantalla.SalirDeLaAplicacion(), std::nullopt); // nothing changed: nothing asked
        Hijo<QLineEdit>(&e.pantalla, "edtNombre")->setText(texto);
        e.grabados.Responder(respuesta);
        QCOMPARE(e.pantalla.SalirDeLaAplicacion(), std::optional<bool>(sale));
        QCOMPARE(e.grabados.Textos(TTipo::Confirmar).size(), 1);
        QCOMPARE(Guardadas(e.dm).ofNombre, guardado);
    }

    // The logo: a file that is not a picture is refused; a huge picture is scaled down.
    void elLogo_data()
    {
        QTest::addColumn<QSize>("tamano"); // empty: not a picture
        QTest::addColumn<QSize>("guardado");
        QTest::newRow("not a picture") << QSize() << QSize(0, 0);
        QTest::newRow("small") << QSize(120, 60) << QSize(120, 60);
        QTest::newRow("huge") << QSize(4000, 2000) << QSize(800, 400);
    }
    void elLogo()
    {
        QFETCH(QSize, tamano);
        QFETCH(QSize, guardado);
        Entorno e;
        const QString fichero = e.db.appDirectory().file(QStringLiteral("logo.png"));
        if (tamano.isEmpty()) {
            e.db.appDirectory().write(QStringLiteral("logo.png"), "no soy una imagen");
        } else {
            QImage imagen(tamano, QImage::Format_RGB32);
            imagen.fill(Qt::blue);
            QVERIFY(imagen.save(fichero));
        }
        e.pantalla.CargarLogo(fichero);
        QCOMPARE(e.grabados.Textos(TTipo::Error).size(), tamano.isEmpty() ? 1 : 0);
        QVERIFY(e.pantalla.GuardarPantalla());
        QCOMPARE(QImage::fromData(e.dm.Valor(QStringLiteral("SELECT LOGO FROM CONF")).toByteArray()).size(),
                 guardado);
    }
};

QTEST_MAIN(TestFormPreferencias)
#include "test_form_preferencias.moc"
