// The patient load screen driven by its components, with the machine simulator over loopback.
#include "../../core/loading/CargaPrueba.h"
#include "OpcionesSimulador.h"
#include "SimuladorDispensador.h"
#include "core/common/Clock.h"
#include "core/dispenser/UDispenserTCP.h"
#include "core/i18n/ULenguaje.h"
#include "core/settings/uPreferencias.h"
#include "support/MaquinaPrueba.h"
#include "support/MensajesGrabados.h"
#include "support/TestDatabase.h"
#include "ui/loading/FPacienteCarga.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

using namespace CargaPrueba;

namespace {

constexpr qint64 kEnalapril = 700001;
constexpr qint64 kSintrom = 700002;
constexpr qint64 kParche = 700003;

// The screen's own dialogs, with the label printer replaced by a record of what it printed.
class DialogosSinImpresora : public TDialogosPantallaCarga
{
public:
    QList<qint64> impresas;
    void ImprimirEtiquetas(qint64 idRecarga) override { impresas << idRecarga; }
};

template<typename T> T *Hijo(QWidget &padre, const char *nombre)
{
    auto *hijo = padre.findChild<T *>(QString::fromLatin1(nombre));
    Q_ASSERT(hijo);
    return hijo;
}

} // namespace

class TestFormPacienteCarga : public QObject
{
    Q_OBJECT

    // Everything the screen reaches: catalogue, database, preferences, the machine and its link.
    struct Entorno
    {
        FixedClock reloj {QDate(2024, 5, 6)};
        TLenguaje lenguaje {QStringLiteral("/nonexistent/pastillero.lng")};
        TestDatabase db;
        TDM dm {db.directory()};
        TPreferences preferencias {IniFile(db.directory().iniFile())};
        MensajesGrabados grabados;
        std::unique_ptr<SimuladorDispensador> simulador;
        std::unique_ptr<TDispenserTCP> link;
        int paciente = 0;

        // Enalapril one a day and a patch outside the blister; `stock` pills of enalapril.
        bool Preparar(double stockEnalapril = 20)
        {
            paciente = CargaPrueba::paciente(dm);
            medicamento(dm, kEnalapril, QStringLiteral("ENALAPRIL"));
            medicamento(dm, kSintrom, QStringLiteral("SINTROM"), QStringLiteral("4 MG"));
            medicamento(dm, kParche, QStringLiteral("PARCHE"), QStringLiteral("5 MG"));
            dm.Ejecutar(QStringLiteral("UPDATE Medicamento SET SPD = 0 WHERE idMedicamento = ?"), {kParche});
            tratamiento(dm, paciente, kEnalapril, 0);
            tratamiento(dm, paciente, kSintrom, 0);
            tratamiento(dm, paciente, kParche, 0, QStringLiteral("0-0-0-1:D:D:1"));
            stock(dm, paciente, kEnalapril, stockEnalapril);
            stock(dm, paciente, kSintrom, 20);

            OpcionesSimulador opciones;
            opciones.puertoBusqueda = 0;
            opciones.intervaloMs = 5;
            return MaquinaPrueba::Arrancar(opciones, simulador, link);
        }
    };

    // The load screen, printing answered with "no printer", opened on the active patient.
    struct PantallaCarga
    {
        DialogosSinImpresora dialogos;
        TFormPacienteCarga form {nullptr, &dialogos};

        TFormPacienteCarga &Abrir()
        {
            form.show();
            form.AbrirCargaPaciente();
            return form;
        }
    };

private slots:
    void inicioLlenaElBlisterYLoGuarda()
    {
        Entorno e;
        QVERIFY(e.Preparar());
        PantallaCarga pantalla;
        TFormPacienteCarga &form = pantalla.Abrir();

        QCOMPARE(Hijo<QLineEdit>(form, "edtFechaInicio")->text(), QString("06/05/2024"));
        QCOMPARE(Hijo<QLineEdit>(form, "edtFechaFin")->text(), QString("12/05/2024"));
        QCOMPARE(Hijo<QLabel>(form, "lblConexion")->text(), QString("CONECTADO"));
        QCOMPARE(Hijo<QLabel>(form, "lblNombre")->text(), QString("ANA PEREZ"));
        auto *medicamentos = Hijo<QTableWidget>(form, "grdMedicamentos");
        QCOMPARE(medicamentos->rowCount(), 2);
        QCOMPARE(medicamentos->item(0, TFormPacienteCarga::kColMedicamento)->text(),
                 QString("700001 ENALAPRIL 10 MG"));
        // The name takes the room the other columns leave, and shows whole as its tooltip.
        QCOMPARE(medicamentos->item(0, TFormPacienteCarga::kColMedicamento)->toolTip(),
                 QString("700001 ENALAPRIL 10 MG"));
        form.resize(1000, 700);
        QTRY_VERIFY(medicamentos->columnWidth(TFormPacienteCarga::kColMedicamento)
                    > 2 * medicamentos->columnWidth(TFormPacienteCarga::kColEstado));
        QCOMPARE(medicamentos->horizontalHeaderItem(TFormPacienteCarga::kColCarga)->text(),
                 QString("-Carga"));
        QVERIFY(medicamentos->isColumnHidden(TFormPacienteCarga::kColIdMedicamento));
        auto *otros = Hijo<QTableWidget>(form, "grdOtros");
        QCOMPARE(otros->rowCount(), 1);
        QCOMPARE(otros->item(0, 2)->text(), QString("0-0-0-1:D:D:1"));
        QCOMPARE(Hijo<QLabel>(form, "lblEstado")->text(), QString("(SIN COMENZAR)"));
        QVERIFY(Hijo<QPushButton>(form, "btnEtiquetas")->isHidden());
        QCOMPARE(e.dm.Valor("SELECT COUNT(*) FROM LOPD_Auditoria WHERE Accion = 'PACIENTE CARGAS' "
                            "AND Operacion = 'CONSULTA' AND Resultado = 'ACEPTADO'")
                         .toInt(),
                 1);

        Hijo<QPushButton>(form, "btnInicio")->click();
        QCOMPARE(Hijo<QLabel>(form, "lblEstado")->text(), QString("(CARGANDO...)"));
        QVERIFY(Hijo<QPushButton>(form, "btnInicio")->isHidden());
        QVERIFY(!Hijo<QLineEdit>(form, "edtFechaInicio")->isEnabled());
        QTRY_COMPARE_WITH_TIMEOUT(Hijo<QLabel>(form, "lblEstado")->text(), QString("(COMPLETADO)"), 10000);
        QCOMPARE(medicamentos->item(0, TFormPacienteCarga::kColEstado)->text(), QString("Completado"));
        QCOMPARE(medicamentos->item(1, TFormPacienteCarga::kColFalta)->text(), QString("0"));
        QVERIFY(!Hijo<QPushButton>(form, "btnEtiquetas")->isHidden());
        QCOMPARE(e.dm.Valor("SELECT COUNT(*) FROM Recarga").toInt(), 1);
        QCOMPARE(pantalla.dialogos.impresas, QList<qint64> {form.Sesion().UltimaCarga()});
        QVERIFY(e.grabados.mensajes.isEmpty());

        Hijo<QPushButton>(form, "btnEtiquetas")->click();
        QCOMPARE(pantalla.dialogos.impresas.size(), 2);
    }

    void filasRojasYAvisoAlAbrir()
    {
        Entorno e;
        QVERIFY(e.Preparar(3));
        PantallaCarga pantalla;
        TFormPacienteCarga &form = pantalla.Abrir();
        QTRY_COMPARE(e.grabados.Textos(PresentadorMensajes::TTipo::Error),
                     QStringList {"NO HAY SUFICIENTES PASTILLAS PARA SIGUIENTE CARGA "});
        auto *medicamentos = Hijo<QTableWidget>(form, "grdMedicamentos");
        QCOMPARE(medicamentos->item(0, TFormPacienteCarga::kColEstado)->text(), QString("Insuficiente"));
        QCOMPARE(medicamentos->item(0, TFormPacienteCarga::kColMedicamento)->foreground().color(),
                 QColor(Qt::red));
        QCOMPARE(medicamentos->item(1, TFormPacienteCarga::kColIcorrect)->text(), QString("1"));

        // INICIO refuses; nothing reaches the machine.
        Hijo<QPushButton>(form, "btnInicio")->click();
        QCOMPARE(e.grabados.Textos(PresentadorMensajes::TTipo::Error).size(), 2);
        QVERIFY(!e.simulador->Recibidos().contains("INIT;2;"));
        QCOMPARE(Hijo<QLabel>(form, "lblEstado")->text(), QString("(SIN COMENZAR)"));
    }

    void fechaFinQueNoEsFecha()
    {
        Entorno e;
        QVERIFY(e.Preparar());
        PantallaCarga pantalla;
        TFormPacienteCarga &form = pantalla.Abrir();
        Hijo<QLineEdit>(form, "edtFechaFin")->setText("el viernes");
        Hijo<QPushButton>(form, "btnInicio")->click();
        QCOMPARE(e.grabados.Textos(PresentadorMensajes::TTipo::Error),
                 QStringList {"EL FORMATO ES INCORRECTO"});
        for (const QByteArray &mensaje : e.simulador->Recibidos())
            QVERIFY(!mensaje.startsWith("START;"));
    }

    void cambiarLaFechaReplanifica()
    {
        Entorno e;
        QVERIFY(e.Preparar());
        PantallaCarga pantalla;
        TFormPacienteCarga &form = pantalla.Abrir();
        auto *inicio = Hijo<QLineEdit>(form, "edtFechaInicio");
        inicio->setText("08/05/2024");
        emit inicio->editingFinished();
        // The end keeps its day, which still lies in the new window.
        QCOMPARE(Hijo<QLineEdit>(form, "edtFechaFin")->text(), QString("12/05/2024"));
        QCOMPARE(Hijo<QTableWidget>(form, "grdMedicamentos")->item(0, TFormPacienteCarga::kColCarga)->text(),
                 QString("5"));
    }

    void dobleClicAbreElStockYVolverSale()
    {
        Entorno e;
        QVERIFY(e.Preparar());
        PantallaCarga pantalla;
        QList<QPair<qint64, qint64>> abiertos;
        pantalla.form.OnStockMedicamento = [&](qint64 paciente, qint64 medicamento) {
            abiertos.append({paciente, medicamento});
        };
        TFormPacienteCarga &form = pantalla.Abrir();
        auto *medicamentos = Hijo<QTableWidget>(form, "grdMedicamentos");
        emit medicamentos->cellDoubleClicked(1, 1);
        QCOMPARE(abiertos, (QList<QPair<qint64, qint64>> {{e.paciente, kSintrom}}));
        QCOMPARE(medicamentos->currentRow(), 1);

        e.preferencias.Pais = "3";
        emit medicamentos->cellDoubleClicked(0, 1);
        QCOMPARE(abiertos.size(), 1);

        QSignalSpy volver(&form, &TFormPacienteCarga::volver);
        Hijo<QPushButton>(form, "btnVolver")->click();
        QCOMPARE(volver.size(), 1);
        QCOMPARE(volver.first().first().toString(), QString("REF-ANA"));
        QVERIFY(!e.link->BusquedaActiva());
    }
};

QTEST_MAIN(TestFormPacienteCarga)
#include "test_form_paciente_carga.moc"
