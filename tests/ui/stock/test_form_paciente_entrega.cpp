// The patient's delivery screen driven by its components: delivery by a scanned or typed code, by
// the selected row and all at once, with the database refusing some deliveries.
#include "EntregaEntorno.h"
#include "support/RechazoEscritura.h"
#include "ui/stock/FPacienteEntrega.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

namespace {

const QString kNoEncontrada = QStringLiteral("NO SE HA ENCONTRADO LA ROSSETA SOLICITADA");
const QString kConsulta = QStringLiteral("Entrega Blister|CONSULTA");
const QString kAlta = QStringLiteral("Entrega Blister|ALTA");

} // namespace

class TestFormPacienteEntrega : public QObject
{
    Q_OBJECT

    // ANA, the active patient, has two loads waiting and one delivered; LUIS has one waiting.
    struct Pantalla : EntregaEntorno
    {
        int ana = EntregaPrueba::Paciente(dm, QStringLiteral("R1"));
        int luis = EntregaPrueba::Paciente(dm, QStringLiteral("R2"));
        qint64 primera = Carga(ana, 1, lunes);
        qint64 segunda = Carga(ana, 2, lunes.addDays(7));
        qint64 entregada = Carga(ana, 3, lunes.addDays(-7), lunes);
        qint64 deLuis = Carga(luis, 1, lunes);
        QList<qint64> impresas;
        std::unique_ptr<TFormPacienteEntrega> form;

        TFormPacienteEntrega &Abrir()
        {
            dm.idPacienteActivo = ana;
            form = std::make_unique<TFormPacienteEntrega>();
            form->Entrega().ImprimirResumen = [this](qint64 id) { impresas << id; };
            form->show();
            return *form;
        }
        QLineEdit *Codigo() { return Hijo<QLineEdit>(*form, "edtCodigo"); }
        QTableWidget *Lista() { return Hijo<QTableWidget>(*form, "grdCargas"); }
        void Escanear(const QString &codigo)
        {
            Codigo()->setFocus();
            QTest::keyClicks(Codigo(), codigo);
            QTest::keyClick(Codigo(), Qt::Key_Return);
        }
        void Pulsar(const char *boton) { Hijo<QPushButton>(*form, boton)->click(); }
    };

private slots:
    void unCodigoEscaneadoEntregaSuCarga()
    {
        Pantalla p;
        p.Abrir();
        QCOMPARE(p.Lista()->rowCount(), 2);
        QCOMPARE(p.Auditoria(), QStringList {kConsulta});
        p.grabados.Responder(2); // no summary
        p.Escanear(EntregaPrueba::CodigoEscaneado(p.ana, 2));

        QVERIFY(p.Entregada(p.segunda));
        QVERIFY(!p.Entregada(p.primera));
        QCOMPARE(p.Lista()->rowCount(), 1);
        QCOMPARE(p.Lista()->item(0, 1)->text(), QStringLiteral("1"));
        QCOMPARE(p.Auditoria(), (QStringList {kConsulta, kAlta}));
        QCOMPARE(p.grabados.Textos(MensajesGrabados::TTipo::Confirmar),
                 QStringList {QStringLiteral("¿DESEA IMPRIMIR UN RESUMEN DE LA CARGA?")});
        QVERIFY(p.impresas.isEmpty());
        QVERIFY(p.Codigo()->text().isEmpty());
    }

    void elResumenSeImprimeAntesDeEntregar()
    {
        Pantalla p;
        p.Abrir();
        QList<bool> entregadaAlImprimir;
        p.form->Entrega().ImprimirResumen = [&](qint64 id) {
            p.impresas << id;
            entregadaAlImprimir << p.Entregada(id);
        };
        p.Escanear(TextosEtiqueta::CodigoCarga(p.ana, 1).left(7));
        QCOMPARE(p.impresas, QList<qint64> {p.primera});
        QCOMPARE(entregadaAlImprimir, QList<bool> {false});
        QVERIFY(p.Entregada(p.primera));
    }

    void codigosQueNoEntreganNada_data()
    {
        QTest::addColumn<QString>("quien"); // whose code: "luis", "entregada", "desconocida", "letras"
        QTest::addColumn<QString>("motivo");
        QTest::newRow("another patient's load") << "luis"
                                                << "EL CODIGO ES DE UNA CARGA DE OTRO PACIENTE: R2";
        QTest::newRow("a load delivered already") << "entregada"
                                                  << "ESA CARGA YA SE ENTREGO EL 06/05/2024";
        QTest::newRow("no such load") << "desconocida"
                                      << "";
        QTest::newRow("not a blister code") << "letras"
                                            << "EL CODIGO LEIDO NO ES EL DE UN BLISTER";
    }
    void codigosQueNoEntreganNada()
    {
        QFETCH(QString, quien);
        QFETCH(QString, motivo);
        Pantalla p;
        p.Abrir();
        const QStringList antes = p.Cargas();
        const QString codigo = quien == QLatin1String("luis") ? EntregaPrueba::CodigoEscaneado(p.luis, 1)
                : quien == QLatin1String("entregada")         ? EntregaPrueba::CodigoEscaneado(p.ana, 3)
                : quien == QLatin1String("desconocida")       ? EntregaPrueba::CodigoEscaneado(p.ana, 9)
                                                              : QStringLiteral("12AB");
        p.Escanear(codigo);

        const QString esperado
                = motivo.isEmpty() ? kNoEncontrada : kNoEncontrada + QLatin1Char('\n') + motivo;
        QCOMPARE(p.grabados.Textos(MensajesGrabados::TTipo::Aviso), QStringList {esperado});
        QVERIFY(p.grabados.Textos(MensajesGrabados::TTipo::Confirmar).isEmpty());
        QCOMPARE(p.Cargas(), antes);
        QCOMPARE(p.Auditoria(), QStringList {kConsulta});
        QVERIFY(p.Codigo()->text().isEmpty());
    }

    void unaEntregaRechazadaSeDiceYLaCargaSigue()
    {
        Pantalla p;
        RechazarEscritura(p.dm, QStringLiteral("Recarga"), QStringLiteral("UPDATE"));
        p.Abrir();
        p.Lista()->selectRow(0);
        p.grabados.Responder(2);
        p.Pulsar("btnEntregar");

        const QStringList errores = p.grabados.Textos(MensajesGrabados::TTipo::Error);
        QCOMPARE(errores.size(), 1);
        QVERIFY2(errores.first().contains(TextosEtiqueta::CodigoCarga(p.ana, 1).left(7)),
                 qPrintable(errores.first()));
        QVERIFY2(errores.first().contains(QStringLiteral("rechazada")), qPrintable(errores.first()));
        QVERIFY(!p.Entregada(p.primera));
        QCOMPARE(p.Lista()->rowCount(), 2);
        QCOMPARE(p.Auditoria(), QStringList {kConsulta});
    }

    void entregarSinSeleccionNoHaceNada()
    {
        Pantalla p;
        p.Abrir();
        const QStringList antes = p.Cargas();
        p.Pulsar("btnEntregar");
        QVERIFY(p.grabados.mensajes.isEmpty());
        QCOMPARE(p.Cargas(), antes);
    }

    void entregarLaFilaSeleccionada()
    {
        Pantalla p;
        p.Abrir();
        p.Lista()->selectRow(1);
        p.grabados.Responder(2);
        p.Pulsar("btnEntregar");
        QVERIFY(p.Entregada(p.segunda));
        QVERIFY(!p.Entregada(p.primera));
        QCOMPARE(p.Auditoria(), (QStringList {kConsulta, kAlta}));
    }

    void entregarTodosSeParaEnElPrimerFallo()
    {
        Pantalla p;
        RechazarEscritura(p.dm, QStringLiteral("Recarga"), QStringLiteral("UPDATE"),
                          QStringLiteral("OLD.idRecarga = %1").arg(p.segunda));
        const qint64 tercera = p.Carga(p.ana, 4, p.lunes.addDays(14));
        p.Abrir();
        p.Pulsar("btnEntregarTodos"); // and the summaries printed

        QVERIFY(p.Entregada(p.primera));
        QVERIFY(!p.Entregada(p.segunda));
        QVERIFY(!p.Entregada(tercera));
        QCOMPARE(p.impresas, (QList<qint64> {p.primera, p.segunda}));
        QCOMPARE(p.grabados.Textos(MensajesGrabados::TTipo::Confirmar).size(), 1);
        const QStringList errores = p.grabados.Textos(MensajesGrabados::TTipo::Error);
        QCOMPARE(errores.size(), 1);
        QVERIFY2(errores.first().contains(TextosEtiqueta::CodigoCarga(p.ana, 2).left(7)),
                 qPrintable(errores.first()));
        QCOMPARE(p.Auditoria(), (QStringList {kConsulta, kAlta}));
        QCOMPARE(p.Lista()->rowCount(), 2);
    }

    void losMedicamentosPendientesDeReceta_data()
    {
        QTest::addColumn<bool>("reinoUnido");
        QTest::newRow("stock kept") << false;
        QTest::newRow("United Kingdom") << true;
    }
    void losMedicamentosPendientesDeReceta()
    {
        QFETCH(bool, reinoUnido);
        Pantalla p;
        p.preferencias.NoReinoUnido = !reinoUnido;
        p.SinStock(p.ana);
        p.Abrir();
        QCOMPARE(Hijo<QGroupBox>(*p.form, "grpRecetas")->isVisible(), !reinoUnido);
        auto *recetas = Hijo<QTableWidget>(*p.form, "grdRecetas");
        QCOMPARE(recetas->rowCount(), reinoUnido ? 0 : 1);
        if (reinoUnido)
            return;
        QStringList fila;
        for (int columna = 0; columna < TFormPacienteEntrega::kColumnasReceta; ++columna)
            fila << recetas->item(0, columna)->text();
        QCOMPARE(fila, (QStringList {"ENALAPRIL 10 MG", "7", "7", "Insuficiente"}));
        p.Pulsar("btnImprimir");
        QCOMPARE(p.Auditoria(), (QStringList {kConsulta, "Listado PENDIENTE DE RECETA|CONSULTA"}));
    }

    void volverNombraAlPaciente()
    {
        Pantalla p;
        p.Abrir();
        QSignalSpy volver(p.form.get(), &TFormPacienteEntrega::volver);
        p.Pulsar("btnVolver");
        QCOMPARE(volver.size(), 1);
        QCOMPARE(volver.first().first().toString(), QStringLiteral("R1"));
    }
};

QTEST_MAIN(TestFormPacienteEntrega)
#include "test_form_paciente_entrega.moc"
