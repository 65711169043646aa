// The category's delivery screen driven by its components: the dates of its loads, a row's code
// put in the field, delivery by code and all at once without audit rows, and the pending
// prescriptions of its patients.
#include "EntregaEntorno.h"
#include "support/RechazoEscritura.h"
#include "ui/stock/FCategoriaEntrega.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

namespace {

constexpr int kCategoria = 3;

} // namespace

class TestFormCategoriaEntrega : public QObject
{
    Q_OBJECT

    // The category "RESIDENCIA SOL" holds ANA and LUIS, each with a load of this week and ANA one
    // of the week before waiting; EVA, of another category, has a load of this week too.
    struct Pantalla : EntregaEntorno
    {
        int ana = EntregaPrueba::Paciente(dm, QStringLiteral("R1"), kCategoria);
        int luis = EntregaPrueba::Paciente(dm, QStringLiteral("R2"), kCategoria);
        int eva = EntregaPrueba::Paciente(dm, QStringLiteral("R3"), kCategoria + 1);
        qint64 deAna = Carga(ana, 2, lunes);
        qint64 deLuis = Carga(luis, 1, lunes);
        qint64 anterior = Carga(ana, 1, lunes.addDays(-7));
        qint64 deEva = Carga(eva, 1, lunes);
        QList<qint64> impresas;
        std::unique_ptr<TFormCategoriaEntrega> form;

        Pantalla()
        {
            dm.Anadir(QStringLiteral("TabMaestras"),
                      {{QStringLiteral("CodTab"), TDM::kListaCategorias},
                       {QStringLiteral("Codigo"), kCategoria},
                       {QStringLiteral("Descripcion"), QStringLiteral("RESIDENCIA SOL")}});
            dm.Categoria = TCategoria {kCategoria, QStringLiteral("RESIDENCIA SOL")};
        }
        TFormCategoriaEntrega &Abrir()
        {
            form = std::make_unique<TFormCategoriaEntrega>();
            form->Entrega().ImprimirResumen = [this](qint64 id) { impresas << id; };
            form->show();
            return *form;
        }
        QLineEdit *Codigo() { return Hijo<QLineEdit>(*form, "edtCodigo"); }
        QTableWidget *Lista() { return Hijo<QTableWidget>(*form, "grdCargas"); }
        QStringList Fechas()
        {
            QStringList fechas;
            auto *lista = Hijo<QListWidget>(*form, "lstFechas");
            for (int i = 0; i < lista->count(); ++i)
                fechas << lista->item(i)->text();
            return fechas;
        }
        QStringList Columna(const char *rejilla, int columna)
        {
            QStringList textos;
            auto *tabla = Hijo<QTableWidget>(*form, rejilla);
            for (int fila = 0; fila < tabla->rowCount(); ++fila)
                textos << tabla->item(fila, columna)->text();
            return textos;
        }
        void Pulsar(const char *boton) { Hijo<QPushButton>(*form, boton)->click(); }
    };

private slots:
    void lasCargasDeLaUltimaFecha()
    {
        Pantalla p;
        p.Abrir();
        QCOMPARE(p.Fechas(), (QStringList {"06/05/2024", "29/04/2024"}));
        QCOMPARE(p.form->FechaElegida(), p.lunes);
        QCOMPARE(p.Columna("grdCargas", 2), (QStringList {"PACIENTE R1", "PACIENTE R2"}));
        Hijo<QListWidget>(*p.form, "lstFechas")->setCurrentRow(1);
        QCOMPARE(p.Columna("grdCargas", 2), QStringList {"PACIENTE R1"});
    }

    void unClicEnUnaFilaPoneSuCodigoYEnterLaEntrega()
    {
        Pantalla p;
        p.Abrir();
        QTableWidget *lista = p.Lista();
        QTest::mouseClick(lista->viewport(), Qt::LeftButton, {},
                          lista->visualItemRect(lista->item(1, 0)).center());
        QCOMPARE(p.Codigo()->text(), TextosEtiqueta::CodigoCarga(p.luis, 1).left(7));
        p.grabados.Responder(2);
        QTest::keyClick(p.Codigo(), Qt::Key_Return);

        QVERIFY(p.Entregada(p.deLuis));
        QVERIFY(!p.Entregada(p.deAna));
        QCOMPARE(p.Columna("grdCargas", 2), QStringList {"PACIENTE R1"});
        QVERIFY(p.Codigo()->text().isEmpty());
        QVERIFY(p.Auditoria().isEmpty());
    }

    void codigosDeCargasQueLaListaNoTiene_data()
    {
        QTest::addColumn<QString>("quien");
        QTest::addColumn<QString>("motivo");
        QTest::newRow("of the week before") << "anterior"
                                            << "EL CODIGO ES DE UNA CARGA QUE EMPIEZA EL 29/04/2024";
        QTest::newRow("of another category") << "eva"
                                             << "EL CODIGO ES DE UNA CARGA DE UN PACIENTE DE OTRA CATEGORIA";
    }
    void codigosDeCargasQueLaListaNoTiene()
    {
        QFETCH(QString, quien);
        QFETCH(QString, motivo);
        Pantalla p;
        p.Abrir();
        const QStringList antes = p.Cargas();
        p.Codigo()->setText(quien == QLatin1String("eva") ? EntregaPrueba::CodigoEscaneado(p.eva, 1)
                                                          : EntregaPrueba::CodigoEscaneado(p.ana, 1).left(7));
        p.Pulsar("btnEntregar");
        QCOMPARE(p.grabados.Textos(MensajesGrabados::TTipo::Aviso),
                 QStringList {QStringLiteral("NO SE HA ENCONTRADO LA ROSSETA SOLICITADA\n") + motivo});
        QCOMPARE(p.Cargas(), antes);
        QVERIFY(p.Codigo()->text().isEmpty());
    }

    void entregarTodosLasDeLaFechaElegida()
    {
        Pantalla p;
        p.Abrir();
        p.Pulsar("btnEntregarTodos");
        QCOMPARE(p.impresas, (QList<qint64> {p.deAna, p.deLuis}));
        QVERIFY(p.Entregada(p.deAna));
        QVERIFY(p.Entregada(p.deLuis));
        QVERIFY(!p.Entregada(p.anterior));
        QVERIFY(!p.Entregada(p.deEva));
        QVERIFY(p.Auditoria().isEmpty());
        // The week delivered leaves the list of dates; the one before is chosen.
        QCOMPARE(p.Fechas(), QStringList {"29/04/2024"});
        QCOMPARE(p.Columna("grdCargas", 2), QStringList {"PACIENTE R1"});
    }

    void entregarTodosDiceCualFallo()
    {
        Pantalla p;
        RechazarEscritura(p.dm, QStringLiteral("Recarga"), QStringLiteral("UPDATE"),
                          QStringLiteral("OLD.idRecarga = %1").arg(p.deAna));
        p.Abrir();
        p.grabados.Responder(2);
        p.Pulsar("btnEntregarTodos");
        QVERIFY(!p.Entregada(p.deAna));
        QVERIFY(!p.Entregada(p.deLuis));
        const QStringList errores = p.grabados.Textos(MensajesGrabados::TTipo::Error);
        QCOMPARE(errores.size(), 1);
        QVERIFY2(
                errores.first().contains(TextosEtiqueta::CodigoCarga(p.ana, 2).left(7) + " (R1 PACIENTE R1)"),
                qPrintable(errores.first()));
        QVERIFY2(errores.first().contains("LOS BLISTERS SIGUIENTES DE LA LISTA NO SE HAN ENTREGADO"),
                 qPrintable(errores.first()));
    }

    void losPacientesYMedicamentosPendientesDeReceta()
    {
        Pantalla p;
        p.SinStock(p.ana);
        p.SinStock(p.luis);
        p.SinStock(p.eva);
        p.Abrir();
        QCOMPARE(p.Columna("grdPacientesReceta", 0), (QStringList {"PACIENTE R1", "PACIENTE R2"}));
        QCOMPARE(p.Columna("grdMedicamentosReceta", 0), QStringList {"700001 ENALAPRIL 10 MG"});
        QCOMPARE(p.Columna("grdMedicamentosReceta", 2), QStringList {"14"});
        QVERIFY(!Hijo<QPushButton>(*p.form, "btnImprimirStock")->isVisible());
    }

    void volver()
    {
        Pantalla p;
        p.Abrir();
        QSignalSpy volver(p.form.get(), &TFormCategoriaEntrega::volver);
        p.Pulsar("btnVolver");
        QCOMPARE(volver.size(), 1);
    }
};

QTEST_MAIN(TestFormCategoriaEntrega)
#include "test_form_categoria_entrega.moc"
