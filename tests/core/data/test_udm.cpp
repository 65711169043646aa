#include "core/common/AppError.h"
#include "core/data/DatabaseSchema.h"
#include "core/data/ManejadorErrores.h"
#include "core/data/SqlFecha.h"
#include "core/data/ValoresMostrados.h"
#include "core/data/uDM.h"
#include "core/shell/IniFile.h"
#include "core/shell/uLog.h"
#include "support/TestDatabase.h"

#include <QCoreApplication>
#include <QTest>

// The data module's behaviour, run on every engine the test run has.
class TestUDM : public QObject
{
    Q_OBJECT

private:
    static qint64 addPatient(TDM &dm, const QString &ref, const QString &dni, const QString &telefono,
                             const QVariant &iactivo = 1)
    {
        return dm.Anadir(QStringLiteral("Paciente"),
                         {{QStringLiteral("refPaciente"), ref},
                          {QStringLiteral("DNI"), dni},
                          {QStringLiteral("Telefono"), telefono},
                          {QStringLiteral("Nombre"), QStringLiteral("Paciente ") + ref},
                          {QStringLiteral("Iactivo"), iactivo}});
    }
    static void addCategory(TDM &dm, int codigo, const QString &descripcion, int codTab = 0)
    {
        dm.Anadir(QStringLiteral("TabMaestras"),
                  {{QStringLiteral("CodTab"), codTab},
                   {QStringLiteral("Codigo"), codigo},
                   {QStringLiteral("Descripcion"), descripcion}});
    }
    static void addMedication(TDM &dm, qint64 codigo, const QString &nombre, const QString &descripcion,
                              const QVariant &descUsuario, const QVariant &prinActiv = {})
    {
        dm.Anadir(QStringLiteral("Medicamento"),
                  {{QStringLiteral("idMedicamento"), codigo},
                   {QStringLiteral("Medicamento"), nombre},
                   {QStringLiteral("Descripcion"), descripcion},
                   {QStringLiteral("DescUsuario"), descUsuario},
                   {QStringLiteral("IPrinActiv"), prinActiv}});
    }
    static int count(TDM &dm, const QString &table)
    {
        return dm.Valor(QStringLiteral("SELECT count(*) FROM ") + table).toInt();
    }

private slots:
    void everyTableOfTheSchemaExists()
    {
        TestDatabase db;
        TDM dm(db.directory());
        for (const DatabaseSchema::Table &table : DatabaseSchema::tables())
            QCOMPARE(count(dm, table.name), 0);
    }

    void reopeningKeepsTheRows()
    {
        TestDatabase db;
        {
            TDM dm(db.directory());
            addPatient(dm, QStringLiteral("R1"), QStringLiteral("1A"), QStringLiteral("600"));
        }
        TDM dm(db.directory());
        QCOMPARE(count(dm, QStringLiteral("Paciente")), 1);
    }

    // An older database with two loads under one number still opens: the duplicates are logged and
    // the unique index of load numbers waits for the first start without them.
    void loadNumbersBecomeUniqueOnceTheDuplicatesAreGone()
    {
        TestDatabase db;
        IniFile ini(db.directory().iniFile());
        ini.writeString(QStringLiteral("VERSION"), QStringLiteral("LOG"), QStringLiteral("1"));
        uLog::IniciarLog(ini, db.directory().logFile());
        auto carga = [](TDM &dm) {
            return dm.Anadir(QStringLiteral("Recarga"),
                             {{QStringLiteral("idPaciente"), 7}, {QStringLiteral("refRecarga"), 3}});
        };
        qint64 repetida = 0;
        {
            TDM dm(db.directory());
            carga(dm);
            QVERIFY_THROWS_EXCEPTION(AppError, carga(dm));
            dm.Ejecutar(QStringLiteral("DROP INDEX ux_recarga_numero"));
            repetida = carga(dm);
        }
        {
            TDM dm(db.directory());
            QCOMPARE(count(dm, QStringLiteral("Recarga")), 2);
            dm.Ejecutar(QStringLiteral("DELETE FROM Recarga WHERE idRecarga = ?"), {repetida});
        }
        const QString log = QString::fromUtf8(db.appDirectory().read(QStringLiteral("pastillero.log")));
        QCOMPARE(log.count(QStringLiteral("Numero de carga repetido: paciente 7, carga 3, 2 cargas")), 1);
        TDM dm(db.directory());
        QVERIFY_THROWS_EXCEPTION(AppError, carga(dm));
        uLog::CerrarLog();
    }

    void identifiersAreNeverReused()
    {
        TestDatabase db;
        TDM dm(db.directory());
        const qint64 first = addPatient(dm, QStringLiteral("A"), {}, {});
        const qint64 second = addPatient(dm, QStringLiteral("B"), {}, {});
        QVERIFY(second > first);
        dm.Ejecutar(QStringLiteral("DELETE FROM Paciente WHERE idPaciente = ?"), {second});
        const qint64 third = addPatient(dm, QStringLiteral("C"), {}, {});
        QVERIFY(third > second);
    }

    void medicationCodesAreSixtyFourBit()
    {
        TestDatabase db;
        TDM dm(db.directory());
        const qint64 code = 8470001234567LL;
        addMedication(dm, code, QStringLiteral("ENALAPRIL"), QStringLiteral("20 MG"), {});
        QCOMPARE(dm.Valor(QStringLiteral("SELECT idMedicamento FROM Medicamento")).toLongLong(), code);
        QCOMPARE(dm.NombreMedicamento(code), QStringLiteral("ENALAPRIL 20 MG"));
    }

    void textLongerThanItsColumnIsRefused()
    {
        TestDatabase db;
        TDM dm(db.directory());
        QVERIFY_THROWS_EXCEPTION(AppError,
                                 addPatient(dm, QStringLiteral("R"), QStringLiteral("1234567890"), {}));
        QCOMPARE(count(dm, QStringLiteral("Paciente")), 0);
        addPatient(dm, QStringLiteral("R"), QStringLiteral("123456789"), {});
        QCOMPARE(count(dm, QStringLiteral("Paciente")), 1);
    }

    // A refused row of a patient, load line, treatment line or stock row is shown with the
    // database's message before the error goes on to the operation; other tables only fail.
    void storageNoticeNamesTheRefusedRow_data()
    {
        QTest::addColumn<QString>("tabla");
        QTest::addColumn<QString>("columna");
        QTest::addColumn<bool>("insertar");
        QTest::addColumn<bool>("avisa");
        QTest::newRow("new patient") << "Paciente"
                                     << "Nombre" << true << true;
        QTest::newRow("changed patient") << "Paciente"
                                         << "Nombre" << false << true;
        QTest::newRow("load line") << "RecargaLinea"
                                   << "Lote" << true << true;
        QTest::newRow("treatment line") << "SPD"
                                        << "Lote" << false << true;
        QTest::newRow("stock row") << "Inventario"
                                   << "Lote" << true << true;
        QTest::newRow("user: no notice") << "Usuario"
                                         << "username" << true << false;
    }
    void storageNoticeNamesTheRefusedRow()
    {
        QFETCH(QString, tabla);
        QFETCH(QString, columna);
        QFETCH(bool, insertar);
        QFETCH(bool, avisa);
        TestDatabase db;
        TDM dm(db.directory());
        QStringList avisos;
        ManejadorErrores::EstablecerAvisoGuardado([&](const QString &texto) { avisos << texto; });
        const QString largo(300, QLatin1Char('X'));
        if (!insertar)
            dm.Anadir(tabla, {});
        QVERIFY_THROWS_EXCEPTION(
                AppError,
                dm.Ejecutar(insertar ? QStringLiteral("INSERT INTO %1 (%2) VALUES (?)").arg(tabla, columna)
                                     : QStringLiteral("UPDATE %1 SET %2 = ?").arg(tabla, columna),
                            {largo}));
        ManejadorErrores::EstablecerAvisoGuardado({});
        QCOMPARE(avisos.size(), avisa ? 1 : 0);
        if (avisa) {
            const QString prefijo = QStringLiteral(" Post  Error \n\r");
            QVERIFY2(avisos.first().startsWith(prefijo), qPrintable(avisos.first()));
            const QString mensaje = avisos.first().mid(prefijo.size());
            QVERIFY(!mensaje.isEmpty());
            QCOMPARE(mensaje, mensaje.toUpper());
        }
    }

    void unknownColumnsAreRefused()
    {
        TestDatabase db;
        TDM dm(db.directory());
        QVERIFY_THROWS_EXCEPTION(AppError,
                                 dm.Anadir(QStringLiteral("Paciente"), {{QStringLiteral("x) --"), 1}}));
        QVERIFY_THROWS_EXCEPTION(AppError,
                                 dm.Anadir(QStringLiteral("Paciente"), {{QStringLiteral("idPaciente"), 7}}));
        QVERIFY_THROWS_EXCEPTION(AppError, dm.Anadir(QStringLiteral("NoTable"), {}));
        QCOMPARE(count(dm, QStringLiteral("Paciente")), 0);
    }

    void aTransactionRolledBackLeavesNoTrace()
    {
        TestDatabase db;
        TDM dm(db.directory());
        QVERIFY_THROWS_EXCEPTION(AppError, dm.EnTransaccion([&] {
            addPatient(dm, QStringLiteral("A"), {}, {});
            dm.EnTransaccion([&] { addPatient(dm, QStringLiteral("B"), {}, {}); });
            throw AppError(QStringLiteral("stop"));
        }));
        QVERIFY(!dm.enTransaccion());
        QCOMPARE(count(dm, QStringLiteral("Paciente")), 0);
    }

    void aTransactionThatFailsInTheDatabaseLeavesNoTrace()
    {
        TestDatabase db;
        TDM dm(db.directory());
        QVERIFY_THROWS_EXCEPTION(AppError, dm.EnTransaccion([&] {
            addPatient(dm, QStringLiteral("A"), {}, {});
            addPatient(dm, QStringLiteral("B"), QStringLiteral("far too long an identity number"), {});
        }));
        QCOMPARE(count(dm, QStringLiteral("Paciente")), 0);
    }

    void aTransactionThatCompletesKeepsEveryRow()
    {
        TestDatabase db;
        TDM dm(db.directory());
        dm.EnTransaccion([&] {
            addPatient(dm, QStringLiteral("A"), {}, {});
            addPatient(dm, QStringLiteral("B"), {}, {});
        });
        QCOMPARE(count(dm, QStringLiteral("Paciente")), 2);
    }

    void patientLookup_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("foundRef"); // empty: nothing found
        QTest::newRow("reference") << "ref"
                                   << "H-001"
                                   << "H-001";
        QTest::newRow("reference other case") << "ref"
                                              << "h-001"
                                              << "H-001";
        QTest::newRow("reference with apostrophe") << "ref"
                                                   << "o'brien"
                                                   << "O'BRIEN";
        QTest::newRow("reference is whole value") << "ref"
                                                  << "H-00"
                                                  << "";
        QTest::newRow("injection stays text") << "ref"
                                              << "x' OR '1'='1"
                                              << "";
        QTest::newRow("empty reference") << "ref"
                                         << ""
                                         << "";
        QTest::newRow("identity number other case") << "dni"
                                                    << "12345678z"
                                                    << "H-001";
        QTest::newRow("telephone") << "tel"
                                   << "600111222"
                                   << "O'BRIEN";
        QTest::newRow("unknown telephone") << "tel"
                                           << "600"
                                           << "";
        QTest::newRow("identifier not a number") << "id"
                                                 << "1 OR 1=1"
                                                 << "";
    }
    void patientLookup()
    {
        QFETCH(QString, kind);
        QFETCH(QString, text);
        QFETCH(QString, foundRef);
        TestDatabase db;
        TDM dm(db.directory());
        addPatient(dm, QStringLiteral("H-001"), QStringLiteral("12345678Z"), QStringLiteral("600000000"));
        addPatient(dm, QStringLiteral("O'BRIEN"), QStringLiteral("X1234567L"), QStringLiteral("600111222"),
                   0);
        dm.idPacienteActivo = 99;
        bool found = false;
        if (kind == QLatin1String("ref"))
            found = dm.PacienteActivoPorReferencia(text);
        else if (kind == QLatin1String("dni"))
            found = dm.PacienteActivoPorDNI(text);
        else if (kind == QLatin1String("tel"))
            found = dm.PacienteActivoPorTelefono(text);
        else
            found = dm.PacienteActivoPorId(text);
        QCOMPARE(found, !foundRef.isEmpty());
        QCOMPARE(count(dm, QStringLiteral("Paciente")), 2);
        if (!found) {
            QCOMPARE(dm.idPacienteActivo, 0);
            QVERIFY(!dm.PacienteActivo);
            return;
        }
        QCOMPARE(dm.PacienteActivo->Nombre, QStringLiteral("Paciente ") + foundRef);
        QCOMPARE(dm.idPacienteActivo, dm.PacienteActivo->idPaciente);
        QCOMPARE(dm.PacienteActivo->idTexto, QString::number(dm.idPacienteActivo));
    }

    void patientLookupById()
    {
        TestDatabase db;
        TDM dm(db.directory());
        const qint64 id = addPatient(dm, QStringLiteral("R"), {}, {}, 0);
        QVERIFY(dm.PacienteActivoPorId(QString::number(id)));
        QCOMPARE(dm.PacienteActivo->Iactivo, 0);
        QVERIFY(!dm.PacienteActivoPorId(QString::number(id + 1)));
        QCOMPARE(dm.idPacienteActivo, 0);
    }

    void nextCode_data()
    {
        QTest::addColumn<QList<int>>("codes");
        QTest::addColumn<int>("next");
        QTest::newRow("empty list") << QList<int> {} << 1;
        QTest::newRow("after 1, 2, 7") << QList<int> {1, 2, 7} << 8;
    }
    void nextCode()
    {
        QFETCH(QList<int>, codes);
        QFETCH(int, next);
        TestDatabase db;
        TDM dm(db.directory());
        for (int code : codes)
            addCategory(dm, code, QStringLiteral("C%1").arg(code));
        addCategory(dm, 50, QStringLiteral("other list"), 3);
        QCOMPARE(dm.SiguienteCodigo(0), next);
    }

    void categoryTexts()
    {
        TestDatabase db;
        TDM dm(db.directory());
        addCategory(dm, 1, QStringLiteral("RESIDENCIA SOL"));
        addCategory(dm, 2, QStringLiteral("centro de día"));
        addCategory(dm, 3, QStringLiteral("PLANTA 2"));
        addCategory(dm, 9, QStringLiteral("OTHER LIST"), 1);
        QCOMPARE(dm.TextoCategoria(1), QStringLiteral("RESIDENCIA SOL"));
        QCOMPARE(dm.TextoCategoria(5), QStringLiteral("Categoria No Asignada  5"));
        QCOMPARE(dm.TextoCategoria(9), QStringLiteral("Categoria No Asignada  9"));
        QCOMPARE(dm.DescripcionCategoria(QStringLiteral("3")), QStringLiteral("PLANTA 2"));
        QCOMPARE(dm.DescripcionCategoria(QStringLiteral("4")), QString());
        QCOMPARE(dm.DescripcionCategoria(QStringLiteral("3 OR 1=1")), QString());

        const QList<TCodigos> list = dm.ListaCategorias();
        QCOMPARE(list.size(), 3);
        QCOMPARE(list.at(0).Codigo, 2); // ordered without regard to case
        QCOMPARE(list.at(1).Codigo, 3);
        QCOMPARE(list.at(2).Codigo, 1);
        const QList<TCodigos> withEmpty = dm.ListaCategoriasConVacia();
        QCOMPARE(withEmpty.size(), 4);
        QCOMPARE(withEmpty.at(0).Codigo, 0);
        QCOMPARE(withEmpty.at(0).Descripcion, QStringLiteral("SIN CATEGORIA ASIGNADA"));
        QCOMPARE(IndiceDeCodigo(withEmpty, 1), std::optional<int>(3));
        QCOMPARE(IndiceDeCodigo(withEmpty, 7), std::nullopt);
    }

    void categoryInUse()
    {
        TestDatabase db;
        TDM dm(db.directory());
        dm.Anadir(QStringLiteral("Paciente"), {{QStringLiteral("CodCategoria"), 4}});
        QVERIFY(dm.CategoriaEnUso(4));
        QVERIFY(!dm.CategoriaEnUso(5));
    }

    void medicationNames_data()
    {
        QTest::addColumn<QVariant>("descUsuario");
        QTest::addColumn<QString>("expected");
        QTest::newRow("own description") << QVariant(QStringLiteral("MI PASTILLA")) << "MI PASTILLA";
        QTest::newRow("empty own description") << QVariant(QString()) << "ENALAPRIL 20 MG COMPRIMIDOS";
        QTest::newRow("null own description") << QVariant() << "ENALAPRIL 20 MG COMPRIMIDOS";
    }
    void medicationNames()
    {
        QFETCH(QVariant, descUsuario);
        QFETCH(QString, expected);
        TestDatabase db;
        TDM dm(db.directory());
        addMedication(dm, 700001, QStringLiteral("ENALAPRIL"), QStringLiteral("20 MG COMPRIMIDOS"),
                      descUsuario);
        QCOMPARE(dm.NombreMedicamento(700001), expected);
        // The statement form of the rule gives the same text.
        QCOMPARE(dm.Valor(QStringLiteral("SELECT ") + ValoresMostrados::NombreMostradoSql(QStringLiteral("m"))
                          + QStringLiteral(" FROM Medicamento m"))
                         .toString(),
                 expected);
    }

    void unknownMedication()
    {
        TestDatabase db;
        TDM dm(db.directory());
        QCOMPARE(dm.NombreMedicamento(999), QStringLiteral("El medicamento con la referencia999 no Existe"));
        QCOMPARE(dm.NumeroMedicamentos(), 0);
    }

    void activeIngredient()
    {
        TestDatabase db;
        TDM dm(db.directory());
        addMedication(dm, 1, QStringLiteral("OMEPRAZOL"), {}, {}, 1);
        addMedication(dm, 2, QStringLiteral("OMEPRAZOL CINFA"), {}, {});
        QVERIFY(dm.EsPrincipioActivo(QStringLiteral("1")));
        QVERIFY(!dm.EsPrincipioActivo(QStringLiteral("2")));
        QVERIFY(!dm.EsPrincipioActivo(QStringLiteral("3")));
        QVERIFY(!dm.EsPrincipioActivo(QStringLiteral("abc")));
        QCOMPARE(dm.NumeroMedicamentos(), 2);
    }

    void medicationLists()
    {
        TestDatabase db;
        TDM dm(db.directory());
        addMedication(dm, 3, QStringLiteral("omeprazol"), QStringLiteral("20 MG"), {}, 1);
        addMedication(dm, 1, QStringLiteral("ENALAPRIL"), QStringLiteral("5 MG"),
                      QStringLiteral("ENALAPRIL GENERICO"));
        addMedication(dm, 2, QStringLiteral("AMLODIPINO"), QStringLiteral("5 MG"), {}, 0);
        addMedication(dm, 4, QStringLiteral("IBUPROFENO"), QStringLiteral("600 MG"), {}, 2);
        auto names = [&](bool ingredients) {
            QStringList completo;
            TConsulta query = dm.Consulta(TDM::ListaMedicamentosSql(ingredients));
            while (query.next())
                completo << query.value(QStringLiteral("Completo")).toString();
            return completo;
        };
        QCOMPARE(names(true), QStringList {QStringLiteral("omeprazol 20 MG")});
        QCOMPARE(names(false),
                 (QStringList {QStringLiteral("AMLODIPINO 5 MG"), QStringLiteral("ENALAPRIL GENERICO"),
                               QStringLiteral("IBUPROFENO 600 MG")}));
    }

    void medicationFilter_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("onlyManual");
        QTest::addColumn<QList<qint64>>("codes");
        QTest::newRow("no filter") << "" << false << QList<qint64> {1, 2, 3, 4};
        QTest::newRow("prefix in other case") << "enal" << false << QList<qint64> {1};
        QTest::newRow("own description counts") << "MI " << false << QList<qint64> {3};
        QTest::newRow("name hidden by own description") << "IBU" << false << QList<qint64> {};
        QTest::newRow("wildcards are text") << "%" << false << QList<qint64> {4};
        QTest::newRow("only manual entries") << "" << true << QList<qint64> {2, 4};
        QTest::newRow("injection stays text") << "' OR '1'='1" << false << QList<qint64> {};
    }
    void medicationFilter()
    {
        QFETCH(QString, text);
        QFETCH(bool, onlyManual);
        QFETCH(QList<qint64>, codes);
        TestDatabase db;
        TDM dm(db.directory());
        auto add = [&](qint64 code, const QString &name, const QVariant &own, int manual) {
            dm.Anadir(QStringLiteral("Medicamento"),
                      {{QStringLiteral("idMedicamento"), code},
                       {QStringLiteral("Medicamento"), name},
                       {QStringLiteral("Descripcion"), QStringLiteral("10 MG")},
                       {QStringLiteral("DescUsuario"), own},
                       {QStringLiteral("iManual"), manual}});
        };
        add(1, QStringLiteral("ENALAPRIL"), {}, 0);
        add(2, QStringLiteral("AMLODIPINO"), {}, 1);
        add(3, QStringLiteral("IBUPROFENO"), QStringLiteral("MI IBUPROFENO"), 0);
        add(4, QStringLiteral("%CREMA"), {}, 1);
        QVariantList values;
        const QString where = TDM::FiltroMedicamentosSql(text, onlyManual, values);
        TConsulta query = dm.Consulta(QStringLiteral("SELECT m.idMedicamento FROM Medicamento m WHERE ")
                                              + where + QStringLiteral(" ORDER BY 1"),
                                      values);
        QList<qint64> found;
        while (query.next())
            found << query.value(0).toLongLong();
        QCOMPARE(found, codes);
    }

    void patientListWithCategory()
    {
        TestDatabase db;
        TDM dm(db.directory());
        addCategory(dm, 1, QStringLiteral("RESIDENCIA"));
        addCategory(dm, 2, QStringLiteral("OTHER LIST"), 4);
        dm.Anadir(
                QStringLiteral("Paciente"),
                {{QStringLiteral("refPaciente"), QStringLiteral("A")}, {QStringLiteral("CodCategoria"), 1}});
        dm.Anadir(
                QStringLiteral("Paciente"),
                {{QStringLiteral("refPaciente"), QStringLiteral("B")}, {QStringLiteral("CodCategoria"), 2}});
        TConsulta query = dm.Consulta(TDM::ListaPacientesSql() + QStringLiteral(" ORDER BY p.refPaciente"));
        QVERIFY(query.next());
        QCOMPARE(query.value(QStringLiteral("CategoriaText")).toString(), QStringLiteral("RESIDENCIA"));
        QVERIFY(query.next());
        QVERIFY(query.value(QStringLiteral("CategoriaText")).isNull());
        QVERIFY(!query.next());
    }

    void displayValues_data()
    {
        QTest::addColumn<QVariant>("iactivo");
        QTest::addColumn<QString>("activo");
        QTest::newRow("active") << QVariant(1) << "SI";
        QTest::newRow("inactive") << QVariant(0) << "NO";
        QTest::newRow("null") << QVariant() << "SI";
        QTest::newRow("other value") << QVariant(7) << "SI";
    }
    void displayValues()
    {
        QFETCH(QVariant, iactivo);
        QFETCH(QString, activo);
        QCOMPARE(ValoresMostrados::ActivoTexto(iactivo), activo);
    }

    void blisterFlag_data()
    {
        QTest::addColumn<QVariant>("spdp");
        QTest::addColumn<QVariant>("medication");
        QTest::addColumn<bool>("inBlister");
        QTest::newRow("null follows a blister medication") << QVariant() << QVariant(1) << true;
        QTest::newRow("null follows a medication outside") << QVariant() << QVariant(0) << false;
        QTest::newRow("null with a null flag") << QVariant() << QVariant() << false;
        QTest::newRow("1 puts it in") << QVariant(1) << QVariant(0) << true;
        QTest::newRow("0 keeps it out") << QVariant(0) << QVariant(1) << false;
        QTest::newRow("other value keeps it out") << QVariant(2) << QVariant(1) << false;
    }
    void blisterFlag()
    {
        QFETCH(QVariant, spdp);
        QFETCH(QVariant, medication);
        QFETCH(bool, inBlister);
        QCOMPARE(ValoresMostrados::SpdEfectivo(spdp, medication), inBlister);
    }

    void deliverySituation_data()
    {
        QTest::addColumn<bool>("delivered");
        QTest::addColumn<bool>("returned");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("text");
        QTest::newRow("prepared") << false << false << 1 << "PREPARADO";
        QTest::newRow("delivered") << true << false << 2 << "ENTREGADO";
        QTest::newRow("delivered and returned") << true << true << 3 << "RETORNADO";
        QTest::newRow("returned only") << false << true << 3 << "RETORNADO";
    }
    void deliverySituation()
    {
        QFETCH(bool, delivered);
        QFETCH(bool, returned);
        QFETCH(int, code);
        QFETCH(QString, text);
        const QDateTime day(QDate(2024, 1, 8), QTime(0, 0));
        const auto situation
                = ValoresMostrados::Entrega(delivered ? day : QDateTime(), returned ? day : QDateTime());
        QCOMPARE(situation.CodEntrega, code);
        QCOMPARE(situation.SitEntrega, text);
    }

    void datesRoundTripWithoutShifting()
    {
        TestDatabase db;
        TDM dm(db.directory());
        const QDate day(2024, 2, 3);
        const QDateTime moment(QDate(2024, 3, 31), QTime(2, 30, 15));
        dm.Anadir(QStringLiteral("Recarga"),
                  {{QStringLiteral("FechaInicio"), SqlFecha::valor(day)},
                   {QStringLiteral("FechaRealizado"), SqlFecha::valor(moment)},
                   {QStringLiteral("FechaEntrega"), SqlFecha::valor(QDate())}});
        TConsulta row = dm.Consulta(
                QStringLiteral("SELECT FechaInicio, FechaRealizado, FechaEntrega FROM Recarga"));
        QVERIFY(row.next());
        QCOMPARE(SqlFecha::leerDia(row.value(0)), day);
        QCOMPARE(SqlFecha::leer(row.value(1)), moment);
        QVERIFY(row.value(2).isNull());
        QVERIFY(!SqlFecha::leer(row.value(2)).isValid());
        // Comparisons in statements order days as the calendar does.
        QCOMPARE(dm.Valor(QStringLiteral(
                                  "SELECT count(*) FROM Recarga WHERE FechaInicio < ? AND FechaInicio >= ?"),
                          {SqlFecha::valor(day.addDays(1)), SqlFecha::valor(day)})
                         .toInt(),
                 1);
    }

    void dateLiteral() { QCOMPARE(TDM::FechaSQL(QDate(2024, 2, 3)), QStringLiteral("#02/03/2024#")); }
};

PASTILLERO_DATA_TEST_MAIN(TestUDM)
#include "test_udm.moc"
