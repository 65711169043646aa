#include "core/data/SqlFecha.h"
#include "core/data/uDM.h"
#include "core/i18n/ULenguaje.h"
#include "core/settings/uPreferencias.h"
#include "support/MensajesGrabados.h"
#include "support/TestDatabase.h"
#include "ui/reports/Fpreview.h"
#include "ui/stock/FCInventario.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlQuery>
#include <QTableWidget>
#include <QTest>

// The stock inquiry screen driven by its components.
class TestFormCInventario : public QObject
{
    Q_OBJECT

    struct Entorno
    {
        TLenguaje lenguaje {QStringLiteral("/nonexistent/pastillero.lng")};
        TestDatabase db;
        TDM dm {db.directory()};
        TPreferences preferencias {IniFile(db.directory().iniFile())};
        MensajesGrabados grabados;
    };

    static void llenar(TDM &dm)
    {
        const qint64 paciente = dm.Anadir(QStringLiteral("Paciente"),
                                          {{QStringLiteral("refPaciente"), QStringLiteral("R1")},
                                           {QStringLiteral("Nombre"), QStringLiteral("ANA")}});
        dm.Anadir(QStringLiteral("Medicamento"),
                  {{QStringLiteral("idMedicamento"), 1234568},
                   {QStringLiteral("Medicamento"), QStringLiteral("IBUPROFENO")},
                   {QStringLiteral("Descripcion"), QStringLiteral("600MG")}});
        dm.Anadir(QStringLiteral("Inventario"),
                  {{QStringLiteral("idPaciente"), paciente},
                   {QStringLiteral("idMedicamento"), 1234568},
                   {QStringLiteral("Lote"), QStringLiteral("L9")},
                   {QStringLiteral("Caducidad"), SqlFecha::valor(QDate(2027, 1, 1))},
                   {QStringLiteral("CantidadRestante"), 12.5}});
    }
    // The texts of a laid-out page, in the order placed.
    static QStringList textosPagina(const TLaidOutReport &informe, int pagina)
    {
        QStringList textos;
        for (const PlacedElement &colocado : informe.pages.value(pagina).elements)
            textos << colocado.element.text;
        return textos;
    }
    template<typename T> static T *Hijo(QWidget &padre, const char *nombre)
    {
        auto *hijo = padre.findChild<T *>(QString::fromLatin1(nombre));
        Q_ASSERT(hijo);
        return hijo;
    }

private slots:
    void scannedCodeFindsTheStock()
    {
        Entorno e;
        llenar(e.dm);
        TFormCInventario form;
        form.show();
        auto *codigo = Hijo<QLineEdit>(form, "edtCodigo");
        codigo->setText(QStringLiteral("8470001234568"));
        emit codigo->editingFinished();
        QCOMPARE(codigo->text(), QStringLiteral("1234568"));
        Hijo<QPushButton>(form, "btnFiltrar")->click();
        auto *grid = Hijo<QTableWidget>(form, "grdInventario");
        QCOMPARE(grid->rowCount(), 1);
        QCOMPARE(grid->item(0, 1)->text(), QStringLiteral("R1"));
        QCOMPARE(grid->item(0, 4)->text(), QStringLiteral("IBUPROFENO 600MG"));
        QCOMPARE(grid->item(0, 5)->text(), QStringLiteral("L9"));
    }

    void codeWithLettersShowsTheMessage()
    {
        Entorno e;
        llenar(e.dm);
        TFormCInventario form;
        form.show();
        Hijo<QLineEdit>(form, "edtCodigo")->setText(QStringLiteral("12A"));
        Hijo<QPushButton>(form, "btnFiltrar")->click();
        QCOMPARE(e.grabados.Textos(PresentadorMensajes::TTipo::Error),
                 QStringList {QStringLiteral("CODIGO HA DE SER NUMERICO")});
        QCOMPARE(Hijo<QTableWidget>(form, "grdInventario")->rowCount(), 0);
        QCOMPARE(form.focusWidget(), Hijo<QLineEdit>(form, "edtCodigo"));
    }

    void printShowsTheReportOfTheSearch()
    {
        Entorno e;
        llenar(e.dm);
        e.preferencias.ofDireccion = QStringLiteral("C/ Mayor 1\r\nMadrid");
        e.preferencias.ofTelefono = QStringLiteral("911 000 000");
        TFormCInventario form;
        form.show();
        Hijo<QLineEdit>(form, "edtReferencia")->setText(QStringLiteral("r1"));
        Hijo<QPushButton>(form, "btnImprimir")->click();
        QCOMPARE(TFormPreview::abiertos().size(), 1);
        const TLaidOutReport &informe = TFormPreview::abiertos().first()->informe();
        QCOMPARE(informe.title(), QStringLiteral("INVENTARIO DE MEDICAMENTOS"));
        const QStringList textos = textosPagina(informe, 0);
        for (const QString &esperado :
             {QStringLiteral("R1"), QStringLiteral("VER PRINCIPIOS ACTIVOS"),
              QStringLiteral("1234568 IBUPROFENO 600MG"), QStringLiteral("L9"), QStringLiteral("1 / 1"),
              QStringLiteral("C/ Mayor 1 Madrid - 911 000 000")})
            QVERIFY2(textos.contains(esperado), qPrintable(esperado));
        qDeleteAll(TFormPreview::abiertos());
    }

    void printWithNothingFoundShowsNoReport()
    {
        Entorno e;
        llenar(e.dm);
        TFormCInventario form;
        form.show();
        Hijo<QLineEdit>(form, "edtReferencia")->setText(QStringLiteral("R2"));
        Hijo<QPushButton>(form, "btnImprimir")->click();
        QVERIFY(TFormPreview::abiertos().isEmpty());
        QCOMPARE(Hijo<QTableWidget>(form, "grdInventario")->rowCount(), 0);
    }
};

QTEST_MAIN(TestFormCInventario)
#include "test_form_cinventario.moc"
