#include "core/common/Clock.h"
#include "core/patients/EstadoDosis.h"

#include <QTest>

// The dose controls of the treatment-line editor and the dose text they stand for.
class TestEstadoDosis : public QObject
{
    Q_OBJECT

    // The controls in words: the four slots ("units+fraction") and the rule, or the table's cells.
    static QString Describir(const TControlesDosis &c)
    {
        static const char *const fracciones[] = {"", "+1/4", "+1/2", "+3/4", "+1/3", "+2/3"};
        if (c.Modo == TModoDosis::Semanal) {
            QString tabla = QStringLiteral("TABLA");
            for (int celda = 0; celda < kCeldasSemana; ++celda) {
                if (!c.Celdas[celda].isEmpty())
                    tabla += QStringLiteral(" %1=").arg(celda) + c.Celdas[celda];
            }
            return tabla;
        }
        QStringList partes;
        for (int toma = 0; toma < kTomasDia; ++toma)
            partes << QString::number(c.Unidades[toma]) + QLatin1String(fracciones[int(c.Fracciones[toma])]);
        switch (c.Periodicidad) {
        case TPeriodicidad::Diaria:
            partes << (c.OpcionDiaria == TOpcionDiaria::Cada ? QStringLiteral("CADA ") + c.CadaDias
                               : c.OpcionDiaria == TOpcionDiaria::PorCada
                               ? QStringLiteral("POR CADA %1/%2").arg(c.DiasToma, c.DiasDescanso)
                               : QStringLiteral("DIARIA"));
            break;
        case TPeriodicidad::Semanal: {
            QString dias;
            for (const bool marcado : c.DiasSemana)
                dias += marcado ? QLatin1Char('x') : QLatin1Char('.');
            partes << QStringLiteral("SEMANAS ") + c.CadaSemanas + QLatin1Char(' ') + dias;
            break;
        }
        case TPeriodicidad::Mensual:
            partes << (c.OpcionMensual == TOpcionMensual::ElDia
                               ? QStringLiteral("EL DIA %1 CADA %2").arg(c.DiaMes, c.CadaMesesDia)
                               : c.OpcionMensual == TOpcionMensual::El ? QStringLiteral("EL %1 %2 CADA %3")
                                                                                 .arg(c.Ordinal)
                                                                                 .arg(c.DiaPosicion)
                                                                                 .arg(c.CadaMesesPosicion)
                                                                       : QStringLiteral("MENSUAL"));
            break;
        }
        return partes.join(QLatin1Char(' '));
    }

    // A week of cells: `dia`'s slots set, the other cells "0".
    static QString Tabla(const QMap<int, QString> &celdas)
    {
        QStringList valores;
        for (int celda = 0; celda < kCeldasSemana; ++celda)
            valores << celdas.value(celda, QStringLiteral("0"));
        return valores.join(QLatin1Char('-')) + QStringLiteral(":T");
    }

    // The controls a stored text opens on, as if the user had typed them into a new line.
    static TEstadoDosis Tecleada(const QString &dosis)
    {
        TEstadoDosis nueva;
        static_cast<TControlesDosis &>(nueva) = TEstadoDosis::Abrir(dosis);
        return nueva;
    }

private slots:
    void init() { Clock::fix(QDateTime(QDate(2026, 3, 2), QTime(9, 0))); }
    void cleanup() { Clock::reset(); }

    // Opening fills the controls; a text written the way the editor writes it is built back
    // the same.
    void opensEveryRuleKindAndFraction_data()
    {
        QTest::addColumn<QString>("dosis");
        QTest::addColumn<QString>("controles");
        QTest::addColumn<bool>("legible");
        QTest::addColumn<QString>("construida");
        QTest::newRow("every day") << "1-0-0,5-0:D:D:1"
                                   << "1 0 0+1/2 0 CADA 1" << true << "1-0-0,5-0:D:D:1";
        QTest::newRow("quarters and thirds")
                << "0,25-2,75-0,33-1,66:D:D:2"
                << "0+1/4 2+3/4 0+1/3 1+2/3 CADA 2" << true << "0,25-2,75-0,33-1,66:D:D:2";
        QTest::newRow("take and rest") << "1-0-0-0:D:R:2:1"
                                       << "1 0 0 0 POR CADA 2/1" << true << "1-0-0-0:D:R:2:1";
        QTest::newRow("rest 0") << "1-0-0-0:D:R:3:0"
                                << "1 0 0 0 POR CADA 3/0" << true << "1-0-0-0:D:R:3:0";
        QTest::newRow("older digit rule") << "2-0-0-0:3"
                                          << "2 0 0 0 CADA 3" << true << "2-0-0-0:D:D:3";
        QTest::newRow("weekly") << "0-1-0-0:S:2:1010100"
                                << "0 1 0 0 SEMANAS 2 x.x.x.." << true << "0-1-0-0:S:2:1010100";
        QTest::newRow("monthly day") << "1-0-0-0:M:D:15:3"
                                     << "1 0 0 0 EL DIA 15 CADA 3" << true << "1-0-0-0:M:D:15:3";
        QTest::newRow("monthly last day") << "0-0-0-1:M:P:5:8:1"
                                          << "0 0 0 1 EL 5 8 CADA 1" << true << "0-0-0-1:M:P:5:8:1";
        QTest::newRow("monthly first monday") << "1-0-0-0:M:P:1:1:2"
                                              << "1 0 0 0 EL 1 1 CADA 2" << true << "1-0-0-0:M:P:1:1:2";
        QTest::newRow("empty whole part") << ",5-0-0-0:D:D:1"
                                          << "0+1/2 0 0 0 CADA 1" << true << "0,5-0-0-0:D:D:1";
        QTest::newRow("code 0") << "1,0-0-0-0:D:D:1"
                                << "1 0 0 0 CADA 1" << true << "1-0-0-0:D:D:1";
        QTest::newRow("table") << Tabla({{0, "1"}, {2, "1,5"}, {27, "0,25"}}) << "TABLA 0=1 2=1,5 27=0,25"
                               << true << Tabla({{0, "1"}, {2, "1,5"}, {27, "0,25"}});
        QTest::newRow("table, older half")
                << Tabla({{4, "2,50"}}) << "TABLA 4=2,50" << true << Tabla({{4, "2,50"}});
        // Texts the controls cannot show in full.
        QTest::newRow("unknown fraction code") << "1,4-0-0-0:D:D:1"
                                               << "1 0 0 0 CADA 1" << false << "1-0-0-0:D:D:1";
        QTest::newRow("unknown rule") << "1-0-0-0:X:1"
                                      << "1 0 0 0 DIARIA" << false << "1-0-0-0";
        QTest::newRow("count not a number") << "1-0-0-0:D:D:x"
                                            << "1 0 0 0 CADA x" << false << "1-0-0-0:D:D:x";
        QTest::newRow("five values") << "1-0-0-0-1:D:D:1"
                                     << "1 0 0 0 CADA 1" << false << "1-0-0-0:D:D:1";
        QTest::newRow("rule too long") << "1-0-0-0:D:D:2:5"
                                       << "1 0 0 0 CADA 2" << false << "1-0-0-0:D:D:2";
        QTest::newRow("short week mask") << "1-0-0-0:S:1:10101"
                                         << "1 0 0 0 SEMANAS 1 x.x.x.." << false << "1-0-0-0:S:1:1010100";
        QTest::newRow("position out of the lists") << "1-0-0-0:M:P:6:9:1"
                                                   << "1 0 0 0 EL 0 0 CADA 1" << false << "1-0-0-0:M:P:0:0:1";
        QTest::newRow("table of 27 cells") << "1" + QStringLiteral("-0").repeated(26) + ":T"
                                           << "TABLA 0=1" << false << Tabla({{0, "1"}});
        QTest::newRow("free text") << "1 cada 8 horas"
                                   << "0 0 0 0 DIARIA" << false << "0-0-0-0";
    }
    void opensEveryRuleKindAndFraction()
    {
        QFETCH(QString, dosis);
        QFETCH(QString, controles);
        QFETCH(bool, legible);
        QFETCH(QString, construida);
        const TEstadoDosis estado = TEstadoDosis::Abrir(dosis);
        QCOMPARE(Describir(estado), controles);
        QCOMPARE(estado.Legible(), legible);
        QCOMPARE(estado.Construir(), construida);
        QCOMPARE(estado.AlAbrir(), dosis);
    }

    // Opening a stored line and accepting it without touching its dose gives back the very same
    // text, whatever its form, also one the controls cannot show.
    void unchangedDoseKeepsTheStoredText_data()
    {
        QTest::addColumn<QString>("dosis");
        for (const QString &dosis :
             {QStringLiteral("1-0-0,5-0:D:D:1"), QStringLiteral("0,25-0,5-0,75-0:D:D:2"),
              QStringLiteral("0-0,33-0-0,66:D:R:2:1"), QStringLiteral("2-0-0-0:3"),
              QStringLiteral("01-0-0-0:D:D:1"), QStringLiteral(",5-0-0-0:D:D:1"),
              QStringLiteral("1-0-0-0:S:1:0000011"), QStringLiteral("1-0-0-0:M:D:1:1"),
              QStringLiteral("1-0-0-0:M:P:4:8:1"), Tabla({{0, "1"}, {12, "1,50"}, {27, "0,75"}}),
              QStringLiteral("1,4-0-0-0:D:D:1"), QStringLiteral("1-0-0-0:X:1"),
              QStringLiteral("1-0-0-0:D:D:2:5"), QStringLiteral("1 cada 8 horas"),
              QStringLiteral("9-9-9-9-1:T")})
            QTest::newRow(qPrintable(dosis)) << dosis;
    }
    void unchangedDoseKeepsTheStoredText()
    {
        QFETCH(QString, dosis);
        const TEstadoDosis estado = TEstadoDosis::Abrir(dosis);
        QVERIFY(!estado.Cambiada());
        QCOMPARE(estado.Texto(), dosis);
        const std::optional<TErrorEditor> error = estado.Validar(QDate(2026, 3, 2), {});
        QVERIFY2(!error, qPrintable(error ? error->Mensaje : QString()));
    }

    // Once the dose is changed the text is built from the controls, and changing it back gives
    // the stored text again.
    void changedDoseIsBuiltFromTheControls()
    {
        TEstadoDosis estado = TEstadoDosis::Abrir(QStringLiteral("01-0-0-0:D:D:1"));
        estado.Fracciones[3] = TFraccion::Medio;
        QVERIFY(estado.Cambiada());
        QCOMPARE(estado.Texto(), QStringLiteral("1-0-0-0,5:D:D:1"));
        estado.Fracciones[3] = TFraccion::Ninguna;
        QCOMPARE(estado.Texto(), QStringLiteral("01-0-0-0:D:D:1"));
    }

    // A text the controls cannot show is replaced, and checked, once the user changes the dose.
    void changedUnreadableDoseIsChecked()
    {
        TEstadoDosis estado = TEstadoDosis::Abrir(QStringLiteral("1-0-0-0:X:1"));
        estado.Sumar(1);
        QCOMPARE(estado.Validar(QDate(2026, 3, 2), {})->Mensaje,
                 QStringLiteral("SELECCIONAR UN CRITERIO DE REPETICION"));
        estado.OpcionDiaria = TOpcionDiaria::Cada;
        estado.CadaDias = QStringLiteral(" 2 ");
        QVERIFY(!estado.Validar(QDate(2026, 3, 2), {}));
        QCOMPARE(estado.Texto(), QStringLiteral("1-1-0-0:D:D:2")); // blanks typed are removed
    }

    // A line stored as not going into the blister shows no dose and has none to keep.
    void doseOfALineStoredOutsideTheBlister_data()
    {
        QTest::addColumn<QString>("dosis");
        QTest::addColumn<QString>("dosisS1");
        QTest::addColumn<bool>("sinBlister");
        QTest::newRow("free text, stored outside") << "1 cada 8 horas"
                                                   << "0-0-0-0:0" << true;
        QTest::newRow("empty, stored outside") << ""
                                               << "0-0-0-0:0" << true;
        QTest::newRow("blister line") << "1-0-0-0:D:D:1"
                                      << "1-0-0-0:D:D:1" << false;
        QTest::newRow("new line") << ""
                                  << "" << false;
    }
    void doseOfALineStoredOutsideTheBlister()
    {
        QFETCH(QString, dosis);
        QFETCH(QString, dosisS1);
        QFETCH(bool, sinBlister);
        const TEstadoDosis estado = TEstadoDosis::Abrir(dosis, dosisS1);
        QCOMPARE(TEstadoDosis::GuardadaSinBlister(dosis, dosisS1), sinBlister);
        QCOMPARE(estado.AlAbrir(), sinBlister ? QStringLiteral("0-0-0-0:0") : dosis);
        if (!sinBlister)
            return;
        QCOMPARE(Describir(estado), QStringLiteral("0 0 0 0 DIARIA"));
        QCOMPARE(estado.Validar(QDate(2026, 3, 2), {})->Mensaje,
                 QStringLiteral("NO SE HA ESPECIFICADO NINGUNA TOMA"));
    }

    void buildsTheDoseOfTheControls_data()
    {
        QTest::addColumn<QString>("tecleada");
        QTest::addColumn<QString>("dosis");
        QTest::newRow("breakfast and half at night, every 2 days") << "1-0-0-0,5:D:D:2"
                                                                   << "1-0-0-0,5:D:D:2";
        QTest::newRow("number typed with blanks") << "1-0-0-0:D:R: 2 : 1"
                                                  << "1-0-0-0:D:R:2:1";
        QTest::newRow("leading zeros") << "1-0-0-0:M:D:05:001"
                                       << "1-0-0-0:M:D:5:1";
        QTest::newRow("empty cells are 0") << Tabla({{6, " 1,5 "}}) << Tabla({{6, "1,5"}});
    }
    void buildsTheDoseOfTheControls()
    {
        QFETCH(QString, tecleada);
        QFETCH(QString, dosis);
        QCOMPARE(Tecleada(tecleada).Texto(), dosis);
    }

    // Every check of the dose, with the field that gets the focus. The line runs from Monday
    // 2 March 2026 (2026-03-04 is the Wednesday).
    void checksTheDose_data()
    {
        QTest::addColumn<QString>("tecleada");
        QTest::addColumn<QDate>("inicio");
        QTest::addColumn<QDate>("fin");
        QTest::addColumn<QString>("mensaje");
        QTest::addColumn<int>("campo");
        QTest::addColumn<int>("celda");
        const QDate sinFin;
        const QDate lunes(2026, 3, 2);
        const auto desde = [](const char *nombre, const QString &dosis, const QDate &inicio, const QDate &fin,
                              const char *mensaje, TCampoEditor campo, int celda = -1) {
            QTest::newRow(nombre) << dosis << inicio << fin << QString::fromUtf8(mensaje) << int(campo)
                                  << celda;
        };
        const auto fila = [&](const char *nombre, const QString &dosis, const QDate &fin, const char *mensaje,
                              TCampoEditor campo,
                              int celda = -1) { desde(nombre, dosis, lunes, fin, mensaje, campo, celda); };
        const char *ninguna = "NO SE HA ESPECIFICADO NINGUNA TOMA";
        const char *criterio = "SELECCIONAR UN CRITERIO DE REPETICION";
        const char *meses = "CADA CUANTOS MESES DEBE SER UN NUMERO ENTERO DE 1 A 9999";
        const char *sinTomas = "LA PAUTA NO TIENE NINGUNA TOMA ENTRE LA FECHA INICIAL Y LA FINAL";
        fila("no take", "0-0-0-0:D:D:1", sinFin, ninguna, TCampoEditor::FraccionDesayuno);
        fila("no daily option", "1-0-0-0:X", sinFin, criterio, TCampoEditor::OpcionDiaria);
        fila("every: empty", "1-0-0-0:D:D: ", sinFin, "FALTA INDICAR CADA CUANTOS DIAS",
             TCampoEditor::CadaDias);
        fila("every 0 days", "1-0-0-0:D:D:0", sinFin,
             "CADA CUANTOS DIAS DEBE SER UN NUMERO ENTERO DE 1 A 9999", TCampoEditor::CadaDias);
        fila("every x days", "1-0-0-0:D:D:x", sinFin,
             "CADA CUANTOS DIAS DEBE SER UN NUMERO ENTERO DE 1 A 9999", TCampoEditor::CadaDias);
        fila("every 10000 days", "1-0-0-0:D:D:10000", sinFin,
             "CADA CUANTOS DIAS DEBE SER UN NUMERO ENTERO DE 1 A 9999", TCampoEditor::CadaDias);
        fila("take days empty", "1-0-0-0:D:R::1", sinFin, "FALTA INDICAR EL NUMERO DE DIAS DE TOMA",
             TCampoEditor::DiasToma);
        fila("take 0 days", "1-0-0-0:D:R:0:1", sinFin,
             "LOS DIAS DE TOMA DEBEN SER UN NUMERO ENTERO DE 1 A 9999", TCampoEditor::DiasToma);
        fila("rest days empty", "1-0-0-0:D:R:2:", sinFin, "FALTA INDICAR EL NUMERO DE DIAS DE DESCANSO",
             TCampoEditor::DiasDescanso);
        fila("rest -1 days", "1-0-0-0:D:R:2:-1", sinFin,
             "LOS DIAS DE DESCANSO DEBEN SER UN NUMERO ENTERO DE 0 A 9999", TCampoEditor::DiasDescanso);
        fila("every 0 weeks", "1-0-0-0:S:0:1000000", sinFin,
             "CADA CUANTAS SEMANAS DEBE SER UN NUMERO ENTERO DE 1 A 9999", TCampoEditor::CadaSemanas);
        fila("weeks empty", "1-0-0-0:S::1000000", sinFin,
             "CADA CUANTAS SEMANAS DEBE SER UN NUMERO ENTERO DE 1 A 9999", TCampoEditor::CadaSemanas);
        fila("no weekday", "1-0-0-0:S:1:0000000", sinFin, "FALTA MARCAR ALGUN DIA DE LA SEMANA",
             TCampoEditor::DiasSemana);
        fila("no monthly option", "1-0-0-0:M:X", sinFin, criterio, TCampoEditor::OpcionMensual);
        fila("day 0", "1-0-0-0:M:D:0:1", sinFin, "EL DIA DEL MES DEBE SER UN NUMERO DEL 1 AL 31",
             TCampoEditor::DiaMes);
        fila("day 32", "1-0-0-0:M:D:32:1", sinFin, "EL DIA DEL MES DEBE SER UN NUMERO DEL 1 AL 31",
             TCampoEditor::DiaMes);
        fila("day, every 0 months", "1-0-0-0:M:D:5:0", sinFin, meses, TCampoEditor::CadaMesesDia);
        fila("no ordinal", "1-0-0-0:M:P:0:1:1", sinFin,
             "FALTA INDICAR EL ORDINAL: PRIMER, SEGUNDO, TERCER, CUARTO O ULTIMO", TCampoEditor::Ordinal);
        fila("no weekday of the month", "1-0-0-0:M:P:1:0:1", sinFin,
             "FALTA INDICAR EL DIA: DE LUNES A DOMINGO O DIA", TCampoEditor::DiaPosicion);
        fila("position, months empty", "1-0-0-0:M:P:1:1:", sinFin, meses, TCampoEditor::CadaMesesPosicion);
        fila("empty table", Tabla({}), sinFin, ninguna, TCampoEditor::Tabla);
        fila("cell of two digits", Tabla({{5, "10"}}), sinFin,
             "UNA CELDA DE LA TABLA NO ES VALIDA, DEBE SER UNA CIFRA DE 0 A 9 SEGUIDA SI ACASO DE ,25 ,5 ,75 "
             ",33 "
             "O ,66: 10",
             TCampoEditor::Tabla, 5);
        fila("cell with an unknown fraction", Tabla({{0, "1"}, {9, "1,4"}}), sinFin,
             "UNA CELDA DE LA TABLA NO ES VALIDA, DEBE SER UNA CIFRA DE 0 A 9 SEGUIDA SI ACASO DE ,25 ,5 ,75 "
             ",33 "
             "O ,66: 1,4",
             TCampoEditor::Tabla, 9);
        fila("cell with a point", Tabla({{1, "1.5"}}), sinFin,
             "UNA CELDA DE LA TABLA NO ES VALIDA, DEBE SER UNA CIFRA DE 0 A 9 SEGUIDA SI ACASO DE ,25 ,5 ,75 "
             ",33 "
             "O ,66: 1.5",
             TCampoEditor::Tabla, 1);
        // Doses that would expand to nothing.
        fila("only sundays, Monday to Wednesday", "1-0-0-0:S:1:0000001", QDate(2026, 3, 4), sinTomas,
             TCampoEditor::DiasSemana);
        desde("the 31st of every April", "1-0-0-0:M:D:31:12", QDate(2026, 4, 1), sinFin, sinTomas,
              TCampoEditor::DiaMes);
        fila("the 31st, line of March", "1-0-0-0:M:D:31:1", QDate(2026, 3, 30), sinTomas,
             TCampoEditor::DiaMes);
        fila("sunday's cell, Monday to Wednesday", Tabla({{24, "1"}}), QDate(2026, 3, 4), sinTomas,
             TCampoEditor::Tabla);
        // Accepted.
        fila("a fraction alone", "0-0-0-0,5:D:D:1", sinFin, "", TCampoEditor::Ninguno);
        fila("rest 0 days", "1-0-0-0:D:R:1:0", sinFin, "", TCampoEditor::Ninguno);
        desde("the 29th of every February", "1-0-0-0:M:D:29:12", QDate(2026, 2, 1), sinFin, "",
              TCampoEditor::Ninguno);
        desde("the 31st every 2 months from April", "1-0-0-0:M:D:31:2", QDate(2026, 4, 1), sinFin, "",
              TCampoEditor::Ninguno);
        fila("last day of the month", "1-0-0-0:M:P:5:8:1", QDate(2026, 3, 31), "", TCampoEditor::Ninguno);
        fila("one half in the table", Tabla({{3, "0,5"}}), sinFin, "", TCampoEditor::Ninguno);
        fila("the table's older half", Tabla({{3, "0,50"}}), QDate(2026, 3, 2), "", TCampoEditor::Ninguno);
    }
    void checksTheDose()
    {
        QFETCH(QString, tecleada);
        QFETCH(QDate, inicio);
        QFETCH(QDate, fin);
        QFETCH(QString, mensaje);
        QFETCH(int, campo);
        QFETCH(int, celda);
        const std::optional<TErrorEditor> error = Tecleada(tecleada).Validar(inicio, fin);
        QCOMPARE(error ? error->Mensaje : QString(), mensaje);
        QCOMPARE(error ? int(error->Campo) : int(TCampoEditor::Ninguno), campo);
        QCOMPARE(error ? error->Celda : -1, celda);
    }

    // A stored dose the controls show in full is checked like a typed one: a count of 0 stored by
    // an older editor is refused even when the dose was not touched.
    void unchangedReadableDoseIsChecked()
    {
        const TEstadoDosis estado = TEstadoDosis::Abrir(QStringLiteral("1-0-0-0:S:0:1000000"));
        QVERIFY(estado.Legible());
        QCOMPARE(estado.Validar(QDate(2026, 3, 2), {})->Campo, TCampoEditor::CadaSemanas);
    }

    void countersNeverGoBelowZero()
    {
        TEstadoDosis estado;
        estado.Restar(0);
        estado.RestarTabla();
        QCOMPARE(estado.Unidades[0], 0);
        QCOMPARE(estado.UnidadesTabla, 0);
        for (int i = 0; i < 12; ++i) {
            estado.Sumar(2);
            estado.SumarTabla();
        }
        estado.Restar(2);
        QCOMPARE(estado.Unidades[2], 11);
        QCOMPARE(estado.UnidadesTabla, 12);
    }

    // Double-clicks write the table counter and its fraction into one cell, a day or a slot.
    void doubleClicksFillTheTable_data()
    {
        QTest::addColumn<int>("unidades");
        QTest::addColumn<int>("fraccion");
        QTest::addColumn<QString>("donde");
        QTest::addColumn<int>("indice");
        QTest::addColumn<QString>("dosis");
        QTest::newRow("one cell") << 1 << int(TFraccion::Medio) << "celda" << 9
                                  << Tabla({{9, "1,5"}}); // Wednesday's lunch
        QTest::newRow("a day") << 2 << int(TFraccion::Ninguna) << "dia" << 6
                               << Tabla({{24, "2"}, {25, "2"}, {26, "2"}, {27, "2"}});
        QTest::newRow("a slot") << 0 << int(TFraccion::Tercio) << "toma" << 3
                                << Tabla({{3, "0,33"},
                                          {7, "0,33"},
                                          {11, "0,33"},
                                          {15, "0,33"},
                                          {19, "0,33"},
                                          {23, "0,33"},
                                          {27, "0,33"}});
        QTest::newRow("zero empties the cell") << 0 << int(TFraccion::Ninguna) << "celda" << 0 << Tabla({});
    }
    void doubleClicksFillTheTable()
    {
        QFETCH(int, unidades);
        QFETCH(int, fraccion);
        QFETCH(QString, donde);
        QFETCH(int, indice);
        QFETCH(QString, dosis);
        TEstadoDosis estado;
        estado.Modo = TModoDosis::Semanal;
        estado.UnidadesTabla = unidades;
        estado.FraccionTabla = TFraccion(fraccion);
        if (donde == QLatin1String("celda"))
            estado.LlenarCelda(indice / kTomasDia, indice % kTomasDia);
        else if (donde == QLatin1String("dia"))
            estado.LlenarDia(indice);
        else
            estado.LlenarToma(indice);
        QCOMPARE(estado.Texto(), dosis);
    }
};

QTEST_GUILESS_MAIN(TestEstadoDosis)
#include "test_estado_dosis.moc"
