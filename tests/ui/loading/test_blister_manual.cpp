// The manual blister dialogs: the square card and the round one over its picture, the cells'
// texts, and the keys that continue or cancel.
#include "core/data/uDM.h"
#include "core/dosing/UDispenserTypes.h"
#include "core/i18n/ULenguaje.h"
#include "core/settings/uPreferencias.h"
#include "support/DialogoModal.h"
#include "support/TestDatabase.h"
#include "ui/loading/FDlgBlisterManual.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <functional>
#include <memory>

namespace {

template<typename T> T *Hijo(QWidget &padre, const QString &nombre)
{
    auto *hijo = padre.findChild<T *>(nombre);
    Q_ASSERT(hijo);
    return hijo;
}

TBlisterManual Blister(int tipoBlister, double porcion, const QString &celdas)
{
    TBlisterManual blister;
    blister.paciente = QStringLiteral("ANA PEREZ");
    blister.medicamento = QStringLiteral("(1/2) SINTROM 4 MG");
    blister.aspecto = QStringLiteral("COM REDONDO BLANCO");
    blister.idMedicamento = QStringLiteral("700002");
    blister.porcion = porcion;
    blister.celdas = celdas;
    blister.tipoBlister = tipoBlister;
    return blister;
}

// Monday breakfast 2, Monday lunch 1, Sunday night 3, nothing elsewhere.
const QString kCeldas = QStringLiteral("2;1;") + QStringLiteral("0;").repeated(25) + QStringLiteral("3");

using Accion = std::function<void(TDlgBlisterManual &)>;

} // namespace

Q_DECLARE_METATYPE(Accion)

class TestBlisterManual : public QObject
{
    Q_OBJECT

    struct Entorno
    {
        TLenguaje lenguaje {QStringLiteral("/nonexistent/pastillero.lng")};
        TestDatabase db;
        TDM dm {db.directory()};
        TPreferences preferencias {IniFile(db.directory().iniFile())};
    };

private slots:
    void lasDosTarjetas_data()
    {
        QTest::addColumn<int>("tipoBlister");
        QTest::addColumn<QString>("formulario");
        QTest::addColumn<QString>("titulo");
        QTest::addColumn<QStringList>("celdas"); // Monday breakfast, Monday lunch, Tuesday, Sunday night
        QTest::newRow("square") << 1 << "DlgBlisterManual"
                                << "BLISTER MANUAL" << QStringList {"2 ( 1/2 )", "1/2", "", "3 ( 1/2 )"};
        QTest::newRow("round") << 0 << "DlgBlisterManualRedondo"
                               << "BLISTER MANUAL REDONDO" << QStringList {"2(1/2)", "1/2", "", "3(1/2)"};
        QTest::newRow("any other preference is round")
                << 5 << "DlgBlisterManualRedondo"
                << "BLISTER MANUAL REDONDO" << QStringList {"2(1/2)", "1/2", "", "3(1/2)"};
    }
    void lasDosTarjetas()
    {
        QFETCH(int, tipoBlister);
        QFETCH(QString, formulario);
        QFETCH(QString, titulo);
        QFETCH(QStringList, celdas);
        Entorno e;
        TDlgBlisterManual dialogo(Blister(tipoBlister, kPorcionMedia, kCeldas));
        QCOMPARE(dialogo.objectName(), formulario);
        QCOMPARE(dialogo.windowTitle(), titulo);
        QCOMPARE(Hijo<QLabel>(dialogo, "lblPaciente")->text(), QStringLiteral("ANA PEREZ"));
        QCOMPARE(Hijo<QLabel>(dialogo, "lblMedicamento")->text(), QStringLiteral("(1/2) SINTROM 4 MG"));
        QCOMPARE(Hijo<QLabel>(dialogo, "lblAspecto")->text(), QStringLiteral("COM REDONDO BLANCO"));
        QCOMPARE(Hijo<QLabel>(dialogo, "lblCN")->text(), QStringLiteral("700002"));
        const QStringList vistas {
                Hijo<QLabel>(dialogo, "lblCelda0")->text(), Hijo<QLabel>(dialogo, "lblCelda1")->text(),
                Hijo<QLabel>(dialogo, "lblCelda4")->text(), Hijo<QLabel>(dialogo, "lblCelda27")->text()};
        QCOMPARE(vistas, celdas);
    }

    // The round card's cells lie on the circles of its picture: days across, times of day down.
    void lasCeldasRedondasSobreLaImagen()
    {
        Entorno e;
        TDlgBlisterManual dialogo(Blister(0, kPorcionEntera, kCeldas));
        auto *tarjeta = Hijo<QLabel>(dialogo, "imgBlister");
        QVERIFY(!tarjeta->pixmap().isNull());
        const QRect lunesDesayuno = Hijo<QLabel>(dialogo, "lblCelda0")->geometry();
        const QRect lunesComida = Hijo<QLabel>(dialogo, "lblCelda1")->geometry();
        const QRect domingoNoche = Hijo<QLabel>(dialogo, "lblCelda27")->geometry();
        QCOMPARE(lunesComida.left(), lunesDesayuno.left());
        QVERIFY(lunesComida.top() > lunesDesayuno.top());
        QVERIFY(domingoNoche.left() > lunesDesayuno.left() && domingoNoche.top() > lunesComida.top());
        QVERIFY(tarjeta->rect().contains(domingoNoche));
        // The cell's middle is on a circle: white in the picture.
        QCOMPARE(tarjeta->pixmap().toImage().pixelColor(domingoNoche.center()), QColor(Qt::white));
    }

    void laImagenDelIdioma_data()
    {
        QTest::addColumn<QString>("idioma");
        QTest::addColumn<QString>("imagen");
        for (const char *idioma : {"0", "1", "2", "3", "4"})
            QTest::addRow("language %s", idioma)
                    << idioma << QStringLiteral(":/carga/blister_redondo_%1.png").arg(QLatin1String(idioma));
        QTest::newRow("another language") << "7"
                                          << ":/carga/blister_redondo_3.png";
        QTest::newRow("no language") << ""
                                     << ":/carga/blister_redondo_3.png";
        QTest::newRow("two digits") << "10"
                                    << ":/carga/blister_redondo_3.png";
    }
    void laImagenDelIdioma()
    {
        QFETCH(QString, idioma);
        QFETCH(QString, imagen);
        QCOMPARE(TDlgBlisterManual::ImagenRedonda(idioma), imagen);
        QVERIFY(!QPixmap(imagen).isNull());
    }

    void continuarOCancelar_data()
    {
        QTest::addColumn<int>("tipoBlister");
        QTest::addColumn<Accion>("accion");
        QTest::addColumn<int>("resultado");
        const Accion intro = [](TDlgBlisterManual &d) { QTest::keyClick(&d, Qt::Key_Return); };
        const Accion enter = [](TDlgBlisterManual &d) { QTest::keyClick(&d, Qt::Key_Enter); };
        const Accion escape = [](TDlgBlisterManual &d) { QTest::keyClick(&d, Qt::Key_Escape); };
        const Accion cerrar = [](TDlgBlisterManual &d) { d.close(); };
        const Accion continuar = [](TDlgBlisterManual &d) { Hijo<QPushButton>(d, "btnContinuar")->click(); };
        const Accion cancelar = [](TDlgBlisterManual &d) { Hijo<QPushButton>(d, "btnCancelar")->click(); };
        for (const int tipo : {1, 0}) {
            const char *forma = tipo == 1 ? "square" : "round";
            QTest::addRow("%s: Return continues", forma) << tipo << intro << 1;
            QTest::addRow("%s: Enter continues", forma) << tipo << enter << 1;
            QTest::addRow("%s: CONTINUAR", forma) << tipo << continuar << 1;
            QTest::addRow("%s: Escape cancels", forma) << tipo << escape << 2;
            QTest::addRow("%s: CANCELAR", forma) << tipo << cancelar << 2;
            QTest::addRow("%s: closing cancels", forma) << tipo << cerrar << 2;
        }
    }
    void continuarOCancelar()
    {
        QFETCH(int, tipoBlister);
        QFETCH(Accion, accion);
        QFETCH(int, resultado);
        Entorno e;
        CuandoSeAbra<TDlgBlisterManual>(accion);
        QCOMPARE(BlisterManual(Blister(tipoBlister, kPorcionEntera, kCeldas)), resultado);
    }
};

QTEST_MAIN(TestBlisterManual)
#include "test_blister_manual.moc"
