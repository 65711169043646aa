// The returns screen: the patient's latest load, marking and unmarking cells, the return date
// checked before anything is stored, the report, another patient's blister and a failed store.
#include "../../core/stock/RetornoPrueba.h"
#include "core/audit/uLOPD.h"
#include "core/common/Clock.h"
#include "core/data/ManejadorErrores.h"
#include "core/i18n/ULenguaje.h"
#include "core/settings/uPreferencias.h"
#include "support/DialogoModal.h"
#include "support/MensajesGrabados.h"
#include "support/RechazoEscritura.h"
#include "support/TestDatabase.h"
#include "ui/reports/Fpreview.h"
#include "ui/stock/FDlgIntroducirToma.h"
#include "ui/stock/FPacienteRetorno.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

using namespace RetornoPrueba;

namespace {

const QString kError = QStringLiteral("EL DATO A INTRODUCIR DEBE SER NUMERICO MAYOR QUE CERO");
const QString kNoEncontrada = QStringLiteral("NO SE HA ENCONTRADO LA ROSSETA SOLICITADA");

// A patient with two loads, the second (the latest) with cell 3 returned; another patient with a
// load of the same number. Today is 15 May 2024.
struct Entorno
{
    TLenguaje lenguaje {QStringLiteral("/nonexistent/pastillero.lng")};
    TestDatabase db;
    TDM dm {db.directory()};
    TPreferences preferencias {IniFile(db.directory().iniFile())};
    MensajesGrabados grabados;
    FixedClock reloj {QDate(2024, 5, 15)};
    int preparador = usuario(dm);
    qint64 otro = paciente(dm, QStringLiteral("R2"), QStringLiteral("ANA ROS"));
    qint64 idPaciente = paciente(dm);
    qint64 primera = carga(dm, idPaciente, 1, preparador);
    qint64 segunda = carga(dm, idPaciente, 2, preparador, kLunes.addDays(7));
    qint64 ajena = carga(dm, otro, 1, preparador);

    Entorno()
    {
        dm.Usuario = TUsuario {preparador, QStringLiteral("rosa"), QStringLiteral("ROSA GIL"), {}, true};
        dm.idPacienteActivo = int(idPaciente);
        dm.Anadir(QStringLiteral("RecargaTomasRetornadas"),
                  {{QStringLiteral("idRecarga"), segunda},
                   {QStringLiteral("idToma"), 3},
                   {QStringLiteral("CantidadComprimidos"), 1},
                   {QStringLiteral("Comentario"), QStringLiteral("VOMITO")}});
        ManejadorErrores::EstablecerPresentador(MostrarErrorNoControlado);
    }
    ~Entorno() { ManejadorErrores::EstablecerPresentador({}); }

    // The audit rows as "action|operation".
    QStringList auditoria()
    {
        TConsulta q = dm.Consulta(
                QStringLiteral("SELECT Accion, Operacion FROM LOPD_Auditoria ORDER BY IdAudit"));
        QStringList filas;
        while (q.next())
            filas << q.value(0).toString() + QLatin1Char('|') + q.value(1).toString();
        return filas;
    }
};

template<typename T> T *Hijo(QWidget &padre, const char *nombre)
{
    auto *hijo = padre.findChild<T *>(QString::fromLatin1(nombre));
    if (!hijo)
        qFatal("no component %s", nombre);
    return hijo;
}

// Clicks a cell, answering "INTRODUCIR TOMA" with the units and reason; the dialog is cancelled
// when it refuses them.
void MarcarToma(TFormPacienteRetorno &form, int toma, const QString &comprimidos, const QString &motivo)
{
    CuandoSeAbra<TDlgIntroducirToma>([=](TDlgIntroducirToma &dialogo) {
        Hijo<QPlainTextEdit>(dialogo, "memComentario")->setPlainText(motivo);
        Hijo<QLineEdit>(dialogo, "edtComprimidos")->setText(comprimidos);
        QTest::mouseClick(Hijo<QPushButton>(dialogo, "btnAceptar"), Qt::LeftButton);
        if (dialogo.isVisible())
            dialogo.reject();
    });
    QTest::mouseClick(Hijo<QPushButton>(form, QStringLiteral("btnToma%1").arg(toma).toLatin1()),
                      Qt::LeftButton);
}

QStringList Lista(TFormPacienteRetorno &form)
{
    auto *rejilla = Hijo<QTableWidget>(form, "grdTomas");
    QStringList filas;
    for (int fila = 0; fila < rejilla->rowCount(); ++fila) {
        QStringList textos;
        for (int columna = 0; columna < rejilla->columnCount(); ++columna)
            textos << rejilla->item(fila, columna)->text();
        filas << textos.join(QLatin1Char('|'));
    }
    return filas;
}

} // namespace

class TestFormPacienteRetorno : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        for (TFormPreview *vista : TFormPreview::abiertos())
            vista->close();
    }

    void abreLaUltimaCargaDelPacienteYSeAudita()
    {
        Entorno e;
        TFormPacienteRetorno form;
        form.show();
        QVERIFY(form.Carga());
        QCOMPARE(form.Carga()->idRecarga, e.segunda);
        QCOMPARE(form.windowTitle(), QString("RETORNOS PACIENTES"));
        QCOMPARE(Hijo<QLabel>(form, "lblReferencia")->text(), QString("R1"));
        QCOMPARE(Hijo<QLabel>(form, "lblFechaAlta")->text(), QString("09/01/2023"));
        QCOMPARE(Hijo<QLabel>(form, "lblValorPreparador")->text(), QString("ROSA GIL"));
        QCOMPARE(Hijo<QLabel>(form, "lblValorInicio")->text(), QString("13/05/2024"));
        QCOMPARE(Hijo<QLabel>(form, "lblValorHumedad")->text(), QString("40%"));
        QCOMPARE(Hijo<QLabel>(form, "lblValorTemperatura")->text(), QString("21ºC"));
        QCOMPARE(Hijo<QLineEdit>(form, "edtCodigo")->text(), QString("2"));
        QCOMPARE(Hijo<QLineEdit>(form, "edtFechaRetorno")->text(), QString());
        QVERIFY(Hijo<QPushButton>(form, "btnToma3")->property("marcada").toBool());
        QVERIFY(!Hijo<QPushButton>(form, "btnToma4")->property("marcada").toBool());
        QCOMPARE(Lista(form), QStringList {"TOMA 3|LUNES CENA|VOMITO"});
        QCOMPARE(e.auditoria(), QStringList {"RETORNOS PACIENTES|MODIFICACION"});
    }

    void marcarUnaToma_data()
    {
        QTest::addColumn<QString>("comprimidos");
        QTest::addColumn<bool>("marcada");
        QTest::newRow("one unit") << "1" << true;
        QTest::newRow("an empty cell: 0 units") << "0" << true;
        QTest::newRow("negative units refused") << "-1" << false;
        QTest::newRow("letters refused") << "uno" << false;
    }
    void marcarUnaToma()
    {
        QFETCH(QString, comprimidos);
        QFETCH(bool, marcada);
        Entorno e;
        TFormPacienteRetorno form;
        form.show();
        MarcarToma(form, 14, comprimidos, QStringLiteral("NAUSEAS"));
        QCOMPARE(form.Carga()->Tomas.Toma(14).Marcada, marcada);
        QCOMPARE(Hijo<QPushButton>(form, "btnToma14")->property("marcada").toBool(), marcada);
        QCOMPARE(e.grabados.Textos(PresentadorMensajes::TTipo::Error),
                 marcada ? QStringList() : QStringList {kError});
        QCOMPARE(e.auditoria().contains("RETORNOS PACIENTES RETORNO 2 14|ALTA"), marcada);
        if (marcada) {
            QCOMPARE(Lista(form).last(), QString("TOMA 14|JUEVES COMIDA|NAUSEAS"));
            QCOMPARE(form.Carga()->Tomas.Toma(14).Comprimidos, comprimidos.toInt());
        }
        QCOMPARE(tomas(e.dm, e.segunda), QStringList {"3|1|VOMITO"}); // nothing stored by a click
    }

    void desmarcarPreguntaAntes_data()
    {
        QTest::addColumn<int>("respuesta");
        QTest::addColumn<bool>("marcada");
        QTest::newRow("confirmed") << 1 << false;
        QTest::newRow("cancelled") << 2 << true;
    }
    void desmarcarPreguntaAntes()
    {
        QFETCH(int, respuesta);
        QFETCH(bool, marcada);
        Entorno e;
        TFormPacienteRetorno form;
        form.show();
        e.grabados.Responder(respuesta);
        QTest::mouseClick(Hijo<QPushButton>(form, "btnToma3"), Qt::LeftButton);
        QCOMPARE(e.grabados.Textos(PresentadorMensajes::TTipo::Confirmar),
                 QStringList {"¿ESTA SEGURO QUE QUIERE ELIMINAR INFORMACION DE TOMA?"});
        QCOMPARE(form.Carga()->Tomas.Toma(3).Marcada, marcada);
        QCOMPARE(Lista(form).size(), marcada ? 1 : 0);
        QCOMPARE(e.auditoria().contains("RETORNOS PACIENTES RETORNO 2 3|BAJA"), !marcada);
    }

    void imprimirGuardaYMuestraElInforme()
    {
        Entorno e;
        TFormPacienteRetorno form;
        form.show();
        MarcarToma(form, 27, QStringLiteral("2"), QStringLiteral("OLVIDO"));
        MarcarToma(form, 14, QStringLiteral("1"), QStringLiteral("NAUSEAS"));
        Hijo<QLineEdit>(form, "edtFechaRetorno")->setText(QStringLiteral("14/5/24"));
        QTest::mouseClick(Hijo<QPushButton>(form, "btnImprimir"), Qt::LeftButton);
        QCOMPARE(tomas(e.dm, e.segunda), (QStringList {"3|1|VOMITO", "14|1|NAUSEAS", "27|2|OLVIDO"}));
        QCOMPARE(totales(e.dm, e.segunda), QString("2024-05-14|3|4"));
        QCOMPARE(Hijo<QLineEdit>(form, "edtFechaRetorno")->text(), QString("14/05/2024"));
        QCOMPARE(TFormPreview::abiertos().size(), 1);
        QCOMPARE(TFormPreview::abiertos().first()->informe().title(), QString("TOMAS RETORNADAS"));
        QCOMPARE(e.auditoria().last(), QString("Listado TOMAS RETORNADAS|CONSULTA"));
    }

    void laFechaSeCompruebaAntesDeGuardarNada_data()
    {
        QTest::addColumn<QString>("fecha");
        QTest::addColumn<int>("respuesta");
        QTest::addColumn<QString>("mensaje");
        QTest::newRow("tomorrow") << "16/05/2024" << 1 << "LA FECHA NO PUEDE SER MAYOR QUE HOY";
        QTest::newRow("31 February") << "31/02/2024" << 1 << "EL FORMATO ES INCORRECTO";
        QTest::newRow("empty, not confirmed") << "" << 2 << "";
    }
    void laFechaSeCompruebaAntesDeGuardarNada()
    {
        QFETCH(QString, fecha);
        QFETCH(int, respuesta);
        QFETCH(QString, mensaje);
        Entorno e;
        TFormPacienteRetorno form;
        form.show();
        MarcarToma(form, 14, QStringLiteral("1"), QStringLiteral("NAUSEAS"));
        QSignalSpy volver(&form, &TFormPacienteRetorno::volver);
        for (const char *boton : {"btnImprimir", "btnVolver", "btnBuscar"}) {
            Hijo<QLineEdit>(form, "edtFechaRetorno")->setText(fecha);
            e.grabados.Responder(respuesta);
            QTest::mouseClick(Hijo<QPushButton>(form, boton), Qt::LeftButton);
        }
        QCOMPARE(tomas(e.dm, e.segunda), QStringList {"3|1|VOMITO"});
        QCOMPARE(totales(e.dm, e.segunda), QString("|0|0"));
        QVERIFY(TFormPreview::abiertos().isEmpty());
        QCOMPARE(volver.size(), 0);
        QCOMPARE(form.Carga()->idRecarga, e.segunda);
        QVERIFY(form.Carga()->Tomas.Toma(14).Marcada);
        if (!mensaje.isEmpty())
            QCOMPARE(e.grabados.Textos(PresentadorMensajes::TTipo::Error), QStringList(3, mensaje));
    }

    void unaFechaVaciaConfirmadaGuardaLaCargaNoRetornada()
    {
        Entorno e;
        TFormPacienteRetorno form;
        form.show();
        QSignalSpy volver(&form, &TFormPacienteRetorno::volver);
        e.grabados.Responder(1);
        QTest::mouseClick(Hijo<QPushButton>(form, "btnVolver"), Qt::LeftButton);
        QCOMPARE(volver.size(), 1);
        QCOMPARE(volver.first().first().toString(), QString("R1"));
        QCOMPARE(totales(e.dm, e.segunda), QString("|1|1"));
    }

    void otraCargaPorSuCodigoOSuNumero_data()
    {
        QTest::addColumn<bool>("escaneado");
        QTest::newRow("the blister's scanned code") << true;
        QTest::newRow("the load number") << false;
    }
    void otraCargaPorSuCodigoOSuNumero()
    {
        QFETCH(bool, escaneado);
        Entorno e;
        TFormPacienteRetorno form;
        form.show();
        MarcarToma(form, 14, QStringLiteral("1"), QStringLiteral("NAUSEAS"));
        Hijo<QLineEdit>(form, "edtFechaRetorno")->setText(QStringLiteral("14/05/2024"));
        auto *codigo = Hijo<QLineEdit>(form, "edtCodigo");
        codigo->setText(escaneado ? codigoEscaneado(e.idPaciente, 1) : QStringLiteral("1"));
        QTest::keyClick(codigo, Qt::Key_Return);
        QCOMPARE(form.Carga()->idRecarga, e.primera);
        QCOMPARE(codigo->text(), QString("1"));
        QVERIFY(form.Carga()->Tomas.Marcadas().isEmpty());
        // The load left was stored first.
        QCOMPARE(tomas(e.dm, e.segunda), (QStringList {"3|1|VOMITO", "14|1|NAUSEAS"}));
    }

    void elBlisterDeOtroPacienteNoCambiaNada()
    {
        Entorno e;
        TFormPacienteRetorno form;
        form.show();
        Hijo<QLineEdit>(form, "edtFechaRetorno")->setText(QStringLiteral("14/05/2024"));
        auto *codigo = Hijo<QLineEdit>(form, "edtCodigo");
        codigo->setText(codigoEscaneado(e.otro, 1));
        QTest::mouseClick(Hijo<QPushButton>(form, "btnBuscar"), Qt::LeftButton);
        QCOMPARE(e.grabados.Textos(PresentadorMensajes::TTipo::Aviso), QStringList {kNoEncontrada});
        QCOMPARE(form.Carga()->idRecarga, e.segunda);
        QCOMPARE(codigo->text(), QString("2"));
        QCOMPARE(totales(e.dm, e.ajena), QString("|0|0"));
        QVERIFY(tomas(e.dm, e.ajena).isEmpty());
    }

    void unFalloAlGuardarSeMuestraYLasMarcasSeConservan()
    {
        Entorno e;
        TFormPacienteRetorno form;
        form.show();
        RechazarEscritura(e.dm, QStringLiteral("RecargaTomasRetornadas"), QStringLiteral("INSERT"));
        MarcarToma(form, 14, QStringLiteral("1"), QStringLiteral("NAUSEAS"));
        Hijo<QLineEdit>(form, "edtFechaRetorno")->setText(QStringLiteral("14/05/2024"));
        QSignalSpy volver(&form, &TFormPacienteRetorno::volver);
        const QStringList auditoria = e.auditoria();
        QTest::mouseClick(Hijo<QPushButton>(form, "btnVolver"), Qt::LeftButton);
        QTest::mouseClick(Hijo<QPushButton>(form, "btnImprimir"), Qt::LeftButton);
        QCOMPARE(volver.size(), 0);
        QVERIFY(TFormPreview::abiertos().isEmpty());
        const QStringList errores = e.grabados.Textos(PresentadorMensajes::TTipo::Error);
        QCOMPARE(errores.size(), 2);
        QVERIFY2(errores.first().contains(QStringLiteral("rechazada")), qPrintable(errores.first()));
        QCOMPARE(tomas(e.dm, e.segunda), QStringList {"3|1|VOMITO"});
        QCOMPARE(totales(e.dm, e.segunda), QString("|0|0"));
        QCOMPARE(e.auditoria(), auditoria);
        QVERIFY(form.Carga()->Tomas.Toma(14).Marcada);
    }
};

QTEST_MAIN(TestFormPacienteRetorno)
#include "test_form_paciente_retorno.moc"
