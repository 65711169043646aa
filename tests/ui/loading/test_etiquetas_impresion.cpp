#include "core/loading/CargaPrueba.h"
#include "core/loading/GuardarCarga.h"
#include "core/settings/uPreferencias.h"
#include "support/MensajesGrabados.h"
#include "support/TestDatabase.h"
#include "ui/loading/DialogosPantallaCarga.h"
#include "ui/loading/QREtiquetasImpresion.h"
#include "ui/reports/Fpreview.h"
#include "ui/reports/ReportPrinting.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace CargaPrueba;

// The labels of a stored load printed from the screens: on the label printer by name, on the
// default printer when that one is missing, or in the preview.
class TestEtiquetasImpresion : public QObject
{
    Q_OBJECT

    static constexpr qint64 kEnalapril = 700001;

    struct Entorno
    {
        TestDatabase db;
        TDM dm {db.directory()};
        TPreferences preferencias {IniFile(db.directory().iniFile())};
        MensajesGrabados mensajes;
        QTemporaryDir impresos;
        // Two PDF printers: "ETIQUETAS-PDF" and "DEFECTO-PDF"; any other name is not installed.
        QString defecto;
        ReportPrinting::PrintersInUse impresoras {
                {[this](const QString &nombre) -> std::unique_ptr<QPrinter> {
                     if (nombre != QLatin1String("ETIQUETAS-PDF") && nombre != QLatin1String("DEFECTO-PDF"))
                         return nullptr;
                     auto impresora = std::make_unique<QPrinter>(QPrinter::HighResolution);
                     impresora->setOutputFormat(QPrinter::PdfFormat);
                     impresora->setOutputFileName(Impreso(nombre));
                     return impresora;
                 },
                 [this] { return defecto; }}};

        QString Impreso(const QString &impresora) const
        {
            return impresos.filePath(impresora + QStringLiteral(".pdf"));
        }
        int Auditorias() { return dm.Valor(QStringLiteral("SELECT COUNT(*) FROM LOPD_Auditoria")).toInt(); }
        QStringList Errores() const { return mensajes.Textos(PresentadorMensajes::TTipo::Error); }

        qint64 Carga()
        {
            const int idPaciente = paciente(dm);
            medicamento(dm, kEnalapril, QStringLiteral("ENALAPRIL"));
            const int linea = tratamiento(dm, idPaciente, kEnalapril, 20);
            stock(dm, idPaciente, kEnalapril, 10);
            TRecarga carga;
            carga.Add(porcion(linea, kEnalapril, 1.0, 7));
            const QDate lunes(2024, 5, 6);
            return GuardarCarga(carga, lunes, lunes.addDays(6));
        }
    };

    static bool EsPdf(const QString &ruta)
    {
        QFile archivo(ruta);
        return archivo.open(QIODevice::ReadOnly) && archivo.read(5) == "%PDF-";
    }

private slots:
    void cargaGuardadaEnLaImpresoraDeEtiquetas_data()
    {
        QTest::addColumn<QString>("etiquetas");
        QTest::addColumn<QString>("defecto");
        QTest::addColumn<QString>("usada");
        QTest::newRow("label printer") << QStringLiteral("ETIQUETAS-PDF") << QStringLiteral("DEFECTO-PDF")
                                       << QStringLiteral("ETIQUETAS-PDF");
        QTest::newRow("label printer missing") << QStringLiteral("NO-EXISTE") << QStringLiteral("DEFECTO-PDF")
                                               << QStringLiteral("DEFECTO-PDF");
        QTest::newRow("no label printer set")
                << QString() << QStringLiteral("DEFECTO-PDF") << QStringLiteral("DEFECTO-PDF");
    }
    void cargaGuardadaEnLaImpresoraDeEtiquetas()
    {
        QFETCH(QString, etiquetas);
        QFETCH(QString, defecto);
        QFETCH(QString, usada);
        Entorno e;
        const qint64 id = e.Carga();
        QVERIFY(id > 0);
        e.preferencias.ETIPRINTER = etiquetas;
        e.defecto = defecto;
        const int antes = e.Auditorias();
        ImprimirEtiquetasCarga(id);
        QVERIFY2(e.Errores().isEmpty(), qPrintable(e.Errores().join(QLatin1Char('\n'))));
        QVERIFY(EsPdf(e.Impreso(usada)));
        QCOMPARE(QFile::exists(e.Impreso(QStringLiteral("ETIQUETAS-PDF"))),
                 usada == QLatin1String("ETIQUETAS-PDF"));
        QCOMPARE(e.Auditorias(), antes + 1);
    }

    void resumenSiempreSeImprime()
    {
        Entorno e;
        const qint64 id = e.Carga();
        e.preferencias.ETIPRINTER = QStringLiteral("ETIQUETAS-PDF");
        ImprimirResumenCarga(id);
        QVERIFY(e.Errores().isEmpty());
        QVERIFY(EsPdf(e.Impreso(QStringLiteral("ETIQUETAS-PDF"))));
    }

    // No printer at all is how the workstation is set up: no error, the sheet in the preview, and
    // the status line says which printer is missing and where to choose one.
    void sinNingunaImpresoraVistaPreviaYLineaDeEstado_data()
    {
        QTest::addColumn<QString>("etiquetas");
        QTest::addColumn<QString>("nota");
        QTest::newRow("not installed")
                << QStringLiteral("ZEBRA-PLANTA-2") << QStringLiteral("ZEBRA-PLANTA-2");
        QTest::newRow("none chosen") << QString()
                                     << QStringLiteral("NO HAY IMPRESORA DE ETIQUETAS CONFIGURADA");
    }
    void sinNingunaImpresoraVistaPreviaYLineaDeEstado()
    {
        QFETCH(QString, etiquetas);
        QFETCH(QString, nota);
        Entorno e;
        QStringList lineaEstado;
        EstablecerLineaEstado([&](const QString &texto) { lineaEstado << texto; });
        const qint64 id = e.Carga();
        e.preferencias.ETIPRINTER = etiquetas;
        ImprimirEtiquetasCarga(id);
        EstablecerLineaEstado({});
        QVERIFY(e.mensajes.mensajes.isEmpty());
        QCOMPARE(lineaEstado.size(), 1);
        QVERIFY(lineaEstado.first().contains(nota));
        QVERIFY(lineaEstado.first().contains(QStringLiteral("PREFERENCIAS")));
        QVERIFY(QDir(e.impresos.path()).isEmpty());
        QCOMPARE(TFormPreview::abiertos().size(), 1);
        qDeleteAll(TFormPreview::abiertos());
    }

    void cargaInexistenteNoImprimeNiAudita_data()
    {
        QTest::addColumn<int>("accion");
        QTest::newRow("labels") << 0;
        QTest::newRow("summary") << 1;
        QTest::newRow("preview") << 2;
    }
    void cargaInexistenteNoImprimeNiAudita()
    {
        QFETCH(int, accion);
        Entorno e;
        const qint64 id = e.Carga();
        e.preferencias.ETIPRINTER = QStringLiteral("ETIQUETAS-PDF");
        const int antes = e.Auditorias();
        const qint64 inexistente = id + 1000;
        if (accion == 0)
            ImprimirEtiquetasCarga(inexistente);
        else if (accion == 1)
            ImprimirResumenCarga(inexistente);
        else
            QREtiquetasImpresion::MostrarResumenCarga(inexistente); // no preview: it would block
        QVERIFY(TFormPreview::abiertos().isEmpty());
        QVERIFY(QDir(e.impresos.path()).isEmpty());
        QCOMPARE(e.Auditorias(), antes);
        QVERIFY(e.mensajes.mensajes.isEmpty());
    }

    void laPantallaDeCargaAnadeSuFila_data()
    {
        QTest::addColumn<bool>("existe");
        QTest::addColumn<int>("filas");
        QTest::newRow("stored load: the print's row and the screen's") << true << 2;
        QTest::newRow("unknown load: none") << false << 0;
    }
    void laPantallaDeCargaAnadeSuFila()
    {
        QFETCH(bool, existe);
        QFETCH(int, filas);
        Entorno e;
        const qint64 id = e.Carga();
        e.preferencias.ETIPRINTER = QStringLiteral("ETIQUETAS-PDF");
        TDialogosPantallaCarga(nullptr).ImprimirEtiquetas(existe ? id : id + 1000);
        QCOMPARE(e.dm.Valor(QStringLiteral("SELECT COUNT(*) FROM LOPD_Auditoria WHERE Accion = "
                                           "'IMPRESION ETIQUETAS RECARGAS' AND Operacion = 'CONSULTA'"))
                         .toInt(),
                 filas);
    }

    void vistaPreviaRecibeElResumen()
    {
        Entorno e;
        const qint64 id = e.Carga();
        const int antes = e.Auditorias();
        QString titulo;
        int paginas = 0;
        QTimer::singleShot(0, this, [&] {
            auto *vista = qobject_cast<TFormPreview *>(QApplication::activeModalWidget());
            QVERIFY(vista);
            titulo = vista->informe().title();
            paginas = vista->numeroPaginas();
            vista->close();
        });
        QREtiquetasImpresion::MostrarResumenCarga(id);
        QCOMPARE(titulo, QStringLiteral("Etiquetas ANA PEREZ"));
        QVERIFY(paginas >= 1);
        QCOMPARE(e.Auditorias(), antes + 1);
        QVERIFY(QDir(e.impresos.path()).isEmpty()); // shown, not printed
    }
};

QTEST_MAIN(TestEtiquetasImpresion)
#include "test_etiquetas_impresion.moc"
