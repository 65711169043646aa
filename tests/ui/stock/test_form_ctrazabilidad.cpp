#include "core/data/uDM.h"
#include "core/i18n/ULenguaje.h"
#include "core/settings/uPreferencias.h"
#include "support/MensajesGrabados.h"
#include "support/TestDatabase.h"
#include "ui/reports/Fpreview.h"
#include "ui/stock/FCTrazabilidad.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

// The traceability view driven by its components.
class TestFormCTrazabilidad : public QObject
{
    Q_OBJECT

    struct Entorno
    {
        Entorno()
        {
            preferencias.Pais = QStringLiteral("0");
            const qint64 paciente = dm.Anadir(QStringLiteral("Paciente"),
                                              {{QStringLiteral("refPaciente"), QStringLiteral("R1")},
                                               {QStringLiteral("Nombre"), QStringLiteral("ANA")},
                                               {QStringLiteral("DNI"), QStringLiteral("1A")}});
            dm.Anadir(QStringLiteral("Medicamento"),
                      {{QStringLiteral("idMedicamento"), 1234568},
                       {QStringLiteral("Medicamento"), QStringLiteral("IBUPROFENO")}});
            for (const char *lote : {"L9", "L_9"})
                dm.Anadir(QStringLiteral("Inventario"),
                          {{QStringLiteral("idPaciente"), paciente},
                           {QStringLiteral("idMedicamento"), 1234568},
                           {QStringLiteral("IdMedicamentoReal"), 1234568},
                           {QStringLiteral("Lote"), QString::fromLatin1(lote)},
                           {QStringLiteral("CantidadRestante"), 12.5}});
            form.show();
        }
        template<typename T> T *Hijo(const char *nombre)
        {
            auto *hijo = form.findChild<T *>(QString::fromLatin1(nombre));
            Q_ASSERT(hijo);
            return hijo;
        }
        // Types the code (leaving the field, as the user does) and the lot, then "FILTRAR".
        void Filtrar(const QString &codigo, const QString &lote)
        {
            Hijo<QLineEdit>("edtCodigo")->setText(codigo);
            emit Hijo<QLineEdit>("edtCodigo")->editingFinished();
            Hijo<QLineEdit>("edtLote")->setText(lote);
            Hijo<QPushButton>("btnFiltrar")->click();
        }
        QStringList Filas()
        {
            const QAbstractItemModel *modelo = Hijo<QTableView>("grdTrazabilidad")->model();
            QStringList filas;
            for (int fila = 0; fila < modelo->rowCount(); ++fila)
                filas << modelo->index(fila, 0).data().toString() + QLatin1Char('|')
                                + modelo->index(fila, 4).data().toString() + QLatin1Char('|')
                                + modelo->index(fila, 5).data().toString();
            return filas;
        }

        TLenguaje lenguaje {QStringLiteral("/nonexistent/pastillero.lng")};
        TestDatabase db;
        TDM dm {db.directory()};
        TPreferences preferencias {IniFile(db.directory().iniFile())};
        MensajesGrabados grabados;
        TFormCTrazabilidad form;
    };

private slots:
    void busqueda_data()
    {
        QTest::addColumn<QString>("codigo");
        QTest::addColumn<QString>("lote");
        QTest::addColumn<QStringList>("filas");
        QTest::addColumn<QStringList>("errores");
        const QString enStock = QLocale().toString(12.5, 'f', 2);
        QTest::newRow("scanned code, every lot")
                << "8470001234568"
                << "" << QStringList {"R1|INVENTARIO|" + QLocale().toString(25.0, 'f', 2)} << QStringList {};
        QTest::newRow("lot with _") << "1234568"
                                    << "l_9" << QStringList {"R1|INVENTARIO|" + enStock} << QStringList {};
        QTest::newRow("no code") << ""
                                 << "L9" << QStringList {}
                                 << QStringList {"NO SE HA ESPECIFICADO NUNGUN MEDICAMENTO"};
        QTest::newRow("letters") << "12A"
                                 << "" << QStringList {} << QStringList {"Codigo ha de ser numerico"};
    }
    void busqueda()
    {
        QFETCH(QString, codigo);
        QFETCH(QString, lote);
        Entorno e;
        e.Filtrar(codigo, lote);
        QTEST(e.Filas(), "filas");
        QTEST(e.grabados.Textos(PresentadorMensajes::TTipo::Error), "errores");
        if (!e.grabados.mensajes.isEmpty())
            QCOMPARE(e.form.focusWidget(), e.Hijo<QLineEdit>("edtCodigo"));
    }

    void printShowsTheMedicationAndTheLines()
    {
        Entorno e;
        e.Filtrar(QStringLiteral("1234568"), QStringLiteral("L9"));
        e.Hijo<QPushButton>("btnImprimir")->click();
        QCOMPARE(TFormPreview::abiertos().size(), 1);
        const TLaidOutReport &informe = TFormPreview::abiertos().first()->informe();
        QCOMPARE(informe.title(), QStringLiteral("TRAZABILIDAD DE MEDICAMENTOS"));
        QStringList textos;
        for (const PlacedElement &colocado : informe.pages.value(0).elements)
            textos << colocado.element.text;
        for (const char *esperado : {"MEDICAMENTO: 1234568 IBUPROFENO", "LOTE: L9", "R1", "1A", "1  / 1"})
            QVERIFY2(textos.contains(QString::fromLatin1(esperado)), esperado);
        qDeleteAll(TFormPreview::abiertos());
    }
};

QTEST_MAIN(TestFormCTrazabilidad)
#include "test_form_ctrazabilidad.moc"
