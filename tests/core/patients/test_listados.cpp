// The listings' patients by category (without category: none or 0), the treatment listing's
// patients and lines, on every engine, and its sheets: one patient per page.
#include "../loading/CargaPrueba.h"
#include "core/patients/Listados.h"
#include "support/TestDatabase.h"

#include <QCoreApplication>
#include <QTest>

class TestListados : public QObject
{
    Q_OBJECT

private slots:
    void pacientesDeLaCategoria_data()
    {
        QTest::addColumn<QVariant>("categoria"); // invalid: no category chosen
        QTest::addColumn<QString>("pacientes");
        QTest::newRow("no category chosen: every active patient") << QVariant() << "A B C E";
        QTest::newRow("without category: none or 0") << QVariant(0) << "B C";
        QTest::newRow("a category") << QVariant(3) << "A";
        QTest::newRow("a category nobody is in") << QVariant(9) << "";
    }
    void pacientesDeLaCategoria()
    {
        QFETCH(QVariant, categoria);
        QFETCH(QString, pacientes);
        TestDatabase db;
        TDM dm(db.directory());
        // Reference, category and active flag (a null flag is active).
        const QList<std::tuple<QString, QVariant, QVariant>> altas {{"E", 4, {}}, {"C", 0, 1},  {"A", 3, 1},
                                                                    {"B", {}, 1}, {"D", {}, 0}, {"F", 0, 0}};
        for (const auto &[ref, codigo, activo] : altas)
            dm.Anadir(QStringLiteral("Paciente"),
                      {{QStringLiteral("refPaciente"), ref},
                       {QStringLiteral("CodCategoria"), codigo},
                       {QStringLiteral("Iactivo"), activo}});
        QStringList listados;
        for (const TPacienteNecesidad &paciente : PacientesListado(
                     dm, categoria.isValid() ? std::optional<int>(categoria.toInt()) : std::nullopt)) {
            QVERIFY(!paciente.Selected);
            listados << paciente.refPaciente;
        }
        QCOMPARE(listados.join(QLatin1Char(' ')), pacientes);
    }

    void tratamientosDeLosElegidos_data()
    {
        QTest::addColumn<QStringList>("elegidos");
        QTest::addColumn<QString>("tratamientos");
        QTest::newRow("in the order chosen")
                << QStringList {"BEA", "ANA"} << "REF-BEA() 20 | REF-ANA(SOL) 10 30";
        QTest::newRow("a patient without lines is left out") << QStringList {"CAR", "BEA"} << "REF-BEA() 20";
        QTest::newRow("nobody with lines: nothing to print") << QStringList {"CAR"} << "";
        QTest::newRow("nobody chosen") << QStringList {} << "";
    }
    void tratamientosDeLosElegidos()
    {
        QFETCH(QStringList, elegidos);
        QFETCH(QString, tratamientos);
        TestDatabase db;
        TDM dm(db.directory());
        dm.Ejecutar(
                QStringLiteral("INSERT INTO TabMaestras (CodTab, Codigo, Descripcion) VALUES (0, 3, 'SOL')"));
        for (const qint64 medicamento : {10, 20, 30})
            CargaPrueba::medicamento(dm, medicamento, QStringLiteral("M%1").arg(medicamento));
        QHash<QString, qint64> ids;
        for (const QString nombre : {"ANA", "BEA", "CAR"})
            ids[nombre] = CargaPrueba::paciente(dm, 1, nombre);
        dm.Ejecutar(QStringLiteral("UPDATE Paciente SET CodCategoria = 3 WHERE idPaciente = ?"),
                    {ids["ANA"]});
        CargaPrueba::tratamiento(dm, int(ids["ANA"]), 30, 0);
        CargaPrueba::tratamiento(dm, int(ids["ANA"]), 10, 0);
        CargaPrueba::tratamiento(dm, int(ids["BEA"]), 20, 0);
        QList<qint64> pacientes;
        for (const QString &nombre : elegidos)
            pacientes << ids[nombre];
        QStringList textos;
        for (const TTratamientoInforme &tratamiento : TratamientosPacientes(dm, pacientes)) {
            QStringList lineas;
            for (const TFilaTratamiento &linea : tratamiento.lineas)
                lineas << QString::number(linea.IdMedicamento);
            lineas.sort(); // the database's order of a patient's lines is not fixed; the sheet sorts them
            lineas.prepend(tratamiento.paciente.RefPaciente + '(' + tratamiento.paciente.Categoria + ')');
            textos << lineas.join(QLatin1Char(' '));
        }
        QCOMPARE(textos.join(QStringLiteral(" | ")), tratamientos);
    }

    void cadaPacienteEnSuPagina_data()
    {
        QTest::addColumn<int>("pacientes");
        QTest::addColumn<QString>("paginas");
        QTest::newRow("one patient") << 1 << "R1:same";
        QTest::newRow("three patients") << 3 << "R1:same R2:new R3:new";
    }
    void cadaPacienteEnSuPagina()
    {
        QFETCH(int, pacientes);
        QFETCH(QString, paginas);
        QList<TTratamientoInforme> tratamientos;
        for (int i = 1; i <= pacientes; ++i) {
            TFilaTratamiento linea;
            linea.Idpaciente = i;
            linea.IdMedicamento = 10;
            TPacienteInforme paciente;
            paciente.RefPaciente = QStringLiteral("R%1").arg(i);
            paciente.Nombre = QStringLiteral("P%1").arg(i);
            tratamientos.append({paciente, {linea}});
        }
        const TReportDocument hoja
                = InformeTratamientos(QStringLiteral("TRATAMIENTO DEL PACIENTE"), tratamientos, {});
        QStringList grupos;
        int verificaciones = 0;
        for (const ReportBand &banda : hoja.bands) {
            if (banda.kind == ReportBand::Kind::GroupHeader)
                grupos << banda.elements.at(1).text.section(QLatin1Char(' '), 0, 0) + QLatin1Char(':')
                                + (banda.newPageBefore ? "new" : "same");
            verificaciones += banda.kind == ReportBand::Kind::GroupFooter;
        }
        QCOMPARE(grupos.join(QLatin1Char(' ')), paginas);
        QCOMPARE(verificaciones, pacientes);
    }
};

PASTILLERO_DATA_TEST_MAIN(TestListados)
#include "test_listados.moc"
