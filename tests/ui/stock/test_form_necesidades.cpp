// The needs screens as a pharmacist uses them: the patients of a care home ticked, two weeks
// computed, the order printed, the arrived boxes handed out, and the carers' chart of the
// patients ticked on the category screen.
#include "../../core/loading/CargaPrueba.h"
#include "core/common/Clock.h"
#include "core/data/SqlFecha.h"
#include "core/data/uDM.h"
#include "core/i18n/ULenguaje.h"
#include "core/settings/uPreferencias.h"
#include "support/MensajesGrabados.h"
#include "support/TestDatabase.h"
#include "ui/patients/FCategoriaPacientes.h"
#include "ui/reports/Fpreview.h"
#include "ui/stock/FNecesidades.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

using namespace CargaPrueba;

namespace {

constexpr qint64 kEnalapril = 8470001234567;
constexpr int kResidencia = 3;

template<typename T> T *Hijo(QWidget &ventana, const char *nombre)
{
    return ventana.findChild<T *>(QString::fromLatin1(nombre));
}

void Pulsar(QWidget &ventana, const char *boton)
{
    QPushButton *pulsado = Hijo<QPushButton>(ventana, boton);
    QVERIFY2(pulsado, boton);
    QTest::mouseClick(pulsado, Qt::LeftButton);
}

int StockDe(TDM &dm, int idPaciente)
{
    return dm
            .Valor(QStringLiteral(
                           "SELECT COUNT(*) FROM Inventario WHERE idPaciente = ? AND TipoAsignacion = 1"),
                   {idPaciente})
            .toInt();
}

void CerrarPrevias()
{
    for (TFormPreview *previa : TFormPreview::abiertos())
        delete previa;
}

} // namespace

class TestFormNecesidades : public QObject
{
    Q_OBJECT

    // Two patients of a care home, each taking one enalapril a day with 5 pills in stock, on a
    // Monday with no load made yet; a box holds 28 pills.
    struct Entorno
    {
        Entorno()
        {
            preferencias.Pais = QStringLiteral("1");
            preferencias.IdatMedOB = 1;
            dm.Ejecutar(QStringLiteral("INSERT INTO TabMaestras (CodTab, Codigo, Descripcion) "
                                       "VALUES (0, ?, 'RESIDENCIA NORTE')"),
                        {kResidencia});
            medicamento(dm, kEnalapril, QStringLiteral("ENALAPRIL"));
            dm.Ejecutar(QStringLiteral("UPDATE Medicamento SET Unidades = 28"));
            for (const QString &nombre : {QStringLiteral("ANA"), QStringLiteral("LUIS")}) {
                const int id = paciente(dm, 1, nombre);
                dm.Ejecutar(QStringLiteral(
                                    "UPDATE Paciente SET Iactivo = 1, CodCategoria = ? WHERE idPaciente = ?"),
                            {kResidencia, id});
                tratamiento(dm, id, kEnalapril, 5);
                stock(dm, id, kEnalapril, 5, QStringLiteral("L1"), QDate(2027, 12, 31));
                pacientes << id;
            }
            dm.idPacienteActivo = 0;
        }

        FixedClock reloj {QDate(2026, 12, 14)};
        TLenguaje lenguaje {QStringLiteral("/nonexistent/pastillero.lng")};
        TestDatabase db;
        TDM dm {db.directory()};
        TPreferences preferencias {IniFile(db.directory().iniFile())};
        MensajesGrabados grabados;
        QList<int> pacientes;
    };

private slots:
    void calculaImprimeYReparteLasCajas()
    {
        Entorno e;
        TFormNecesidades pantalla;
        pantalla.show();
        auto *categoria = Hijo<QComboBox>(pantalla, "cmbCategoria");
        categoria->setCurrentIndex(categoria->findData(kResidencia));
        QCOMPARE(Hijo<QTableWidget>(pantalla, "grdPacientes")->rowCount(), 2);
        Hijo<QCheckBox>(pantalla, "chkTodos")->click();
        Hijo<QLineEdit>(pantalla, "edtSemanas")->setText(QStringLiteral("2"));
        Pulsar(pantalla, "btnCalcular");

        // 14 pills a patient against 5 in stock: 9 missing each, one box each.
        auto *medicamentos = Hijo<QTableWidget>(pantalla, "grdMedicamentos");
        QCOMPARE(medicamentos->rowCount(), 1);
        QCOMPARE(medicamentos->item(0, 3)->text(), QStringLiteral("2"));
        auto *pacientes = Hijo<QTableWidget>(pantalla, "grdPacientesMedicamento");
        QCOMPARE(pacientes->rowCount(), 2);
        QCOMPARE(Hijo<QLineEdit>(pantalla, "edtCN")->text(), QString::number(kEnalapril));
        QVERIFY(Hijo<QPushButton>(pantalla, "btnFaltas")->isVisibleTo(&pantalla));
        Pulsar(pantalla, "btnFaltas");
        QCOMPARE(TFormPreview::abiertos().size(), 1);
        QVERIFY(TFormPreview::abiertos().first()->numeroPaginas() >= 1);
        CerrarPrevias();

        Hijo<QLineEdit>(pantalla, "edtLote")->setText(QStringLiteral("LX9"));
        Hijo<QLineEdit>(pantalla, "edtCaducidad")->setText(QStringLiteral("05/2030"));
        Hijo<QLineEdit>(pantalla, "edtCajas")->setText(QStringLiteral("3"));
        Pulsar(pantalla, "btnRepartir");
        QVERIFY2(e.grabados.mensajes.isEmpty(), qPrintable(e.grabados.mensajes.value(0).texto));
        QCOMPARE(StockDe(e.dm, e.pacientes[0]), 1);
        QCOMPARE(StockDe(e.dm, e.pacientes[1]), 1);
        // Computed again: nothing is missing any more, and the panel is empty.
        QCOMPARE(medicamentos->rowCount(), 0);
        QVERIFY(Hijo<QLineEdit>(pantalla, "edtCajas")->text().isEmpty());
        QCOMPARE(e.dm.idPacienteActivo, 0);
    }

    void semanasFueraDeRangoSeRechazan_data()
    {
        QTest::addColumn<QString>("semanas");
        QTest::newRow("cero") << QStringLiteral("0");
        QTest::newRow("53") << QStringLiteral("53");
        QTest::newRow("texto") << QStringLiteral("abc");
    }
    void semanasFueraDeRangoSeRechazan()
    {
        QFETCH(QString, semanas);
        Entorno e;
        TFormNecesidades pantalla;
        pantalla.show();
        Hijo<QLineEdit>(pantalla, "edtSemanas")->setText(semanas);
        Pulsar(pantalla, "btnCalcular");
        QCOMPARE(e.grabados.Textos(MensajesGrabados::TTipo::Error).size(), 1);
        QVERIFY(pantalla.Resultado().Cargas.isEmpty());
    }

    void laCategoriaImprimeLaHojaDeLosPacientesMarcados()
    {
        Entorno e;
        e.dm.Categoria = TCategoria {kResidencia, QStringLiteral("RESIDENCIA NORTE")};
        TFormCategoriaPacientes pantalla;
        pantalla.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pantalla));
        auto *pacientes = Hijo<QTableWidget>(pantalla, "grdPacientes");
        QCOMPARE(pacientes->rowCount(), 2);
        Pulsar(pantalla, "btnHojaSemanas"); // nobody ticked: nothing happens
        QVERIFY(TFormPreview::abiertos().isEmpty());
        const QPoint fila = pacientes->visualItemRect(pacientes->item(1, 0)).center();
        QTest::mouseClick(pacientes->viewport(), Qt::LeftButton, {}, fila);
        QTest::mouseDClick(pacientes->viewport(), Qt::LeftButton, {}, fila);
        QCOMPARE(pacientes->item(1, 3)->checkState(), Qt::Checked);
        for (const char *boton : {"btnHojaSemanas", "btnHojaFranjas"}) {
            Pulsar(pantalla, boton);
            QVERIFY2(e.grabados.mensajes.isEmpty(), qPrintable(e.grabados.mensajes.value(0).texto));
            QCOMPARE(TFormPreview::abiertos().size(), 1);
            QVERIFY(TFormPreview::abiertos().first()->informe().document.page.landscape);
            CerrarPrevias();
        }
        Pulsar(pantalla, "btnCalcular");
        QCOMPARE(pantalla.Resultado().Pedido.size(), 1); // only the patient ticked
        QCOMPARE(e.dm.idPacienteActivo, 0);
        QVERIFY(!pantalla.FiltroCargas().Activo); // no load waits to be delivered

        // A load of the 7th not yet delivered: shown again, the screen lists that day's loads.
        e.dm.Ejecutar(
                QStringLiteral("UPDATE Paciente SET FechaUltimaCargaRealizada = ? WHERE idPaciente = ?"),
                {SqlFecha::valor(QDate(2026, 12, 7)), e.pacientes[0]});
        e.dm.Anadir(QStringLiteral("Recarga"),
                    {{QStringLiteral("idPaciente"), e.pacientes[0]},
                     {QStringLiteral("refRecarga"), 1},
                     {QStringLiteral("FechaInicio"), SqlFecha::valor(QDate(2026, 12, 7))}});
        pantalla.hide();
        pantalla.show();
        QVERIFY(pantalla.FiltroCargas().Activo);
        QCOMPARE(pantalla.FiltroCargas().Fecha, QDate(2026, 12, 7));
        QCOMPARE(Hijo<QTableWidget>(pantalla, "grdCargas")->rowCount(), 1);
    }
};

QTEST_MAIN(TestFormNecesidades)
#include "test_form_necesidades.moc"
