#include "core/data/SqlFecha.h"
#include "core/data/uDM.h"
#include "core/i18n/ULenguaje.h"
#include "core/settings/uPreferencias.h"
#include "core/stock/ModeloInventario.h"
#include "support/MensajesGrabados.h"
#include "support/TestDatabase.h"
#include "ui/reports/Fpreview.h"
#include "ui/stock/FCInventario.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSqlQuery>
#include <QTableView>
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
        const QAbstractItemModel *grid = Hijo<QTableView>(form, "grdInventario")->model();
        QCOMPARE(grid->rowCount(), 1);
        QCOMPARE(grid->index(0, 1).data().toString(), QStringLiteral("R1"));
        QCOMPARE(grid->index(0, 4).data().toString(), QStringLiteral("IBUPROFENO 600MG"));
        QCOMPARE(grid->index(0, 5).data().toString(), QStringLiteral("L9"));
        QCOMPARE(grid->headerData(6, Qt::Horizontal).toString(), QStringLiteral("CADUCIDAD"));
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
        QCOMPARE(Hijo<QTableView>(form, "grdInventario")->model()->rowCount(), 0);
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

    void showsTheFirstPageAndReadsMoreOnScroll()
    {
        Entorno e;
        llenar(e.dm);
        const qint64 paciente = e.dm.Valor(QStringLiteral("SELECT idPaciente FROM Paciente")).toLongLong();
        const int total = 2 * TModeloInventario::kFilasPagina + 50;
        e.dm.EnTransaccionPaciente(paciente, [&] {
            for (int i = 1; i < total; ++i)
                e.dm.Ejecutar(QStringLiteral("INSERT INTO Inventario (idPaciente, idMedicamento, Lote, "
                                             "CantidadRestante) VALUES (?, 1234568, ?, 0)"),
                              {paciente, QStringLiteral("L%1").arg(i, 3, 10, QLatin1Char('0'))});
        });
        TFormCInventario form;
        form.show();
        Hijo<QPushButton>(form, "btnFiltrar")->click();
        auto *grid = Hijo<QTableView>(form, "grdInventario");
        QCOMPARE(grid->model()->rowCount(), TModeloInventario::kFilasPagina);
        QVERIFY(grid->model()->canFetchMore({}));
        for (int pagina = 2; pagina <= 3; ++pagina) {
            grid->scrollToBottom();
            QTRY_COMPARE(grid->model()->rowCount(),
                         std::min(pagina * TModeloInventario::kFilasPagina, total));
        }
        QVERIFY(!grid->model()->canFetchMore({}));
        QCOMPARE(grid->model()->index(total - 1, 5).data().toString(),
                 QStringLiteral("L%1").arg(total - 1, 3, 10, QLatin1Char('0')));
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
        QCOMPARE(Hijo<QTableView>(form, "grdInventario")->model()->rowCount(), 0);
    }
};

QTEST_MAIN(TestFormCInventario)
#include "test_form_cinventario.moc"
