#include "core/common/Clock.h"
#include "core/data/SqlFecha.h"
#include "core/data/uDM.h"
#include "core/patients/ActividadPaciente.h"
#include "core/patients/ListaPacientes.h"
#include "support/TestDatabase.h"

#include <QCoreApplication>
#include <QTest>

using TActividad = TFiltroPacientes::TActividad;

// The patients list's filters, and deactivating and reactivating a patient from it.
class TestListaPacientes : public QObject
{
    Q_OBJECT

    static void Paciente(TDM &dm, int id, const QString &ref, const QVariant &activo,
                         const QVariant &categoria)
    {
        dm.Ejecutar(QStringLiteral(
                            "INSERT INTO Paciente (idPaciente, refPaciente, Nombre, DNI, Telefono, Iactivo, "
                            "CodCategoria) VALUES (?, ?, ?, ?, ?, ?, ?)"),
                    {id, ref, QStringLiteral("NOMBRE ") + ref, QStringLiteral("DNI") + ref,
                     QStringLiteral("60000000") + QString::number(id), activo, categoria});
    }

    // Two categories, a code of another master list that is not one, and patients of every kind;
    // created out of reference order so that the list's own order shows.
    static void Pacientes(TDM &dm)
    {
        dm.Ejecutar(QStringLiteral("INSERT INTO TabMaestras (CodTab, Codigo, Descripcion) VALUES "
                                   "(0, 1, 'RESIDENCIA'), (0, 2, 'CENTRO DE DIA'), (4, 3, 'OTRA LISTA')"));
        const QVariant sinCategoria(QMetaType(QMetaType::Int));
        Paciente(dm, 1, QStringLiteral("D"), 1, 1);
        Paciente(dm, 2, QStringLiteral("B"), 0, 1);
        Paciente(dm, 3, QStringLiteral("C"), QVariant(QMetaType(QMetaType::Int)), sinCategoria);
        Paciente(dm, 4, QStringLiteral("A"), 1, 2);
        Paciente(dm, 5, QStringLiteral("E"), 0, sinCategoria);
        Paciente(dm, 6, QStringLiteral("F"), 1, 3);
    }

    // Activity and leaving date of every patient but one.
    static QStringList Otros(TDM &dm, int id)
    {
        TConsulta query = dm.Consulta(QStringLiteral("SELECT idPaciente, Iactivo, FechaBaja FROM Paciente "
                                                     "WHERE idPaciente <> ? ORDER BY idPaciente"),
                                      {id});
        QStringList filas;
        while (query.next())
            filas << QStringLiteral("%1 %2 %3")
                             .arg(query.value(0).toInt())
                             .arg(query.value(1).toString(), SqlFecha::leerDia(query.value(2)).toString());
        return filas;
    }

    static QStringList Referencias(const QList<TFilaListaPacientes> &filas)
    {
        QStringList referencias;
        for (const TFilaListaPacientes &fila : filas)
            referencias << fila.refPaciente;
        return referencias;
    }

    static QList<TFilaListaPacientes> Filtrar(TDM &dm, TActividad actividad, int categoria = -1)
    {
        TFiltroPacientes filtro;
        filtro.actividad = actividad;
        if (categoria >= 0)
            filtro.categoria = categoria;
        return LeerListaPacientes(dm, filtro);
    }

private slots:
    void filtra_data()
    {
        QTest::addColumn<int>("actividad");
        QTest::addColumn<int>("categoria"); // -1: any
        QTest::addColumn<QStringList>("referencias");
        QTest::newRow("activos por defecto, un Iactivo nulo es activo")
                << int(TActividad::Si) << -1 << QStringList {"D", "C", "A", "F"};
        QTest::newRow("inactivos") << int(TActividad::No) << -1 << QStringList {"B", "E"};
        QTest::newRow("todos") << int(TActividad::Todos) << -1 << QStringList {"D", "B", "C", "A", "E", "F"};
        QTest::newRow("activos de una categoria") << int(TActividad::Si) << 1 << QStringList {"D"};
        QTest::newRow("inactivos de una categoria") << int(TActividad::No) << 1 << QStringList {"B"};
        QTest::newRow("todos de otra categoria") << int(TActividad::Todos) << 2 << QStringList {"A"};
        QTest::newRow("codigo de otra lista") << int(TActividad::Todos) << 3 << QStringList {"F"};
        QTest::newRow("categoria sin pacientes") << int(TActividad::Todos) << 9 << QStringList {};
    }
    void filtra()
    {
        QFETCH(int, actividad);
        QFETCH(int, categoria);
        QFETCH(QStringList, referencias);
        TestDatabase db;
        TDM dm(db.directory());
        Pacientes(dm);
        QCOMPARE(Referencias(Filtrar(dm, TActividad(actividad), categoria)), referencias);
    }

    void unaFilaLlevaLoQueLaRejillaMuestra_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<bool>("activo");
        QTest::addColumn<QString>("activoTexto");
        QTest::addColumn<QString>("categoria");
        QTest::newRow("activo con categoria") << 1 << true << "SI"
                                              << "RESIDENCIA";
        QTest::newRow("inactivo") << 2 << false << "NO"
                                  << "RESIDENCIA";
        QTest::newRow("Iactivo nulo, sin categoria") << 3 << true << "SI"
                                                     << "";
        QTest::newRow("el codigo de otra lista no es categoria") << 6 << true << "SI"
                                                                 << "";
    }
    void unaFilaLlevaLoQueLaRejillaMuestra()
    {
        QFETCH(int, id);
        QFETCH(bool, activo);
        QFETCH(QString, activoTexto);
        QFETCH(QString, categoria);
        TestDatabase db;
        TDM dm(db.directory());
        Pacientes(dm);
        for (const TFilaListaPacientes &fila : Filtrar(dm, TActividad::Todos)) {
            if (fila.idPaciente != id)
                continue;
            QCOMPARE(fila.activo, activo);
            QCOMPARE(fila.ActivoText, activoTexto);
            QCOMPARE(fila.CategoriaText, categoria);
            QCOMPARE(fila.Nombre, QStringLiteral("NOMBRE ") + fila.refPaciente);
            QCOMPARE(fila.DNI, QStringLiteral("DNI") + fila.refPaciente);
            QCOMPARE(fila.Telefono, QStringLiteral("60000000") + QString::number(id));
            return;
        }
        QFAIL("patient not listed");
    }

    void bajaYAlta_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<bool>("activar");
        QTest::addColumn<int>("iactivo");
        QTest::addColumn<QDate>("fechaBaja");
        QTest::newRow("baja de un activo") << 1 << false << 0 << QDate(2024, 5, 6);
        QTest::newRow("baja de uno con Iactivo nulo") << 3 << false << 0 << QDate(2024, 5, 6);
        QTest::newRow("alta de un inactivo") << 2 << true << 1 << QDate();
        QTest::newRow("alta de un activo la confirma") << 4 << true << 1 << QDate();
    }
    void bajaYAlta()
    {
        QFETCH(int, id);
        QFETCH(bool, activar);
        QFETCH(int, iactivo);
        QFETCH(QDate, fechaBaja);
        FixedClock reloj(QDate(2024, 5, 6));
        TestDatabase db;
        TDM dm(db.directory());
        Pacientes(dm);
        dm.Ejecutar(QStringLiteral("UPDATE Paciente SET FechaBaja = ? WHERE Iactivo = 0"),
                    {SqlFecha::valor(QDate(2023, 1, 2))});
        const QStringList otros = Otros(dm, id);
        QVERIFY(CambiarActividadPaciente(dm, id, activar));
        TConsulta fila = dm.Consulta(
                QStringLiteral("SELECT Iactivo, FechaBaja FROM Paciente WHERE idPaciente = ?"), {id});
        QVERIFY(fila.next());
        QCOMPARE(fila.value(0).toInt(), iactivo);
        QCOMPARE(SqlFecha::leerDia(fila.value(1)), fechaBaja);
        fila.finish();
        QCOMPARE(Otros(dm, id), otros);
        // The list's own change writes no audit row.
        QCOMPARE(dm.Valor(QStringLiteral("SELECT COUNT(*) FROM LOPD_Auditoria")).toInt(), 0);
    }

    void bajaDeUnPacienteQueYaNoExiste()
    {
        TestDatabase db;
        TDM dm(db.directory());
        Pacientes(dm);
        QVERIFY(!CambiarActividadPaciente(dm, 99, false));
        QCOMPARE(Referencias(Filtrar(dm, TActividad::No)), (QStringList {"B", "E"}));
    }
};

PASTILLERO_DATA_TEST_MAIN(TestListaPacientes)
#include "test_lista_pacientes.moc"
