// The category load screen driven by its components, with the machine simulator over loopback.
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
#include "ui/loading/FCategoriaCarga.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

using namespace CargaPrueba;

namespace {

constexpr int kCategoria = 5;
constexpr qint64 kEnalapril = 700001;
constexpr qint64 kSintrom = 700002;
const QDate kLunes(2024, 5, 6);
constexpr int kEsperaMs = 10000;

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

QStringList Columna(QTableWidget &rejilla, int columna)
{
    QStringList textos;
    for (int fila = 0; fila < rejilla.rowCount(); ++fila)
        textos << rejilla.item(fila, columna)->text();
    return textos;
}

} // namespace

class TestFormCategoriaCarga : public QObject
{
    Q_OBJECT

    // The category "RESIDENCIA": ANA (enalapril, 20 in stock) and BEA (sintrom, 12) pending,
    // CARLOS whose week is stored, loaded on 29 April as well; the machine and its link.
    struct Entorno
    {
        FixedClock reloj {kLunes};
        TLenguaje lenguaje {QStringLiteral("/nonexistent/pastillero.lng")};
        TestDatabase db;
        TDM dm {db.directory()};
        TPreferences preferencias {IniFile(db.directory().iniFile())};
        MensajesGrabados grabados;
        std::unique_ptr<SimuladorDispensador> simulador;
        std::unique_ptr<TDispenserTCP> link;
        int ana = 0;
        int bea = 0;
        int carlos = 0;

        bool Preparar(int intervaloMs = 5)
        {
            dm.Anadir(QStringLiteral("TabMaestras"),
                      {{QStringLiteral("CodTab"), TDM::kListaCategorias},
                       {QStringLiteral("Codigo"), kCategoria},
                       {QStringLiteral("Descripcion"), QStringLiteral("RESIDENCIA")}});
            dm.Categoria = TCategoria {kCategoria, QStringLiteral("RESIDENCIA")};
            medicamento(dm, kEnalapril, QStringLiteral("ENALAPRIL"));
            medicamento(dm, kSintrom, QStringLiteral("SINTROM"), QStringLiteral("4 MG"));
            ana = Paciente(QStringLiteral("ANA PEREZ"), kEnalapril, 20);
            bea = Paciente(QStringLiteral("BEA RUIZ"), kSintrom, 12);
            carlos = Paciente(QStringLiteral("CARLOS GIL"), kEnalapril, 20);
            Carga(carlos, 1, kLunes.addDays(-7));
            Carga(carlos, 2, kLunes);

            OpcionesSimulador opciones;
            opciones.puertoBusqueda = 0;
            opciones.intervaloMs = intervaloMs;
            return MaquinaPrueba::Arrancar(opciones, simulador, link);
        }

        int Paciente(const QString &nombre, qint64 idMedicamento, double enStock)
        {
            const int id = paciente(dm, 1, nombre);
            dm.Ejecutar(
                    QStringLiteral("UPDATE Paciente SET CodCategoria = ?, Iactivo = 1 WHERE idPaciente = ?"),
                    {kCategoria, id});
            tratamiento(dm, id, idMedicamento, 0);
            stock(dm, id, idMedicamento, enStock);
            return id;
        }

        void Carga(int idPaciente, int numero, const QDate &inicio)
        {
            dm.Anadir(QStringLiteral("Recarga"),
                      {{QStringLiteral("idPaciente"), idPaciente},
                       {QStringLiteral("refRecarga"), numero},
                       {QStringLiteral("FechaInicio"), SqlFecha::valor(inicio)},
                       {QStringLiteral("FechaFin"), SqlFecha::valor(inicio.addDays(6))}});
            dm.Ejecutar(QStringLiteral("UPDATE Paciente SET FechaUltimaCargaRealizada = ?, "
                                       "NumeroUltimaCargaRealizada = ? WHERE idPaciente = ?"),
                        {SqlFecha::valor(inicio), numero, idPaciente});
        }
    };

    // The screen, printing answered with "no printer", opened on the active category.
    struct Pantalla
    {
        DialogosSinImpresora dialogos;
        TFormCategoriaCarga form {nullptr, &dialogos};

        TFormCategoriaCarga &Abrir()
        {
            form.show();
            form.AbrirCargaCategoria();
            return form;
        }
    };

private slots:
    void abiertaParaLaCategoria()
    {
        Entorno e;
        QVERIFY(e.Preparar());
        Pantalla pantalla;
        TFormCategoriaCarga &form = pantalla.Abrir();

        QCOMPARE(Hijo<QLabel>(form, "lblCategoria")->text(), QString("RESIDENCIA"));
        QCOMPARE(Hijo<QLineEdit>(form, "edtFechaInicio")->text(), QString("06/05/2024"));
        auto *anteriores = Hijo<QListWidget>(form, "lstCargasAnteriores");
        QCOMPARE(anteriores->count(), 2);
        QCOMPARE(anteriores->item(0)->text(), QString("06/05/2024"));
        QCOMPARE(anteriores->item(1)->text(), QString("29/04/2024"));
        auto *pacientes = Hijo<QTableWidget>(form, "grdPacientes");
        QCOMPARE(Columna(*pacientes, TFormCategoriaCarga::kPacRefPaciente),
                 (QStringList {"REF-ANA", "REF-BEA", "REF-CAR"}));
        QCOMPARE(Columna(*pacientes, TFormCategoriaCarga::kPacEstado),
                 (QStringList {"Pendiente", "Pendiente", "Completado"}));
        QVERIFY(pacientes->isColumnHidden(TFormCategoriaCarga::kPacEstadoCode));
        // The loaded patient in green, the others as usual.
        QCOMPARE(pacientes->item(2, TFormCategoriaCarga::kPacNombre)->foreground().color(),
                 QColor(0, 128, 0));
        QCOMPARE(pacientes->item(0, TFormCategoriaCarga::kPacNombre)->foreground().style(), Qt::NoBrush);
        QCOMPARE(Hijo<QTableWidget>(form, "grdMedicamentos")->rowCount(), 0);
        QCOMPARE(Hijo<QLabel>(form, "lblConexion")->text(), QString("CONECTADO"));
        QCOMPARE(Hijo<QLabel>(form, "lblEstado")->text(), QString("(SIN COMENZAR)"));
        QVERIFY(Hijo<QPushButton>(form, "btnDetener")->isHidden());
        QVERIFY(!Hijo<QPushButton>(form, "btnInicio")->isHidden());
        QVERIFY(e.link->BusquedaActiva());
        QVERIFY(e.grabados.mensajes.isEmpty());
    }

    // A click on a pending patient shows that patient's week with each medication's stock figure;
    // a click on a loaded one shows nothing.
    void clicEnUnPaciente()
    {
        Entorno e;
        QVERIFY(e.Preparar());
        Pantalla pantalla;
        TFormCategoriaCarga &form = pantalla.Abrir();
        auto *pacientes = Hijo<QTableWidget>(form, "grdPacientes");
        auto *medicamentos = Hijo<QTableWidget>(form, "grdMedicamentos");

        Clic(*pacientes, 1);
        QCOMPARE(medicamentos->rowCount(), 1);
        QCOMPARE(medicamentos->item(0, TFormCategoriaCarga::kColMedicamento)->text(),
                 QString("700002 SINTROM 4 MG"));
        QCOMPARE(medicamentos->item(0, TFormCategoriaCarga::kColInventario)->text(), QString("12"));
        QCOMPARE(medicamentos->item(0, TFormCategoriaCarga::kColCarga)->text(), QString("7"));
        QVERIFY(!medicamentos->isColumnHidden(TFormCategoriaCarga::kColInventario));
        QVERIFY(medicamentos->isColumnHidden(TFormCategoriaCarga::kColSPD));
        QCOMPARE(e.dm.idPacienteActivo, e.bea);

        Clic(*pacientes, 2);
        QCOMPARE(medicamentos->rowCount(), 0);
    }

    // A click on a title sorts ascending, a second one descending; a double click on the titles
    // above the list does the same.
    void ordenPorColumna()
    {
        Entorno e;
        QVERIFY(e.Preparar());
        e.dm.Ejecutar(QStringLiteral("UPDATE Paciente SET Nombre = 'ZOE DIAZ' WHERE idPaciente = ?"),
                      {e.ana});
        Pantalla pantalla;
        TFormCategoriaCarga &form = pantalla.Abrir();
        auto *pacientes = Hijo<QTableWidget>(form, "grdPacientes");
        QHeaderView *titulos = pacientes->horizontalHeader();

        emit titulos->sectionClicked(TFormCategoriaCarga::kPacNombre);
        QCOMPARE(Columna(*pacientes, TFormCategoriaCarga::kPacNombre),
                 (QStringList {"BEA RUIZ", "CARLOS GIL", "ZOE DIAZ"}));
        emit titulos->sectionClicked(TFormCategoriaCarga::kPacNombre);
        QCOMPARE(Columna(*pacientes, TFormCategoriaCarga::kPacNombre),
                 (QStringList {"ZOE DIAZ", "CARLOS GIL", "BEA RUIZ"}));
        QCOMPARE(titulos->sortIndicatorOrder(), Qt::DescendingOrder);

        QTest::mouseDClick(Hijo<QLabel>(form, "lblEstadoPacientes"), Qt::LeftButton);
        QCOMPARE(Columna(*pacientes, TFormCategoriaCarga::kPacRefPaciente),
                 (QStringList {"REF-CAR", "REF-ANA", "REF-BEA"}));
        // The run follows the order shown.
        QCOMPARE(form.Ronda().Filas().first().RefPaciente, QString("REF-CAR"));
    }

    void cargaAnteriorElegida()
    {
        Entorno e;
        QVERIFY(e.Preparar());
        Pantalla pantalla;
        TFormCategoriaCarga &form = pantalla.Abrir();
        auto *anteriores = Hijo<QListWidget>(form, "lstCargasAnteriores");
        QTest::mouseClick(anteriores->viewport(), Qt::LeftButton, {},
                          anteriores->visualItemRect(anteriores->item(1)).center());
        QCOMPARE(Hijo<QLineEdit>(form, "edtFechaInicio")->text(), QString("29/04/2024"));
        QCOMPARE(Columna(*Hijo<QTableWidget>(form, "grdPacientes"), TFormCategoriaCarga::kPacEstado),
                 (QStringList {"Pendiente", "Pendiente", "Completado"}));
        QCOMPARE(form.Ronda().Fecha(), QDate(2024, 4, 29));
    }

    void rondaDesdeLaPantalla()
    {
        Entorno e;
        QVERIFY(e.Preparar());
        Pantalla pantalla;
        TFormCategoriaCarga &form = pantalla.Abrir();
        auto *progreso = Hijo<QLabel>(form, "lblProgreso");
        QVERIFY(progreso->text().isEmpty());

        Hijo<QPushButton>(form, "btnInicio")->click();
        QVERIFY(Hijo<QPushButton>(form, "btnInicio")->isHidden());
        QVERIFY(!Hijo<QPushButton>(form, "btnDetener")->isHidden());
        QVERIFY(!Hijo<QLineEdit>(form, "edtFechaInicio")->isEnabled());
        QVERIFY(!Hijo<QTableWidget>(form, "grdPacientes")->isEnabled());
        QCOMPARE(progreso->text(), QString("PACIENTE 1 DE 2: ANA PEREZ   MEDICAMENTO 1 DE 1"));

        QTRY_COMPARE_WITH_TIMEOUT(progreso->text(), QString("CARGA DE LA CATEGORIA TERMINADA"), kEsperaMs);
        auto *pacientes = Hijo<QTableWidget>(form, "grdPacientes");
        QCOMPARE(Columna(*pacientes, TFormCategoriaCarga::kPacEstado),
                 (QStringList {"Completado", "Completado", "Completado"}));
        QCOMPARE(e.dm.Valor("SELECT COUNT(*) FROM Recarga").toInt(), 4);
        QCOMPARE(pantalla.dialogos.impresas.size(), 2);
        // The screen is usable again.
        QVERIFY(!Hijo<QPushButton>(form, "btnInicio")->isHidden());
        QVERIFY(Hijo<QPushButton>(form, "btnDetener")->isHidden());
        QVERIFY(Hijo<QLineEdit>(form, "edtFechaInicio")->isEnabled());
        QVERIFY(pacientes->isEnabled());
        QVERIFY(!Hijo<QPushButton>(form, "btnEtiquetas")->isHidden());
        QVERIFY(e.link->BusquedaActiva());
        QVERIFY(e.grabados.mensajes.isEmpty());
    }

    // "VOLVER" during a run asks first; the user may stay, or leave with the load cancelled.
    void volverDuranteLaRonda()
    {
        Entorno e;
        QVERIFY(e.Preparar(50));
        Pantalla pantalla;
        TFormCategoriaCarga &form = pantalla.Abrir();
        QSignalSpy volver(&form, &TFormCategoriaCarga::volver);
        Hijo<QPushButton>(form, "btnInicio")->click();
        QTRY_VERIFY_WITH_TIMEOUT(form.Ronda().Sesion().CargaEnCurso(), kEsperaMs);

        e.grabados.Responder(2);
        Hijo<QPushButton>(form, "btnVolver")->click();
        QCOMPARE(volver.size(), 0);
        QVERIFY(form.Ronda().RondaCategoria());
        QCOMPARE(e.grabados.Textos(MensajesGrabados::TTipo::Confirmar),
                 QStringList {"¿ESTAS SEGURO DE SALIR Y CANCELAR LA RECARGA ACTUAL?"});

        Hijo<QPushButton>(form, "btnVolver")->click();
        QCOMPARE(volver.size(), 1);
        QVERIFY(!form.Ronda().RondaCategoria());
        QTRY_VERIFY(e.simulador->Recibidos().contains("CANCEL;"));
        QVERIFY(!e.link->BusquedaActiva());
    }

private:
    static void Clic(QTableWidget &rejilla, int fila)
    {
        QTest::mouseClick(rejilla.viewport(), Qt::LeftButton, {},
                          rejilla.visualItemRect(rejilla.item(fila, 0)).center());
    }
};

QTEST_MAIN(TestFormCategoriaCarga)
#include "test_form_categoria_carga.moc"
