// The category load screen's list: which patients it shows for a week and with what state, the
// list codes and colours, the earlier load dates, the date it is built for and its order.
#include "CargaPrueba.h"
#include "core/common/Clock.h"
#include "core/loading/ListaPacientesCategoria.h"
#include "core/settings/uPreferencias.h"
#include "support/TestDatabase.h"

#include <QTest>

using namespace CargaPrueba;

namespace {

constexpr int kCategoria = 5;
constexpr qint64 kEnalapril = 700001;
const QDate kLunes(2024, 5, 6);

} // namespace

class TestListaPacientesCategoria : public QObject
{
    Q_OBJECT

private slots:
    // One patient of the category, one pill a day of one medication, and what the week from
    // Monday shows for it.
    void evaluacion_data()
    {
        QTest::addColumn<int>("conInventario");
        QTest::addColumn<double>("stock");
        QTest::addColumn<QDate>("caducidad"); // of the treatment line's stock
        QTest::addColumn<QString>("dosisAlEntrar"); // the dose stored when the line was entered
        QTest::addColumn<int>("enBlister");
        QTest::addColumn<QDate>("finLinea");
        QTest::addColumn<QDateTime>("alta");
        QTest::addColumn<int>("activo");
        QTest::addColumn<bool>("cargada");
        QTest::addColumn<QString>("estado"); // empty: not listed
        QTest::addColumn<int>("codigo");
        QTest::addColumn<bool>("correcto");

        const QString dosis = QStringLiteral("1-0-0-0:D:D:1");
        const QDate lejos(2030, 1, 1);
        const QDate sinFin;
        const QDateTime antes(QDate(2024, 1, 1), QTime(9, 0));
        QTest::newRow("pending") << 1 << 20.0 << lejos << dosis << 1 << sinFin << antes << 1 << false
                                 << "Pendiente" << 0 << true;
        QTest::newRow("the week already stored") << 1 << 20.0 << lejos << dosis << 1 << sinFin << antes << 1
                                                 << true << "Completado" << 2 << true;
        QTest::newRow("short of stock") << 1 << 3.0 << lejos << dosis << 1 << sinFin << antes << 1 << false
                                        << "Insuficiente" << 3 << false;
        QTest::newRow("short of stock, no stock control") << 0 << 3.0 << lejos << dosis << 1 << sinFin
                                                          << antes << 1 << false << "Pendiente" << 0 << true;
        QTest::newRow("expiring within the week") << 1 << 20.0 << kLunes.addDays(6) << dosis << 1 << sinFin
                                                  << antes << 1 << false << "Caducado" << 3 << false;
        QTest::newRow("expiring the day after the week")
                << 1 << 20.0 << kLunes.addDays(7) << dosis << 1 << sinFin << antes << 1 << false
                << "Pendiente" << 0 << true;
        QTest::newRow("expiring, no stock control: the text stays, the load goes")
                << 0 << 20.0 << kLunes.addDays(2) << dosis << 1 << sinFin << antes << 1 << false << "Caducado"
                << 0 << true;
        QTest::newRow("entered outside the blister, now in it")
                << 1 << 20.0 << lejos << QStringLiteral("0-0-0-0:0") << 1 << sinFin << antes << 1 << false
                << "SPD mal" << 4 << false;
        QTest::newRow("only medication outside the blister")
                << 1 << 20.0 << lejos << dosis << 0 << sinFin << antes << 1 << false << "Pendiente" << 0
                << true;
        QTest::newRow("treatment ended before the week")
                << 1 << 20.0 << lejos << dosis << 1 << kLunes.addDays(-1) << antes << 1 << false << "" << 0
                << true;
        QTest::newRow("admitted after the date")
                << 1 << 20.0 << lejos << dosis << 1 << sinFin << QDateTime(kLunes.addDays(1), QTime(0, 0))
                << 1 << false << "" << 0 << true;
        QTest::newRow("admitted on the date, later that day")
                << 1 << 20.0 << lejos << dosis << 1 << sinFin << QDateTime(kLunes, QTime(17, 30)) << 1
                << false << "Pendiente" << 0 << true;
        QTest::newRow("inactive") << 1 << 20.0 << lejos << dosis << 1 << sinFin << antes << 0 << false << ""
                                  << 0 << true;
    }
    void evaluacion()
    {
        QFETCH(int, conInventario);
        QFETCH(double, stock);
        QFETCH(QDate, caducidad);
        QFETCH(QString, dosisAlEntrar);
        QFETCH(int, enBlister);
        QFETCH(QDate, finLinea);
        QFETCH(QDateTime, alta);
        QFETCH(int, activo);
        QFETCH(bool, cargada);
        QFETCH(QString, estado);
        QFETCH(int, codigo);
        QFETCH(bool, correcto);
        FixedClock reloj(kLunes);
        TestDatabase db;
        TDM dm(db.directory());
        TPreferences preferencias {IniFile(db.directory().iniFile())};
        medicamento(dm, kEnalapril, QStringLiteral("ENALAPRIL"));
        dm.Ejecutar(QStringLiteral("UPDATE Medicamento SET SPD = ?"), {enBlister});
        const int id = Paciente(dm, QStringLiteral("ANA"), activo);
        dm.Ejecutar(QStringLiteral("UPDATE Paciente SET IConInven = ?, FechaAlta = ? WHERE idPaciente = ?"),
                    {conInventario, SqlFecha::valor(alta), id});
        const int linea = tratamiento(dm, id, kEnalapril, 0);
        dm.Ejecutar(QStringLiteral("UPDATE SPD SET DosisS1 = ?, Caducidad = ?, Fin = ? WHERE id = ?"),
                    {dosisAlEntrar, SqlFecha::valor(caducidad), SqlFecha::valor(finLinea), linea});
        CargaPrueba::stock(dm, id, kEnalapril, stock);
        if (cargada)
            Carga(dm, id, kLunes);

        const QList<TFilaPacienteCategoria> filas = ListarPacientes(dm, kCategoria, kLunes);
        QCOMPARE(filas.size(), estado.isEmpty() ? 0 : 1);
        if (estado.isEmpty())
            return;
        const TFilaPacienteCategoria &fila = filas.first();
        QCOMPARE(fila.RefPaciente, QString("ANA"));
        QCOMPARE(fila.Nombre, QString("ANA NOMBRE"));
        QCOMPARE(fila.IdPaciente, qint64(id));
        QCOMPARE(fila.FechaCarga, kLunes);
        QCOMPARE(fila.Estado, estado);
        QCOMPARE(fila.EstadoCode, codigo);
        QCOMPARE(fila.Icorrect, correcto);
        // The patient evaluated last is the active one, as the load screen expects.
        QCOMPARE(dm.idPacienteActivo, id);
    }

    void listaPorReferencia()
    {
        FixedClock reloj(kLunes);
        TestDatabase db;
        TDM dm(db.directory());
        TPreferences preferencias {IniFile(db.directory().iniFile())};
        medicamento(dm, kEnalapril, QStringLiteral("ENALAPRIL"));
        for (const QString &ref : {QStringLiteral("C"), QStringLiteral("A"), QStringLiteral("B")}) {
            const int id = Paciente(dm, ref, 1);
            tratamiento(dm, id, kEnalapril, 0);
            CargaPrueba::stock(dm, id, kEnalapril, 20);
        }
        const int otra = Paciente(dm, QStringLiteral("0"), 1);
        dm.Ejecutar(QStringLiteral("UPDATE Paciente SET CodCategoria = 6 WHERE idPaciente = ?"), {otra});
        tratamiento(dm, otra, kEnalapril, 0);
        QStringList referencias;
        for (const TFilaPacienteCategoria &fila : ListarPacientes(dm, kCategoria, kLunes))
            referencias << fila.RefPaciente;
        QCOMPARE(referencias, (QStringList {"A", "B", "C"}));
    }

    void estadoCode_data()
    {
        QTest::addColumn<int>("estado");
        QTest::addColumn<bool>("conInventario");
        QTest::addColumn<int>("codigo");
        for (const int pendiente : {0, 1, 4, 7})
            QTest::addRow("state %d: pending", pendiente) << pendiente << true << 0;
        QTest::newRow("loading") << 2 << true << 1;
        QTest::newRow("completed") << 3 << true << 2;
        QTest::newRow("insufficient with stock control") << 5 << true << 3;
        QTest::newRow("insufficient without stock control") << 5 << false << 0;
        QTest::newRow("badly defined") << 8 << true << 4;
        for (const int otro : {6, 9, 12})
            QTest::addRow("state %d: none", otro) << otro << true << -1;
    }
    void estadoCode()
    {
        QFETCH(int, estado);
        QFETCH(bool, conInventario);
        QFETCH(int, codigo);
        QCOMPARE(EstadoCode(quint8(estado), conInventario), codigo);
    }

    void colorFila_data()
    {
        QTest::addColumn<int>("codigo");
        QTest::addColumn<bool>("correcto");
        QTest::addColumn<int>("color");
        QTest::newRow("pending") << 0 << true << int(TColorFila::Normal);
        QTest::newRow("completed: green") << 2 << true << int(TColorFila::Completado);
        QTest::newRow("insufficient: red") << 3 << false << int(TColorFila::Incorrecto);
        QTest::newRow("expired without stock control") << 0 << true << int(TColorFila::Normal);
    }
    void colorFila()
    {
        QFETCH(int, codigo);
        QFETCH(bool, correcto);
        QFETCH(int, color);
        TFilaPacienteCategoria fila;
        fila.EstadoCode = codigo;
        fila.Icorrect = correcto;
        QCOMPARE(int(fila.Color()), color);
    }

    // Newest first, each date once; loads of other categories and of patients whose last load
    // date is not recorded are left out.
    void cargasAnteriores()
    {
        TestDatabase db;
        TDM dm(db.directory());
        const int ana = Paciente(dm, QStringLiteral("ANA"), 1);
        const int bea = Paciente(dm, QStringLiteral("BEA"), 1);
        const int sinFecha = Paciente(dm, QStringLiteral("CRIS"), 1);
        const int otra = Paciente(dm, QStringLiteral("DORA"), 1);
        dm.Ejecutar(QStringLiteral("UPDATE Paciente SET CodCategoria = 6 WHERE idPaciente = ?"), {otra});
        Carga(dm, ana, QDate(2024, 4, 22));
        Carga(dm, ana, QDate(2024, 4, 29));
        Carga(dm, bea, QDate(2024, 4, 29), QTime(16, 45));
        Carga(dm, bea, QDate(2024, 4, 15));
        Carga(dm, sinFecha, QDate(2024, 4, 8));
        dm.Ejecutar(
                QStringLiteral("UPDATE Paciente SET FechaUltimaCargaRealizada = NULL WHERE idPaciente = ?"),
                {sinFecha});
        Carga(dm, otra, QDate(2024, 5, 6));
        QCOMPARE(CargasAnteriores(dm, kCategoria),
                 (QList<QDate> {QDate(2024, 4, 29), QDate(2024, 4, 22), QDate(2024, 4, 15)}));
        QVERIFY(CargasAnteriores(dm, kCategoria + 10).isEmpty());
    }

    void fechaLista_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QDate>("fecha");
        QTest::newRow("a date") << "13/05/2024" << QDate(2024, 5, 13);
        QTest::newRow("empty: the category's proposal") << "" << QDate(2024, 5, 1);
        QTest::newRow("not a date: today") << "31/02/2024" << kLunes;
    }
    void fechaLista()
    {
        QFETCH(QString, texto);
        QFETCH(QDate, fecha);
        FixedClock reloj(kLunes);
        TestDatabase db;
        TDM dm(db.directory());
        const int ana = Paciente(dm, QStringLiteral("ANA"), 1);
        Carga(dm, ana, QDate(2024, 4, 24)); // ends on 30 April
        QCOMPARE(FechaListaCategoria(dm, kCategoria, texto), fecha);
    }

    void ordenar_data()
    {
        QTest::addColumn<int>("columna");
        QTest::addColumn<bool>("descendente");
        QTest::addColumn<QStringList>("referencias");
        QTest::newRow("by reference")
                << int(TColumnaPacientes::Referencia) << false << QStringList {"a1", "B2", "c3"};
        QTest::newRow("by reference, descending")
                << int(TColumnaPacientes::Referencia) << true << QStringList {"c3", "B2", "a1"};
        QTest::newRow("by name, without regard to case")
                << int(TColumnaPacientes::Nombre) << false << QStringList {"c3", "B2", "a1"};
        QTest::newRow("by state: equal states keep their order")
                << int(TColumnaPacientes::Estado) << false << QStringList {"c3", "B2", "a1"};
        QTest::newRow("by state, descending: equal states keep their order")
                << int(TColumnaPacientes::Estado) << true << QStringList {"B2", "a1", "c3"};
    }
    void ordenar()
    {
        QFETCH(int, columna);
        QFETCH(bool, descendente);
        QFETCH(QStringList, referencias);
        const auto fila = [](const QString &ref, const QString &nombre, const QString &estado) {
            TFilaPacienteCategoria f;
            f.RefPaciente = ref;
            f.Nombre = nombre;
            f.Estado = estado;
            return f;
        };
        QList<TFilaPacienteCategoria> filas {fila("c3", "ana", "Completado"), fila("B2", "BEA", "Pendiente"),
                                             fila("a1", "Zoe", "Pendiente")};
        OrdenarPacientes(filas, TColumnaPacientes(columna), descendente);
        QStringList resultado;
        for (const TFilaPacienteCategoria &f : filas)
            resultado << f.RefPaciente;
        QCOMPARE(resultado, referencias);
    }

private:
    static int Paciente(TDM &dm, const QString &ref, int activo)
    {
        return int(dm.Anadir(QStringLiteral("Paciente"),
                             {{QStringLiteral("refPaciente"), ref},
                              {QStringLiteral("Nombre"), ref + QStringLiteral(" NOMBRE")},
                              {QStringLiteral("CodCategoria"), kCategoria},
                              {QStringLiteral("Iactivo"), activo},
                              {QStringLiteral("IConInven"), 1},
                              {QStringLiteral("NumeroUltimaCargaRealizada"), 0}}));
    }

    // A stored week from the day, recorded as the patient's last load.
    static void Carga(TDM &dm, int idPaciente, const QDate &inicio, const QTime &hora = QTime(0, 0))
    {
        const int numero
                = dm.Valor(QStringLiteral("SELECT COUNT(*) FROM Recarga WHERE idPaciente = ?"), {idPaciente})
                          .toInt()
                + 1;
        dm.Anadir(QStringLiteral("Recarga"),
                  {{QStringLiteral("idPaciente"), idPaciente},
                   {QStringLiteral("refRecarga"), numero},
                   {QStringLiteral("FechaInicio"), SqlFecha::valor(QDateTime(inicio, hora))},
                   {QStringLiteral("FechaFin"), SqlFecha::valor(inicio.addDays(6))}});
        dm.Ejecutar(QStringLiteral("UPDATE Paciente SET FechaUltimaCargaRealizada = ? WHERE idPaciente = ?"),
                    {SqlFecha::valor(inicio), idPaciente});
    }
};

PASTILLERO_DATA_TEST_MAIN(TestListaPacientesCategoria)
#include "test_lista_pacientes_categoria.moc"
