#include "core/common/AppError.h"
#include "core/common/Clock.h"
#include "core/data/SqlFecha.h"
#include "core/data/uDM.h"
#include "core/patients/GuardarLineaTratamiento.h"
#include "support/RechazoEscritura.h"
#include "support/TestDatabase.h"

#include <QCoreApplication>
#include <QSqlQuery>
#include <QTest>

// Storing a treatment line from the editor, on every engine of the test run.
class TestGuardarLineaTratamiento : public QObject
{
    Q_OBJECT

    static constexpr qint64 kMedicamento = 655432;
    static constexpr const char *kAccion = "DEFINIR TRATAMIENTO EMBLISTADO Kelvo";

    struct Entorno
    {
        TestDatabase db;
        TDM dm {db.directory()};
        qint64 paciente = 0;

        Entorno()
        {
            paciente = dm.Anadir(QStringLiteral("Paciente"),
                                 {{QStringLiteral("refPaciente"), QStringLiteral("R1")},
                                  {QStringLiteral("Nombre"), QStringLiteral("LUIS")}});
            dm.idPacienteActivo = int(paciente);
            dm.Usuario = TUsuario {1, QStringLiteral("ana"), QStringLiteral("ANA"), {}, true};
            dm.Anadir(QStringLiteral("Medicamento"),
                      {{QStringLiteral("idMedicamento"), kMedicamento},
                       {QStringLiteral("Medicamento"), QStringLiteral("SINTROM")},
                       {QStringLiteral("Descripcion"), QStringLiteral("4MG")},
                       {QStringLiteral("SPD"), 1}});
        }
        // A stored line as an older session left it.
        qint64 linea(const QString &dosis, const QVariant &etiqueta, const QVariant &spdp)
        {
            return dm.Anadir(QStringLiteral("SPD"),
                             {{QStringLiteral("idPaciente"), paciente},
                              {QStringLiteral("idMedicamento"), kMedicamento},
                              {QStringLiteral("Dosis"), dosis},
                              {QStringLiteral("DosisS1"), dosis},
                              {QStringLiteral("DosisEtiqueta"), etiqueta},
                              {QStringLiteral("SPDP"), spdp},
                              {QStringLiteral("Inicio"), SqlFecha::valor(QDate(2026, 1, 5))},
                              {QStringLiteral("Medico"), QStringLiteral("DRA. GIL")},
                              {QStringLiteral("Cantidad"), 7.5}});
        }
        QVariantMap fila()
        {
            TConsulta q = dm.Consulta(QStringLiteral("SELECT Dosis, DosisS1, DosisS2, DosisS3, DosisS4, "
                                                     "DosisEtiqueta, SPDP, Cantidad, Inicio, "
                                                     "Fin, Medico, Notas FROM SPD"));
            QVariantMap valores;
            if (!q.next())
                return valores;
            const QStringList columnas {
                    QStringLiteral("Dosis"),   QStringLiteral("DosisS1"),  QStringLiteral("DosisS2"),
                    QStringLiteral("DosisS3"), QStringLiteral("DosisS4"),  QStringLiteral("DosisEtiqueta"),
                    QStringLiteral("SPDP"),    QStringLiteral("Cantidad"), QStringLiteral("Inicio"),
                    QStringLiteral("Fin"),     QStringLiteral("Medico"),   QStringLiteral("Notas")};
            for (int i = 0; i < columnas.size(); ++i)
                valores.insert(columnas.at(i), q.value(i));
            return valores;
        }
        int lineas() { return dm.Valor(QStringLiteral("SELECT COUNT(*) FROM SPD")).toInt(); }
        // The audit rows as "action|operation|result".
        QStringList auditoria()
        {
            TConsulta q = dm.Consulta(
                    QStringLiteral("SELECT Accion, Operacion, Resultado, refPaciente FROM LOPD_Auditoria"));
            QStringList filas;
            while (q.next())
                filas << QStringList {q.value(0).toString(), q.value(1).toString(), q.value(2).toString(),
                                      q.value(3).toString()}
                                 .join(QLatin1Char('|'));
            return filas;
        }
        QString audit(const char *operacion) const
        {
            return QStringLiteral("%1|%2|ACEPTADO|%3")
                    .arg(QLatin1String(kAccion), QLatin1String(operacion))
                    .arg(paciente);
        }
    };

    static TLineaEditada Editada(bool spd, bool spdInicial, const QString &dosis, const QString &alAbrir,
                                 const QString &etiqueta)
    {
        TLineaEditada linea;
        linea.idMedicamento = kMedicamento;
        linea.SPD = spd;
        linea.SPDInicial = spdInicial;
        linea.Inicio = QDate(2026, 3, 2);
        linea.Dosis = dosis;
        linea.DosisAlAbrir = alAbrir;
        linea.DosisEtiqueta = etiqueta;
        linea.Medico = QStringLiteral("DR. PEREZ");
        linea.Notas = QStringLiteral("con agua");
        linea.Cantidad = 28;
        return linea;
    }

private slots:
    void init() { Clock::fix(QDateTime(QDate(2026, 3, 10), QTime(9, 0))); }
    void cleanup() { Clock::reset(); }

    // A new line: the override only when the blister choice was changed; DosisS1 "0-0-0-0:0"
    // outside the blister; the label dose typed, else the dose.
    void storesANewLine_data()
    {
        QTest::addColumn<bool>("spd");
        QTest::addColumn<bool>("spdInicial");
        QTest::addColumn<QString>("dosis");
        QTest::addColumn<QString>("etiqueta");
        QTest::addColumn<QVariant>("spdp");
        QTest::addColumn<QString>("dosisS1");
        QTest::addColumn<QString>("etiquetaGuardada");
        const QVariant nulo;
        QTest::newRow("blister") << true << true << "1-0-0-0:D:D:1"
                                 << "" << nulo << "1-0-0-0:D:D:1"
                                 << "1-0-0-0:D:D:1";
        QTest::newRow("blister, own label") << true << true << "1-0-0-0:D:D:1"
                                            << "UNA EN EL DESAYUNO" << nulo << "1-0-0-0:D:D:1"
                                            << "UNA EN EL DESAYUNO";
        QTest::newRow("outside the blister") << false << false << "1 cada 8 horas"
                                             << "OTRA" << nulo << "0-0-0-0:0"
                                             << "1 cada 8 horas";
        QTest::newRow("changed to No") << false << true << "1 cada 8 horas"
                                       << "" << QVariant(0) << "0-0-0-0:0"
                                       << "1 cada 8 horas";
        QTest::newRow("changed to Si") << true << false << "0-1-0-0:S:1:1000000"
                                       << "" << QVariant(1) << "0-1-0-0:S:1:1000000"
                                       << "0-1-0-0:S:1:1000000";
    }
    void storesANewLine()
    {
        QFETCH(bool, spd);
        QFETCH(bool, spdInicial);
        QFETCH(QString, dosis);
        QFETCH(QString, etiqueta);
        QFETCH(QVariant, spdp);
        QFETCH(QString, dosisS1);
        QFETCH(QString, etiquetaGuardada);
        Entorno e;
        const TLineaGuardada guardada = GuardarLineaTratamiento(
                e.dm, e.paciente, Editada(spd, spdInicial, dosis, {}, etiqueta), QLatin1String(kAccion));
        QVERIFY(guardada.Nueva);
        QCOMPARE(guardada.DosisEtiqueta, etiquetaGuardada);
        const QVariantMap fila = e.fila();
        QCOMPARE(fila[QStringLiteral("Dosis")].toString(), dosis);
        QCOMPARE(fila[QStringLiteral("DosisS1")].toString(), dosisS1);
        for (const char *vacia : {"DosisS2", "DosisS3", "DosisS4"})
            QCOMPARE(fila[QLatin1String(vacia)].toString(), QString());
        QCOMPARE(fila[QStringLiteral("DosisEtiqueta")].toString(), etiquetaGuardada);
        QCOMPARE(fila[QStringLiteral("SPDP")].isNull(), spdp.isNull());
        if (!spdp.isNull())
            QCOMPARE(fila[QStringLiteral("SPDP")].toInt(), spdp.toInt());
        QCOMPARE(fila[QStringLiteral("Cantidad")].toDouble(), 28.0);
        QCOMPARE(SqlFecha::leerDia(fila[QStringLiteral("Inicio")]), QDate(2026, 3, 2));
        QVERIFY(fila[QStringLiteral("Fin")].isNull());
        QCOMPARE(fila[QStringLiteral("Medico")].toString(), QStringLiteral("DR. PEREZ"));
        QCOMPARE(fila[QStringLiteral("Notas")].toString(), QStringLiteral("con agua"));
        QCOMPARE(e.auditoria(), QStringList {e.audit("ALTA")});
    }

    // The patient's line of the medication is changed, never doubled. A label dose of one's own
    // is kept while the dose is unchanged; the stock figure stays as loads left it.
    void changesTheLine_data()
    {
        QTest::addColumn<QString>("dosis");
        QTest::addColumn<QString>("etiqueta");
        QTest::addColumn<bool>("spd");
        QTest::addColumn<QVariant>("spdpGuardado");
        QTest::addColumn<QString>("etiquetaGuardada");
        QTest::addColumn<QVariant>("spdp");
        const QString antes = QStringLiteral("1-0-0-0:D:D:1");
        QTest::newRow("dose unchanged") << antes << "UNA" << true << QVariant() << "UNA" << QVariant();
        QTest::newRow("dose changed") << "1-0-0,5-0:D:D:1"
                                      << "UNA" << true << QVariant() << "1-0-0,5-0:D:D:1" << QVariant();
        QTest::newRow("label emptied") << antes << "" << true << QVariant() << antes << QVariant();
        QTest::newRow("override kept") << antes << "UNA" << true << QVariant(1) << "UNA" << QVariant(1);
        QTest::newRow("changed to No") << "1 cada 8 horas"
                                       << "UNA" << false << QVariant(1) << "1 cada 8 horas" << QVariant(0);
    }
    void changesTheLine()
    {
        QFETCH(QString, dosis);
        QFETCH(QString, etiqueta);
        QFETCH(bool, spd);
        QFETCH(QVariant, spdpGuardado);
        QFETCH(QString, etiquetaGuardada);
        QFETCH(QVariant, spdp);
        Entorno e;
        const QString antes = QStringLiteral("1-0-0-0:D:D:1");
        e.linea(antes, QStringLiteral("UNA"),
                spdpGuardado.isNull() ? QVariant(QMetaType(QMetaType::Int)) : spdpGuardado);
        // The editor was opened on the line with 7.5 pills; a load took some meanwhile.
        e.dm.Ejecutar(QStringLiteral("UPDATE SPD SET Cantidad = 3.5"));
        TLineaEditada linea = Editada(spd, true, dosis, antes, etiqueta);
        linea.Cantidad = 7.5;
        const TLineaGuardada guardada
                = GuardarLineaTratamiento(e.dm, e.paciente, linea, QLatin1String(kAccion));
        QVERIFY(!guardada.Nueva);
        QCOMPARE(e.lineas(), 1);
        const QVariantMap fila = e.fila();
        QCOMPARE(fila[QStringLiteral("Dosis")].toString(), dosis);
        QCOMPARE(fila[QStringLiteral("DosisEtiqueta")].toString(), etiquetaGuardada);
        QCOMPARE(fila[QStringLiteral("SPDP")].isNull(), spdp.isNull());
        QCOMPARE(fila[QStringLiteral("SPDP")].toInt(), spdp.toInt());
        QCOMPARE(fila[QStringLiteral("Cantidad")].toDouble(), 3.5);
        QCOMPARE(SqlFecha::leerDia(fila[QStringLiteral("Inicio")]), QDate(2026, 3, 2));
        QCOMPARE(fila[QStringLiteral("Medico")].toString(), QStringLiteral("DR. PEREZ"));
        QCOMPARE(e.auditoria(), QStringList {e.audit("MODIFICACION")});
    }

    void endDateIsStored()
    {
        Entorno e;
        TLineaEditada linea = Editada(true, true, QStringLiteral("1-0-0-0:D:D:1"), {}, {});
        linea.Fin = QDate(2026, 6, 30);
        GuardarLineaTratamiento(e.dm, e.paciente, linea, QLatin1String(kAccion));
        QCOMPARE(SqlFecha::leerDia(e.fila()[QStringLiteral("Fin")]), QDate(2026, 6, 30));
    }

    // A line the database refuses is reported, not taken as stored: nothing is written and no
    // audit row says it was accepted.
    void refusedLineIsReported_data()
    {
        QTest::addColumn<bool>("existe");
        QTest::newRow("new line") << false;
        QTest::newRow("changed line") << true;
    }
    void refusedLineIsReported()
    {
        QFETCH(bool, existe);
        Entorno e;
        if (existe)
            e.linea(QStringLiteral("1-0-0-0:D:D:1"), QStringLiteral("UNA"),
                    QVariant(QMetaType(QMetaType::Int)));
        RechazarEscritura(e.dm, QStringLiteral("SPD"),
                          existe ? QStringLiteral("UPDATE") : QStringLiteral("INSERT"));
        QString mensaje;
        try {
            GuardarLineaTratamiento(e.dm, e.paciente,
                                    Editada(true, true, QStringLiteral("2-0-0-0:D:D:1"), {}, {}),
                                    QLatin1String(kAccion));
        } catch (const AppError &error) {
            mensaje = error.message();
        }
        QVERIFY2(mensaje.contains(QStringLiteral("rechazada")), qPrintable(mensaje));
        QCOMPARE(e.lineas(), existe ? 1 : 0);
        if (existe)
            QCOMPARE(e.fila()[QStringLiteral("Dosis")].toString(), QStringLiteral("1-0-0-0:D:D:1"));
        QCOMPARE(e.auditoria(), QStringList());
    }
};

PASTILLERO_DATA_TEST_MAIN(TestGuardarLineaTratamiento)
#include "test_guardar_linea_tratamiento.moc"
