#include "core/audit/ModeloAuditoria.h"
#include "core/common/Clock.h"
#include "core/data/SqlFecha.h"
#include "core/data/uDM.h"
#include "core/i18n/ULenguaje.h"
#include "core/settings/uPreferencias.h"
#include "support/MensajesGrabados.h"
#include "support/TestDatabase.h"
#include "ui/audit/FAuditoria.h"
#include "ui/reports/Fpreview.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

// The audit view driven by its components, on a log of May 2024 seen on 15 May.
class TestFormAuditoria : public QObject
{
    Q_OBJECT

    struct Entorno
    {
        FixedClock reloj {QDate(2024, 5, 15)};
        TLenguaje lenguaje {QStringLiteral("/nonexistent/pastillero.lng")};
        TestDatabase db;
        TDM dm {db.directory()};
        TPreferences preferencias {IniFile(db.directory().iniFile())};
        MensajesGrabados grabados;
        TFormAuditoria form;

        Entorno()
        {
            // The workstation names the row in the tests.
            const auto fila = [this](const char *marca, const QDateTime &momento, const char *accion,
                                     const char *operacion) {
                dm.Anadir(QStringLiteral("LOPD_Auditoria"),
                          {{QStringLiteral("FAudit"), SqlFecha::valor(momento)},
                           {QStringLiteral("Username"), QStringLiteral("ana")},
                           {QStringLiteral("Maquina"), QString::fromUtf8(marca)},
                           {QStringLiteral("Accion"), QString::fromUtf8(accion)},
                           {QStringLiteral("Resultado"), QStringLiteral("ACEPTADO")},
                           {QStringLiteral("Operacion"), QString::fromUtf8(operacion)},
                           {QStringLiteral("refPaciente"), QStringLiteral("7")}});
            };
            fila("abril", QDateTime(QDate(2024, 4, 30), QTime(23, 59, 59, 999)), "FICHA", "CONSULTA");
            fila("m1", QDateTime(QDate(2024, 5, 1), QTime(0, 0)), "FICHA", "ALTA");
            fila("m2", QDateTime(QDate(2024, 5, 3), QTime(11, 0)), "CARGA D'ANA", "CONSULTA");
            fila("m3", QDateTime(QDate(2024, 5, 31), QTime(23, 59, 59, 900)), "FICHA", "CONSULTA");
            fila("junio", QDateTime(QDate(2024, 6, 1), QTime(0, 0)), "FICHA", "CONSULTA");
            form.show();
        }
        template<typename T> T *Hijo(const char *nombre)
        {
            auto *hijo = form.findChild<T *>(QString::fromLatin1(nombre));
            Q_ASSERT(hijo);
            return hijo;
        }
        QStringList Filas()
        {
            const QAbstractItemModel *grid = Hijo<QTableView>("grdAuditoria")->model();
            QStringList marcas;
            for (int fila = 0; fila < grid->rowCount(); ++fila)
                marcas << grid->index(fila, int(TColumnaAuditoria::Maquina)).data().toString();
            return marcas;
        }
    };

private slots:
    // One field typed (a list's text or a date field), then "FILTRAR": the rows, or the message
    // with the focus on the field and the rows of the month left as they were.
    void filtrar_data()
    {
        QTest::addColumn<QString>("campo");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QStringList>("filas");
        QTest::addColumn<QString>("error");
        const QStringList mes {"m1", "m2", "m3"};
        QTest::newRow("this month, its last day whole") << ""
                                                        << "" << mes << "";
        QTest::newRow("action with an apostrophe") << "cmbAccion"
                                                   << "carga d'ana" << QStringList {"m2"} << "";
        QTest::newRow("operation typed in mixed case") << "cmbOperacion"
                                                       << "Alta" << QStringList {"m1"} << "";
        QTest::newRow("start typed with one-digit day and month")
                << "edtFechaInicio"
                << "3/5/2024" << QStringList {"m2", "m3"} << "";
        QTest::newRow("start that is no day") << "edtFechaInicio"
                                              << "31/04/2024" << mes << "EL FORMATO ES INCORRECTO";
        QTest::newRow("end that is not a date") << "edtFechaFin"
                                                << "mayo" << mes << "EL FORMATO ES INCORRECTO";
        QTest::newRow("end before the start")
                << "edtFechaFin"
                << "30/04/2024" << mes << "LA FECHA FINAL NO PUEDE SER INFERIOR A LA FECHA INICIAL";
    }
    void filtrar()
    {
        QFETCH(QString, campo);
        QFETCH(QString, texto);
        QFETCH(QString, error);
        Entorno e;
        QWidget *editado = nullptr;
        if (auto *lista = e.form.findChild<QComboBox *>(campo)) {
            lista->setCurrentText(texto);
            editado = lista;
        } else if (auto *linea = e.form.findChild<QLineEdit *>(campo)) {
            linea->setText(texto);
            editado = linea;
        }
        e.Hijo<QPushButton>("btnFiltrar")->click();
        QTEST(e.Filas(), "filas");
        QCOMPARE(e.grabados.Textos(PresentadorMensajes::TTipo::Error),
                 error.isEmpty() ? QStringList {} : QStringList {error});
        if (!error.isEmpty())
            QCOMPARE(e.form.focusWidget(), editado);
    }

    void imprimirMuestraElListadoDeLosFiltros()
    {
        Entorno e;
        e.Hijo<QComboBox>("cmbAccion")->setCurrentText(QStringLiteral("FICHA"));
        e.Hijo<QPushButton>("btnImprimir")->click();
        QCOMPARE(TFormPreview::abiertos().size(), 1);
        const TLaidOutReport &informe = TFormPreview::abiertos().first()->informe();
        QCOMPARE(informe.title(), QStringLiteral("LISTADO ACCESOS LOPD"));
        QStringList textos;
        for (const PlacedElement &colocado : informe.pages.value(0).elements)
            textos << colocado.element.text;
        for (const QString &esperado : {QStringLiteral("m1"), QStringLiteral("m3"), QStringLiteral("1 / 1"),
                                        QStringLiteral("31/05/2024 23:59:59")})
            QVERIFY2(textos.contains(esperado), qPrintable(esperado));
        QVERIFY(!textos.contains(QStringLiteral("m2")));
        QVERIFY(textos.filter(QStringLiteral("ACCION: FICHA")).size() == 1);
        qDeleteAll(TFormPreview::abiertos());
    }

    void leeMasFilasAlDesplazarse()
    {
        Entorno e;
        const int total = 2 * TModeloAuditoria::kFilasPagina + 10;
        e.dm.EnTransaccion([&] {
            for (int i = 0; i < total; ++i)
                e.dm.Ejecutar(QStringLiteral("INSERT INTO LOPD_Auditoria (FAudit, Maquina) VALUES (?, 'p')"),
                              {SqlFecha::valor(QDateTime(QDate(2024, 5, 20), QTime(9, 0)).addSecs(i))});
        });
        e.Hijo<QPushButton>("btnFiltrar")->click();
        auto *grid = e.Hijo<QTableView>("grdAuditoria");
        QCOMPARE(grid->model()->rowCount(), TModeloAuditoria::kFilasPagina);
        for (int pagina = 2; pagina <= 3; ++pagina) {
            grid->scrollToBottom();
            QTRY_COMPARE(grid->model()->rowCount(),
                         std::min(pagina * TModeloAuditoria::kFilasPagina, total + 3));
        }
        QVERIFY(!grid->model()->canFetchMore({}));
    }
};

QTEST_MAIN(TestFormAuditoria)
#include "test_form_auditoria.moc"
