#include "core/common/AppError.h"
#include "core/common/Clock.h"
#include "core/data/uDM.h"
#include "core/patients/Recetas.h"
#include "support/RechazoEscritura.h"
#include "support/TestDatabase.h"

#include <QCoreApplication>
#include <QSqlQuery>
#include <QTest>

// The prescriptions not yet dispensed: stored, deleted and dispensed into stock, on every engine.
class TestRecetas : public QObject
{
    Q_OBJECT

    static constexpr qint64 kProducto = 655432;
    static constexpr qint64 kPrincipio = 900001;

    struct Entorno
    {
        TestDatabase db;
        TDM dm {db.directory()};
        FixedClock reloj {QDate(2026, 3, 10)};
        qint64 paciente = 0;
        qint64 otro = 0;

        Entorno()
        {
            paciente = dm.Anadir(QStringLiteral("Paciente"),
                                 {{QStringLiteral("refPaciente"), QStringLiteral("R1")}});
            otro = dm.Anadir(QStringLiteral("Paciente"),
                             {{QStringLiteral("refPaciente"), QStringLiteral("R2")}});
            medicamento(kProducto, QStringLiteral("SINTROM"), 0);
            medicamento(kPrincipio, QStringLiteral("ACENOCUMAROL"), 1);
        }
        void medicamento(qint64 codigo, const QString &nombre, int principio)
        {
            dm.Anadir(QStringLiteral("Medicamento"),
                      {{QStringLiteral("idMedicamento"), codigo},
                       {QStringLiteral("Medicamento"), nombre},
                       {QStringLiteral("Descripcion"), QStringLiteral("4MG")},
                       {QStringLiteral("Unidades"), 20},
                       {QStringLiteral("PVP"), 3.5},
                       {QStringLiteral("IPrinActiv"), principio}});
        }
        qint64 receta(qint64 idPaciente)
        {
            return TRecetas(dm).Guardar(
                    idPaciente, {QStringLiteral("01/03/2026"), kProducto, 0, QStringLiteral("DR. GIL")});
        }
        int filas(const QString &tabla)
        {
            return dm.Valor(QStringLiteral("SELECT COUNT(*) FROM ") + tabla).toInt();
        }
        TEntradaStock entrada()
        {
            return {paciente, kProducto, 0, QStringLiteral("L1"), QDate(2027, 1, 1), 20};
        }
    };

private slots:
    void guardaLaRecetaConElPrecioDelMedicamento_data()
    {
        QTest::addColumn<qint64>("producto");
        QTest::addColumn<qint64>("principio");
        QTest::addColumn<qint64>("guardado");
        QTest::newRow("product") << kProducto << qint64(0) << kProducto;
        QTest::newRow("active ingredient") << qint64(0) << kPrincipio << kPrincipio;
        QTest::newRow("both: the product") << kProducto << kPrincipio << kProducto;
    }
    void guardaLaRecetaConElPrecioDelMedicamento()
    {
        QFETCH(qint64, producto);
        QFETCH(qint64, principio);
        QFETCH(qint64, guardado);
        Entorno e;
        TRecetas(e.dm).Guardar(e.paciente,
                               {QStringLiteral("1/3/2026"), producto, principio, QStringLiteral("DR. GIL")});
        const QList<TFilaReceta> pendientes = TRecetas(e.dm).Pendientes(e.paciente);
        QCOMPARE(pendientes.size(), 1);
        QCOMPARE(pendientes.at(0).idMedicamento, guardado);
        QCOMPARE(pendientes.at(0).FechaReceta, QDate(2026, 3, 1));
        QCOMPARE(pendientes.at(0).MedicoReceta, QString("DR. GIL"));
        QCOMPARE(pendientes.at(0).Unidades, 20);
        QVERIFY(!pendientes.at(0).Medicamento.contains(QStringLiteral("4MG")));
        QCOMPARE(e.dm.Valor(QStringLiteral("SELECT PVP FROM Receta")).toDouble(), 3.5);
        QVERIFY(TRecetas(e.dm).Pendientes(e.otro).isEmpty());
    }

    void rechazaUnaRecetaMalEscrita_data()
    {
        QTest::addColumn<QString>("fecha");
        QTest::addColumn<qint64>("producto");
        QTest::addColumn<bool>("campoFecha");
        QTest::newRow("31 February") << "31/02/2026" << kProducto << true;
        QTest::newRow("not a date") << "ayer" << kProducto << true;
        QTest::newRow("empty date") << "" << kProducto << true;
        QTest::newRow("tomorrow") << "11/03/2026" << kProducto << true;
        QTest::newRow("no product, no ingredient") << "10/03/2026" << qint64(0) << false;
    }
    void rechazaUnaRecetaMalEscrita()
    {
        QFETCH(QString, fecha);
        QFETCH(qint64, producto);
        QFETCH(bool, campoFecha);
        Entorno e;
        const TNuevaReceta receta {fecha, producto, 0, {}};
        const TRecetas::TRechazo rechazo = TRecetas::Comprobar(receta, Clock::today());
        QVERIFY(!rechazo.Error.isEmpty());
        QCOMPARE(rechazo.campo == TRecetas::Campo::Fecha, campoFecha);
        QVERIFY_THROWS_EXCEPTION(AppError, TRecetas(e.dm).Guardar(e.paciente, receta));
        QCOMPARE(e.filas(QStringLiteral("Receta")), 0);
    }

    void unaRecetaQueNoSeGuardaNoDejaNada()
    {
        Entorno e;
        RechazarEscritura(e.dm, QStringLiteral("Receta"), QStringLiteral("INSERT"));
        QVERIFY_THROWS_EXCEPTION(AppError, e.receta(e.paciente));
        QCOMPARE(e.filas(QStringLiteral("Receta")), 0);
    }

    void leeElPrecioConComaOPunto_data()
    {
        QTest::addColumn<QVariant>("valor");
        QTest::addColumn<double>("precio");
        QTest::newRow("number") << QVariant(3.5) << 3.5;
        QTest::newRow("comma") << QVariant(QStringLiteral("3,50")) << 3.5;
        QTest::newRow("point") << QVariant(QStringLiteral(" 3.50 ")) << 3.5;
        QTest::newRow("not a number") << QVariant(QStringLiteral("tres")) << 0.0;
        QTest::newRow("null") << QVariant() << 0.0;
    }
    void leeElPrecioConComaOPunto()
    {
        QFETCH(QVariant, valor);
        QFETCH(double, precio);
        QCOMPARE(TRecetas::LeerPrecio(valor), precio);
    }

    void borraSoloUnaRecetaDelPaciente_data()
    {
        QTest::addColumn<bool>("delPaciente");
        QTest::newRow("the patient's") << true;
        QTest::newRow("another patient's") << false;
    }
    void borraSoloUnaRecetaDelPaciente()
    {
        QFETCH(bool, delPaciente);
        Entorno e;
        const qint64 id = e.receta(delPaciente ? e.paciente : e.otro);
        QCOMPARE(TRecetas(e.dm).Borrar(e.paciente, id), delPaciente);
        QCOMPARE(e.filas(QStringLiteral("Receta")), delPaciente ? 0 : 1);
    }

    void dispensarGuardaElStockYQuitaLaReceta()
    {
        Entorno e;
        const qint64 id = e.receta(e.paciente);
        const qint64 stock = TRecetas(e.dm).Dispensar(id, e.entrada());
        QVERIFY(stock > 0);
        QCOMPARE(e.filas(QStringLiteral("Receta")), 0);
        QCOMPARE(e.dm.Valor(QStringLiteral("SELECT CantidadRestante FROM Inventario")).toDouble(), 20.0);
    }

    void dispensarQueFallaNoCambiaNada_data()
    {
        QTest::addColumn<QString>("tabla");
        QTest::addColumn<QString>("operacion");
        QTest::addColumn<bool>("otroPaciente");
        QTest::newRow("stock refused") << "Inventario"
                                       << "INSERT" << false;
        QTest::newRow("prescription delete refused") << "Receta"
                                                     << "DELETE" << false;
        QTest::newRow("another patient's prescription") << ""
                                                        << "" << true;
    }
    void dispensarQueFallaNoCambiaNada()
    {
        QFETCH(QString, tabla);
        QFETCH(QString, operacion);
        QFETCH(bool, otroPaciente);
        Entorno e;
        const qint64 id = e.receta(otroPaciente ? e.otro : e.paciente);
        if (!tabla.isEmpty())
            RechazarEscritura(e.dm, tabla, operacion);
        QVERIFY_THROWS_EXCEPTION(AppError, TRecetas(e.dm).Dispensar(id, e.entrada()));
        QCOMPARE(e.filas(QStringLiteral("Receta")), 1);
        QCOMPARE(e.filas(QStringLiteral("Inventario")), 0);
    }
};

PASTILLERO_DATA_TEST_MAIN(TestRecetas)
#include "test_recetas.moc"
