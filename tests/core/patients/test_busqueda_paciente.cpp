#include "core/data/uDM.h"
#include "core/patients/BusquedaPaciente.h"
#include "core/patients/TextoBusqueda.h"
#include "support/TestDatabase.h"

#include <QCoreApplication>
#include <QTest>

using TColumna = TIntentoBusqueda::TColumna;
using TResultado = TBusquedaPaciente::TResultado;

// The main screen's patient search: how a typed or scanned text is classified, in which order
// the lookups run, and which patient, if any, ends up active.
class TestBusquedaPaciente : public QObject
{
    Q_OBJECT

    static void Paciente(TDM &dm, int id, const QString &ref, const QString &dni, const QString &telefono,
                         int activo = 1)
    {
        dm.Ejecutar(QStringLiteral(
                            "INSERT INTO Paciente (idPaciente, refPaciente, DNI, Nombre, Telefono, Iactivo) "
                            "VALUES (?, ?, ?, ?, ?, ?)"),
                    {id, ref, dni, QStringLiteral("NOMBRE ") + ref, telefono, activo});
    }

    // Patients whose keys overlap the ways a text can be read.
    static void Pacientes(TDM &dm)
    {
        Paciente(dm, 12, QStringLiteral("ANA"), QStringLiteral("12345678Z"), QStringLiteral("600111222"));
        Paciente(dm, 1234, QStringLiteral("BEA"), QStringLiteral("11111111H"), QStringLiteral("600333444"));
        Paciente(dm, 12345, QStringLiteral("CARLOS"), QStringLiteral("22222222J"),
                 QStringLiteral("600555666"));
        // Her reference is the card code of patient 1234.
        Paciente(dm, 77, QStringLiteral("12340002"), QStringLiteral("33333333P"),
                 QStringLiteral("600777888"));
        Paciente(dm, 40, QStringLiteral("EVA"), QStringLiteral("87654321X"), QStringLiteral("600999000"), 0);
        Paciente(dm, 41, QStringLiteral("4006381333931"), QStringLiteral("44444444A"),
                 QStringLiteral("611000000"));
    }

private slots:
    void clasificaElTexto_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("pais");
        QTest::addColumn<int>("tipo");
        QTest::newRow("vacio") << ""
                               << "0" << 0;
        QTest::newRow("cuatro digitos") << "0012"
                                        << "0" << 1;
        QTest::newRow("ocho digitos sin control valido") << "00120006"
                                                         << "0" << 1;
        QTest::newRow("trece digitos sin control valido") << "4006381333932"
                                                          << "0" << 1;
        QTest::newRow("nueve digitos") << "600111222"
                                       << "0" << 2;
        QTest::newRow("tarjeta con ceros a la izquierda") << "00120005"
                                                          << "0" << 3;
        QTest::newRow("EAN-13") << "4006381333931"
                                << "0" << 4;
        QTest::newRow("DNI") << "12345678Z"
                             << "0" << 5;
        QTest::newRow("DNI con separador y minuscula") << "12345678-z"
                                                       << "0" << 5;
        QTest::newRow("DNI fuera de Espana es texto") << "12345678Z"
                                                      << "1" << 6;
        QTest::newRow("letra de control erronea") << "12345678A"
                                                  << "0" << 6;
        QTest::newRow("extranjero") << "X1234567L"
                                    << "0" << 6;
        QTest::newRow("texto") << "ANA"
                               << "0" << 6;
    }
    void clasificaElTexto()
    {
        QFETCH(QString, texto);
        QFETCH(QString, pais);
        QFETCH(int, tipo);
        QCOMPARE(static_cast<int>(TipoTextoBusqueda(texto, pais)), tipo);
    }

    void limpiaLoQueRodeaAlCodigo_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("limpio");
        QTest::newRow("CR LF del lector") << "00120005\r\n"
                                          << "00120005";
        QTest::newRow("blancos y tabulador") << " \t12345678Z  "
                                             << "12345678Z";
        QTest::newRow("caracteres de control") << QStringLiteral("\u000200120005\u0003") << "00120005";
        QTest::newRow("blanco interior se conserva") << " ANA MARIA "
                                                     << "ANA MARIA";
        QTest::newRow("solo blancos") << " \r\n"
                                      << "";
    }
    void limpiaLoQueRodeaAlCodigo()
    {
        QFETCH(QString, texto);
        QFETCH(QString, limpio);
        QCOMPARE(LimpiarTextoBusqueda(texto), limpio);
    }

    void probarElTextoEnteroAntesQueSuFormaCorta()
    {
        const QList<TIntentoBusqueda> intentos
                = IntentosBusqueda(QStringLiteral("123456"), TTipoTextoBusqueda::Digitos);
        const QList<TIntentoBusqueda> esperados {{TColumna::Referencia, QStringLiteral("123456")},
                                                 {TColumna::Id, QStringLiteral("123456")},
                                                 {TColumna::Id, QStringLiteral("1234")}};
        QCOMPARE(intentos, esperados);
    }

    void referenciaExactaAntesQueLaTarjeta()
    {
        const QList<TIntentoBusqueda> intentos
                = IntentosBusqueda(QStringLiteral("00120005"), TTipoTextoBusqueda::EAN8);
        const QList<TIntentoBusqueda> esperados {{TColumna::Referencia, QStringLiteral("00120005")},
                                                 {TColumna::Id, QStringLiteral("0012")}};
        QCOMPARE(intentos, esperados);
    }

    void encuentraAlPacienteQueNombraElTexto_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<int>("resultado");
        QTest::addColumn<int>("idPaciente");
        QTest::addColumn<QString>("refPaciente");
        const int encontrado = static_cast<int>(TResultado::Encontrado);
        const int noEncontrado = static_cast<int>(TResultado::NoEncontrado);
        const int noActivo = static_cast<int>(TResultado::NoActivo);
        QTest::newRow("referencia") << "ana" << encontrado << 12 << "ANA";
        QTest::newRow("identificador corto") << "12" << encontrado << 12 << "ANA";
        QTest::newRow("tarjeta con ceros a la izquierda") << "00120005" << encontrado << 12 << "ANA";
        QTest::newRow("tarjeta con CR LF del lector") << "00120005\r\n" << encontrado << 12 << "ANA";
        QTest::newRow("tarjeta con blancos detras") << "00120005   " << encontrado << 12 << "ANA";
        QTest::newRow("referencia exacta antes que la tarjeta")
                << "12340002" << encontrado << 77 << "12340002";
        QTest::newRow("identificador entero antes que su forma corta")
                << "12345" << encontrado << 12345 << "CARLOS";
        QTest::newRow("forma corta cuando el entero no existe") << "123456" << encontrado << 1234 << "BEA";
        QTest::newRow("telefono") << "600111222" << encontrado << 12 << "ANA";
        QTest::newRow("DNI") << "12345678Z" << encontrado << 12 << "ANA";
        QTest::newRow("DNI con separador y CR") << "12345678-z\r" << encontrado << 12 << "ANA";
        QTest::newRow("EAN-13 no es un paciente") << "4006381333931" << noEncontrado << 0 << "";
        QTest::newRow("vacio") << "  " << noEncontrado << 0 << "";
        QTest::newRow("desconocido") << "NADIE" << noEncontrado << 0 << "";
        QTest::newRow("tarjeta de un paciente inexistente") << "99990008" << noEncontrado << 0 << "";
        QTest::newRow("DNI de un paciente inactivo") << "87654321X" << noActivo << 0 << "";
        QTest::newRow("referencia de un paciente inactivo") << "EVA" << noActivo << 0 << "";
    }
    void encuentraAlPacienteQueNombraElTexto()
    {
        QFETCH(QString, texto);
        QFETCH(int, resultado);
        QFETCH(int, idPaciente);
        QFETCH(QString, refPaciente);
        TestDatabase db;
        TDM dm(db.directory());
        Pacientes(dm);
        // Whatever was active before the search does not survive it.
        dm.PacienteActivoPorReferencia(QStringLiteral("BEA"));

        const TBusquedaPaciente busqueda = BuscarPaciente(dm, texto, QStringLiteral("0"));

        QCOMPARE(static_cast<int>(busqueda.resultado), resultado);
        QCOMPARE(dm.idPacienteActivo, idPaciente);
        QCOMPARE(dm.PacienteActivo.has_value(), idPaciente != 0);
        if (dm.PacienteActivo)
            QCOMPARE(dm.PacienteActivo->idPaciente, idPaciente);
        QCOMPARE(busqueda.refPaciente, refPaciente);
    }
};

PASTILLERO_DATA_TEST_MAIN(TestBusquedaPaciente)
#include "test_busqueda_paciente.moc"
