#include "core/audit/ConsultaAuditoria.h"
#include "core/data/SqlFecha.h"
#include "core/data/uDM.h"
#include "support/TestDatabase.h"

#include <QCoreApplication>
#include <QHash>
#include <QTest>

namespace {

struct TFila
{
    const char *marca; // written as the workstation, to name the row in the tests
    QDateTime momento;
    const char *usuario;
    const char *accion;
    const char *operacion = "ALTA";
    const char *resultado = "ACEPTADO";
    const char *paciente = "7";
};

void escribir(TDM &dm, const QList<TFila> &filas)
{
    for (const TFila &f : filas)
        dm.Anadir(QStringLiteral("LOPD_Auditoria"),
                  {{QStringLiteral("FAudit"), SqlFecha::valor(f.momento)},
                   {QStringLiteral("Username"), QString::fromUtf8(f.usuario)},
                   {QStringLiteral("Maquina"), QString::fromUtf8(f.marca)},
                   {QStringLiteral("Accion"), QString::fromUtf8(f.accion)},
                   {QStringLiteral("Resultado"), QString::fromUtf8(f.resultado)},
                   {QStringLiteral("Operacion"), QString::fromUtf8(f.operacion)},
                   {QStringLiteral("refPaciente"), QString::fromUtf8(f.paciente)}});
}

QDateTime en(int mes, int dia, const QTime &hora)
{
    return QDateTime(QDate(2024, mes, dia), hora);
}

QStringList marcas(const QList<TFilaAuditoria> &filas)
{
    QStringList lista;
    for (const TFilaAuditoria &f : filas)
        lista << f.Maquina;
    return lista;
}

} // namespace

// The audit view's search, its pages and its lists, on every engine.
class TestConsultaAuditoria : public QObject
{
    Q_OBJECT

private slots:
    void elMesDeHoy_data()
    {
        QTest::addColumn<QDate>("hoy");
        QTest::addColumn<QDate>("desde");
        QTest::addColumn<QDate>("hasta");
        QTest::newRow("leap February") << QDate(2024, 2, 10) << QDate(2024, 2, 1) << QDate(2024, 2, 29);
        QTest::newRow("December") << QDate(2023, 12, 31) << QDate(2023, 12, 1) << QDate(2023, 12, 31);
    }
    void elMesDeHoy()
    {
        QFETCH(QDate, hoy);
        QTEST(FiltroAuditoriaDelMes(hoy).Desde, "desde");
        QTEST(FiltroAuditoriaDelMes(hoy).Hasta, "hasta");
    }

    // One text filter (named by its field) or none, and the dates.
    void filtros_data()
    {
        QTest::addColumn<QString>("campo");
        QTest::addColumn<QString>("valor");
        QTest::addColumn<QDate>("desde");
        QTest::addColumn<QDate>("hasta");
        QTest::addColumn<QStringList>("esperadas");
        const QDate primero(2024, 5, 1);
        const QDate ultimo(2024, 5, 31);
        const QString nada;
        QTest::newRow("month: first instant in, last day whole, next day out")
                << nada << nada << primero << ultimo << QStringList {"m1", "m2", "m3", "m4"};
        QTest::newRow("one day, to its last fraction of a second")
                << nada << nada << ultimo << ultimo << QStringList {"m4"};
        QTest::newRow("no dates: every row in time order")
                << nada << nada << QDate() << QDate()
                << QStringList {"f29", "mar", "m0", "m1", "m2", "m3", "m4", "m5"};
        QTest::newRow("leap February: its 29th whole, March out")
                << nada << nada << QDate(2024, 2, 1) << QDate(2024, 2, 29) << QStringList {"f29"};
        QTest::newRow("operation in lower case") << "Operacion"
                                                 << "alta" << primero << ultimo << QStringList {"m2"};
        QTest::newRow("result as the list offers it")
                << "Resultado"
                << "Rechazado" << primero << ultimo << QStringList {"m4"};
        QTest::newRow("user") << "Usuario"
                              << "LUIS" << primero << ultimo << QStringList {"m3"};
        QTest::newRow("action with an apostrophe")
                << "Accion"
                << "carga d'ana" << primero << ultimo << QStringList {"m3"};
        QTest::newRow("action beginning with a blank")
                << "Accion"
                << " BORR. CARGAS" << primero << ultimo << QStringList {"m1"};
        QTest::newRow("patient") << "Paciente"
                                 << "8" << primero << ultimo << QStringList {"m4"};
        QTest::newRow("typed text is never part of the statement")
                << "Paciente"
                << "8' OR '1' = '1" << QDate() << QDate() << QStringList {};
    }
    void filtros()
    {
        QFETCH(QString, campo);
        QFETCH(QString, valor);
        QFETCH(QDate, desde);
        QFETCH(QDate, hasta);
        TestDatabase db;
        TDM dm(db.directory());
        escribir(dm,
                 {{"f29", en(2, 29, QTime(23, 59, 59, 900)), "ana", "FICHA"},
                  {"mar", en(3, 1, QTime(0, 0)), "ana", "FICHA"},
                  {"m0", en(4, 30, QTime(23, 59, 59, 999)), "ana", "FICHA"},
                  {"m1", en(5, 1, QTime(0, 0)), "ana", " BORR. CARGAS", "BAJA"},
                  {"m2", en(5, 2, QTime(10, 0)), "ana", "FICHA"},
                  {"m3", en(5, 3, QTime(11, 0)), "luis", "CARGA D'ANA", "CONSULTA"},
                  {"m4", en(5, 31, QTime(23, 59, 59, 900)), "ana", "ACCESO", "CONEXION", "RECHAZADO", "8"},
                  {"m5", en(6, 1, QTime(0, 0)), "ana", "FICHA"}});
        static const QHash<QString, QString TFiltroAuditoria::*> campos {
                {QStringLiteral("Usuario"), &TFiltroAuditoria::Usuario},
                {QStringLiteral("Accion"), &TFiltroAuditoria::Accion},
                {QStringLiteral("Operacion"), &TFiltroAuditoria::Operacion},
                {QStringLiteral("Resultado"), &TFiltroAuditoria::Resultado},
                {QStringLiteral("Paciente"), &TFiltroAuditoria::Paciente}};
        TFiltroAuditoria filtro;
        filtro.Desde = desde;
        filtro.Hasta = hasta;
        if (!campo.isEmpty())
            filtro.*campos.value(campo) = valor;
        QTEST(marcas(ConsultarAuditoria(dm, filtro)), "esperadas");
    }

    // Pages read one after the other give every row once, in the order of the whole list: by
    // time, user and action, and rows alike in those by their order of writing.
    void paginas_data()
    {
        QTest::addColumn<int>("cuantas");
        QTest::newRow("one row a page") << 1;
        QTest::newRow("pages of four") << 4;
        QTest::newRow("all in one page") << 10;
    }
    void paginas()
    {
        QFETCH(int, cuantas);
        TestDatabase db;
        TDM dm(db.directory());
        const QDateTime mismo = en(5, 6, QTime(9, 0));
        escribir(dm,
                 {{"luis B", mismo, "luis", "B"},
                  {"ana B", mismo, "ana", "B"},
                  {"ana A 1", mismo, "ana", "A"},
                  {"antes", mismo.addMSecs(-1), "zoe", "Z"},
                  {"ana A 2", mismo, "ana", "A"},
                  {"despues", mismo.addSecs(1), "ana", "A"}});
        const TFiltroAuditoria filtro = FiltroAuditoriaDelMes(mismo.date());

        QStringList leidas;
        for (int desde = 0;; desde += cuantas) {
            const QStringList pagina = marcas(ConsultarAuditoria(dm, filtro, desde, cuantas));
            QVERIFY(pagina.size() <= cuantas);
            leidas << pagina;
            if (pagina.size() < cuantas)
                break;
        }
        QCOMPARE(leidas, QStringList({"antes", "ana A 1", "ana A 2", "ana B", "luis B", "despues"}));
    }

    void listasDeLosFiltros()
    {
        TestDatabase db;
        TDM dm(db.directory());
        for (const char *usuario : {"zoe", "ana"})
            dm.Anadir(QStringLiteral("Usuario"),
                      {{QStringLiteral("username"), QString::fromUtf8(usuario)},
                       {QStringLiteral("idPerfil"), 1}});
        const QDateTime momento = en(5, 6, QTime(9, 0));
        escribir(dm,
                 {{"m", momento, "ana", "FICHA"},
                  {"m", momento, "ana", " BORR. CARGAS"},
                  {"m", momento, "ana", "CARGA D'ANA"},
                  {"m", momento, "ana", "FICHA"}});

        QCOMPARE(UsuariosAuditoria(dm), QStringList({"ana", "zoe"}));
        QCOMPARE(AccionesAuditoria(dm), QStringList({" BORR. CARGAS", "CARGA D'ANA", "FICHA"}));
    }
};

PASTILLERO_DATA_TEST_MAIN(TestConsultaAuditoria)
#include "test_consulta_auditoria.moc"
