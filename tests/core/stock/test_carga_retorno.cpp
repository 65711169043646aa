// The load the returns screen shows: the latest of the patient, the one a code names, and what
// its report prints.
#include "RetornoPrueba.h"
#include "core/i18n/ULenguaje.h"
#include "core/stock/CargaRetorno.h"
#include "support/TestDatabase.h"

#include <QCoreApplication>
#include <QTest>

using namespace RetornoPrueba;

class TestCargaRetorno : public QObject
{
    Q_OBJECT

    TLenguaje m_lenguaje {QStringLiteral("/nonexistent/pastillero.lng")};

private slots:
    void laUltimaCargaEsLaDeMayorNumero()
    {
        TestDatabase db;
        TDM dm(db.directory());
        const int preparador = usuario(dm);
        const qint64 ana = paciente(dm, QStringLiteral("R1"));
        const qint64 otro = paciente(dm, QStringLiteral("R2"));
        QVERIFY(!UltimaCargaPaciente(dm, ana));
        carga(dm, ana, 1, preparador);
        const qint64 tercera = carga(dm, ana, 3, preparador, kLunes.addDays(14));
        carga(dm, ana, 2, preparador, kLunes.addDays(7));
        carga(dm, otro, 9, preparador);
        QCOMPARE(UltimaCargaPaciente(dm, ana).value_or(0), tercera);
    }

    void laCargaQueNombraElCodigo_data()
    {
        QTest::addColumn<QString>(
                "codigo"); // "@" is the patient's scanned code of load 2, "#" another patient's
        QTest::addColumn<bool>("encontrada");
        QTest::newRow("scanned code of the patient's blister") << "@" << true;
        QTest::newRow("its seven digits") << "@7" << true;
        QTest::newRow("the load number") << "2" << true;
        QTest::newRow("the load number with blanks") << " 2 " << true;
        QTest::newRow("another patient's blister of the same number") << "#" << false;
        QTest::newRow("a misread check digit") << "@x" << false;
        QTest::newRow("a number the patient has no load of") << "5" << false;
        QTest::newRow("zero") << "0" << false;
        QTest::newRow("letters") << "dos" << false;
        QTest::newRow("empty") << "" << false;
    }
    void laCargaQueNombraElCodigo()
    {
        QFETCH(QString, codigo);
        QFETCH(bool, encontrada);
        TestDatabase db;
        TDM dm(db.directory());
        const int preparador = usuario(dm);
        const qint64 otro = paciente(dm, QStringLiteral("R2"));
        const qint64 ana = paciente(dm, QStringLiteral("R1"));
        carga(dm, ana, 1, preparador);
        const qint64 segunda = carga(dm, ana, 2, preparador);
        carga(dm, otro, 2, preparador);
        const QString propio = codigoEscaneado(ana, 2);
        if (codigo == QLatin1String("@"))
            codigo = propio;
        else if (codigo == QLatin1String("@7"))
            codigo = propio.left(7);
        else if (codigo == QLatin1String("@x"))
            codigo = propio.left(7) + QString::number((propio.back().digitValue() + 1) % 10);
        else if (codigo == QLatin1String("#"))
            codigo = codigoEscaneado(otro, 2);
        const std::optional<qint64> id = CargaPacientePorCodigo(dm, ana, codigo);
        QCOMPARE(id.has_value(), encontrada);
        if (encontrada)
            QCOMPARE(*id, segunda);
    }

    void laCabeceraDeLaCarga()
    {
        TestDatabase db;
        TDM dm(db.directory());
        const qint64 ana = paciente(dm);
        const qint64 id = carga(dm, ana, 4, usuario(dm, QStringLiteral("ROSA GIL")));
        const std::optional<TCargaRetorno> leida = LeerCargaRetorno(dm, id);
        QVERIFY(leida);
        QCOMPARE(leida->refRecarga, 4);
        QCOMPARE(leida->idPaciente, ana);
        QCOMPARE(leida->Preparador, QString("ROSA GIL"));
        QCOMPARE(leida->FechaRealizado, QDateTime(kLunes.addDays(-3), QTime(9, 15)));
        QCOMPARE(leida->FechaInicio, kLunes);
        QCOMPARE(leida->FechaFin, kLunes.addDays(6));
        QCOMPARE(leida->TextoHumedad(), QString("40%"));
        QCOMPARE(leida->TextoTemperatura(), QString("21ºC"));
        QVERIFY(!leida->FechaRetornado.isValid());
        QVERIFY(leida->Tomas.Marcadas().isEmpty());
        QVERIFY(!LeerCargaRetorno(dm, id + 1));
    }

    void elInformeLlevaElPacienteYLasTomasMarcadas()
    {
        TestDatabase db;
        TDM dm(db.directory());
        const qint64 ana = paciente(dm, QStringLiteral("R1"), QStringLiteral("LUIS PEREZ"));
        std::optional<TCargaRetorno> leida = LeerCargaRetorno(dm, carga(dm, ana, 4, usuario(dm)));
        QVERIFY(leida);
        leida->Tomas.Marcar(27, 2, QStringLiteral("OLVIDO"));
        leida->Tomas.Marcar(14, 1, QStringLiteral("NAUSEAS"));
        leida->FechaRetornado = QDate(2024, 5, 14);
        const TDatosTomasRetornadas datos = DatosTomasRetornadas(dm, *leida);
        QCOMPARE(datos.RefPaciente, QString("R1"));
        QCOMPARE(datos.Nombre, QString("LUIS PEREZ"));
        QCOMPARE(datos.Medico, QString("DRA. SANZ"));
        QCOMPARE(datos.refRecarga, 4);
        QCOMPARE(datos.FechaRetorno, QDate(2024, 5, 14));
        QCOMPARE(datos.Tomas.size(), 2);
        QCOMPARE(datos.Tomas.at(0).Toma, 14);
        QCOMPARE(datos.Tomas.at(0).DiaToma, QString("JUEVES COMIDA"));
        QCOMPARE(datos.Tomas.at(1).DiaToma, QString("DOMINGO CENA"));
        QCOMPARE(datos.Tomas.at(1).Comprimidos, 2);
        QCOMPARE(datos.Tomas.at(1).Motivo, QString("OLVIDO"));
    }
};

PASTILLERO_DATA_TEST_MAIN(TestCargaRetorno)
#include "test_carga_retorno.moc"
