// The validation dialog: the wheel and the cell pointed at, validating once (also when another
// workstation validated first), printing the complete sheet, and its audit rows.
#include "core/data/SqlFecha.h"
#include "core/i18n/ULenguaje.h"
#include "core/loading/CargaPrueba.h"
#include "core/loading/GuardarCarga.h"
#include "core/settings/uPreferencias.h"
#include "support/DialogoModal.h"
#include "support/MensajesGrabados.h"
#include "support/TestDatabase.h"
#include "ui/loading/FDlgValCarga.h"
#include "ui/loading/RuedaBlister.h"
#include "ui/reports/Fpreview.h"

#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

using namespace CargaPrueba;

namespace {

constexpr qint64 kEnalapril = 700001;
const QDate kLunes(2024, 5, 6);

template<typename T> T *Hijo(QWidget &padre, const char *nombre)
{
    auto *hijo = padre.findChild<T *>(QString::fromLatin1(nombre));
    Q_ASSERT(hijo);
    return hijo;
}

QString Texto(QWidget &padre, const char *etiqueta)
{
    return Hijo<QLabel>(padre, etiqueta)->text();
}

} // namespace

class TestDlgValCarga : public QObject
{
    Q_OBJECT

    // A patient's stored load of one enalapril at each breakfast; a pharmacist logged in.
    struct Entorno
    {
        TLenguaje lenguaje {QStringLiteral("/nonexistent/pastillero.lng")};
        TestDatabase db;
        TDM dm {db.directory()};
        TPreferences preferencias {IniFile(db.directory().iniFile())};
        MensajesGrabados mensajes;
        int idPaciente = 0;
        qint64 carga = 0;

        Entorno()
        {
            idPaciente = paciente(dm);
            medicamento(dm, kEnalapril, QStringLiteral("ENALAPRIL"));
            const int linea = tratamiento(dm, idPaciente, kEnalapril, 20);
            stock(dm, idPaciente, kEnalapril, 20);
            Iniciar(QStringLiteral("pepa"));
            TRecarga recarga;
            recarga.Add(porcion(linea, kEnalapril, 1.0, 7));
            carga = GuardarCarga(recarga, kLunes, kLunes.addDays(6));
        }
        void Iniciar(const QString &usuario)
        {
            const int id = int(dm.Anadir(QStringLiteral("Usuario"),
                                         {{QStringLiteral("Nombre"), usuario.toUpper()},
                                          {QStringLiteral("username"), usuario},
                                          {QStringLiteral("idPerfil"), 1}}));
            dm.Usuario = TUsuario {id, usuario, usuario.toUpper(), {}, true};
        }
        int Auditorias(const QString &accion)
        {
            return dm.Valor(QStringLiteral("SELECT COUNT(*) FROM LOPD_Auditoria WHERE Accion = ?"), {accion})
                    .toInt();
        }
        QVariant Validador()
        {
            return dm.Valor(QStringLiteral("SELECT IdValidador FROM Recarga WHERE idRecarga = ?"), {carga});
        }
    };

private slots:
    void abreLaCargaComoElBlister()
    {
        Entorno e;
        const int otro = paciente(e.dm, 1, QStringLiteral("BEA RUIZ")); // active before opening
        QVERIFY(e.dm.idPacienteActivo == otro);
        bool abierto = false;
        CuandoSeAbra<TDlgValCarga>([&](TDlgValCarga &dialogo) {
            abierto = true;
            QCOMPARE(dialogo.windowTitle(), QStringLiteral("Validacion Cargas"));
            QCOMPARE(Texto(dialogo, "lblPaciente"), QStringLiteral("ANA PEREZ"));
            QCOMPARE(Texto(dialogo, "lblRefPaciente"), QStringLiteral("REF-ANA"));
            QCOMPARE(Texto(dialogo, "lblRecarga"), QStringLiteral("1"));
            QCOMPARE(Texto(dialogo, "lblInicio"), QStringLiteral("06/05/2024"));
            QCOMPARE(Texto(dialogo, "lblPreparador"), QStringLiteral("PEPA"));
            QCOMPARE(Texto(dialogo, "lblValidador"), QString());
            // Monday breakfast first, drawn red; one pill on every breakfast.
            auto *rueda = Hijo<TRuedaBlister>(dialogo, "rueda");
            QCOMPARE(rueda->Marcada(), 0);
            QCOMPARE(Texto(dialogo, "lblCelda"), QStringLiteral("LUNES DESAYUNO"));
            for (int celda = 0; celda < 28; ++celda)
                QCOMPARE(rueda->TextoCelda(celda), celda % 4 == 0 ? QStringLiteral(" 1") : QString());
            auto *medicacion = Hijo<QTableWidget>(dialogo, "grdMedicacion");
            QCOMPARE(medicacion->rowCount(), 1);
            QCOMPARE(medicacion->item(0, 0)->text(), QStringLiteral("7"));
            QCOMPARE(medicacion->item(0, 1)->text().trimmed(), QStringLiteral("700001 ENALAPRIL 10 MG"));
            dialogo.accept();
        });
        ValidarCarga(e.carga);
        QVERIFY(abierto);
        // The load's patient is the active one now, and the opening was audited for it.
        QCOMPARE(e.dm.idPacienteActivo, e.idPaciente);
        QCOMPARE(e.dm.Valor(QStringLiteral("SELECT refPaciente FROM LOPD_Auditoria WHERE Accion = ?"),
                            {QStringLiteral("CONSULTA - VALIDACION DE CARGA")})
                         .toString(),
                 QString::number(e.idPaciente));
    }

    void unaCargaQueNoExisteNoAbreNada()
    {
        Entorno e;
        ValidarCarga(4711); // would block on a dialog that opened
        QCOMPARE(e.Auditorias(QStringLiteral("CONSULTA - VALIDACION DE CARGA")), 0);
    }

    void laCeldaSenalada_data()
    {
        QTest::addColumn<int>("celda");
        QTest::addColumn<bool>("clic");
        QTest::addColumn<QString>("titulo");
        QTest::addColumn<int>("filas");
        QTest::newRow("pointing at Wednesday breakfast") << 8 << false << "MIERCOLES DESAYUNO" << 1;
        QTest::newRow("clicking Sunday breakfast") << 24 << true << "DOMINGO DESAYUNO" << 1;
        QTest::newRow("pointing at an empty cell") << 6 << false << "MARTES CENA" << 0;
        QTest::newRow("clicking Saturday night") << 23 << true << "SABADO NOCHE" << 0;
    }
    void laCeldaSenalada()
    {
        QFETCH(int, celda);
        QFETCH(bool, clic);
        QFETCH(QString, titulo);
        QFETCH(int, filas);
        Entorno e;
        TDlgValCarga dialogo {TValidacionCarga(e.carga)};
        dialogo.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialogo));
        auto *rueda = Hijo<TRuedaBlister>(dialogo, "rueda");
        const QPoint punto = rueda->CentroCelda(celda).toPoint();
        if (clic)
            QTest::mouseClick(rueda, Qt::LeftButton, {}, punto);
        else
            QTest::mouseMove(rueda, punto);
        QTRY_COMPARE(rueda->Marcada(), celda);
        QCOMPARE(Texto(dialogo, "lblCelda"), titulo);
        auto *alveolo = Hijo<QTableWidget>(dialogo, "grdAlveolo");
        QCOMPARE(alveolo->rowCount(), filas);
        if (filas > 0) {
            QCOMPARE(alveolo->item(0, 0)->text(), QStringLiteral("1"));
            QCOMPARE(alveolo->item(0, 1)->text(), QStringLiteral("700001   ENALAPRIL 10 MG"));
            QCOMPARE(alveolo->item(0, 3)->text(), QStringLiteral("L1"));
        }
    }

    void validarGuardaAlFarmaceutico()
    {
        Entorno e;
        e.Iniciar(QStringLiteral("luis"));
        TDlgValCarga dialogo {TValidacionCarga(e.carga)};
        auto *validar = Hijo<QPushButton>(dialogo, "btnValidar");
        e.mensajes.Responder(2); // first the pharmacist thinks again
        validar->click();
        QVERIFY(e.Validador().isNull());
        QVERIFY(validar->isEnabled());

        validar->click();
        QCOMPARE(e.Validador().toInt(), e.dm.Usuario->idUsuario);
        QCOMPARE(Texto(dialogo, "lblValidador"), QStringLiteral("LUIS"));
        QVERIFY(!Texto(dialogo, "lblValidado").isEmpty());
        QVERIFY(!validar->isEnabled());
        QCOMPARE(e.mensajes.Textos(PresentadorMensajes::TTipo::Confirmar),
                 QStringList(2, QStringLiteral("¿ESTA SEGURO QUE QUIERE VALIDAR LA CARGA?")));
        QCOMPARE(e.Auditorias(QStringLiteral("VALIDACION CARGA")), 1);
    }

    // Two workstations show the load; the second one's VALIDAR finds it validated.
    void elSegundoPuestoEsAvisado()
    {
        Entorno e;
        TDlgValCarga primero {TValidacionCarga(e.carga)};
        TDlgValCarga segundo {TValidacionCarga(e.carga)};
        e.Iniciar(QStringLiteral("luis"));
        Hijo<QPushButton>(primero, "btnValidar")->click();
        const QVariant validador = e.Validador();
        e.Iniciar(QStringLiteral("rosa"));
        Hijo<QPushButton>(segundo, "btnValidar")->click();
        QCOMPARE(e.Validador(), validador);
        QCOMPARE(e.mensajes.Textos(PresentadorMensajes::TTipo::Aviso),
                 QStringList {QStringLiteral("LA CARGA YA HABIA SIDO VALIDADA DESDE OTRO PUESTO")});
        QCOMPARE(Texto(segundo, "lblValidador"), QStringLiteral("LUIS"));
        QVERIFY(!Hijo<QPushButton>(segundo, "btnValidar")->isEnabled());
        QCOMPARE(e.Auditorias(QStringLiteral("VALIDACION CARGA")), 1);
    }

    void imprimirMuestraLaHojaCompleta()
    {
        Entorno e;
        TDlgValCarga dialogo {TValidacionCarga(e.carga)};
        QString titulo;
        CuandoSeAbra<TFormPreview>([&](TFormPreview &vista) {
            titulo = vista.informe().document.title;
            vista.close();
        });
        Hijo<QPushButton>(dialogo, "btnImprimir")->click();
        QVERIFY(titulo.startsWith(QStringLiteral("Etiquetas ")));
        // The print's row and the validation's own.
        QCOMPARE(e.Auditorias(QStringLiteral("IMPRESION ETIQUETAS RECARGAS")), 2);
    }

    void laRuedaEncuentraCadaCelda_data()
    {
        QTest::addColumn<QSize>("tamano");
        QTest::newRow("square") << QSize(400, 400);
        QTest::newRow("wide") << QSize(700, 360);
        QTest::newRow("small") << QSize(260, 300);
    }
    void laRuedaEncuentraCadaCelda()
    {
        QFETCH(QSize, tamano);
        TLenguaje lenguaje {QStringLiteral("/nonexistent/pastillero.lng")};
        TRuedaBlister rueda;
        rueda.resize(tamano);
        for (int celda = 0; celda < 28; ++celda)
            QCOMPARE(rueda.CeldaEn(rueda.CentroCelda(celda)), celda);
        const QPointF centro = QRectF(rueda.rect()).center();
        QCOMPARE(rueda.CeldaEn(centro), -1); // the empty middle
        QCOMPARE(rueda.CeldaEn(QPointF(0, 0)), -1); // outside the wheel
    }
};

QTEST_MAIN(TestDlgValCarga)
#include "test_dlg_val_carga.moc"
