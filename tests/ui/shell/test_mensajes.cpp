// The standard message dialogs: titles, buttons, the keys Enter and Esc, the answers, and the
// event-log line of the error dialog, written once for an unhandled error.
#include "core/data/ManejadorErrores.h"
#include "core/shell/IniFile.h"
#include "core/shell/uLog.h"
#include "support/MensajesGrabados.h"
#include "support/TestAppDirectory.h"
#include "ui/shell/Mensajes.h"
#include "ui/shell/TDlgMensaje.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

using TTipo = PresentadorMensajes::TTipo;
Q_DECLARE_METATYPE(TTipo)

namespace {

// Presses a key on the modal dialog as soon as it shows, then runs the operation.
template<typename Operacion> auto ConTecla(Qt::Key tecla, Operacion operacion)
{
    QTimer::singleShot(0, [tecla] {
        QWidget *dialogo = QApplication::activeModalWidget();
        QVERIFY(dialogo);
        QTest::keyClick(dialogo, tecla);
    });
    return operacion();
}

} // namespace

class TestMensajes : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<TestAppDirectory>();
        m_dir->write(QStringLiteral("pastillero.ini"), "[TALLER]\r\nTEST=1\r\n");
        uLog::IniciarLog(IniFile(m_dir->file(QStringLiteral("pastillero.ini"))),
                         m_dir->file(QStringLiteral("pastillero.log")));
    }
    void cleanup() { uLog::CerrarLog(); }

    void dialogoPorTipo_data()
    {
        QTest::addColumn<TTipo>("tipo");
        QTest::addColumn<QString>("titulo");
        QTest::addColumn<QString>("aceptar");
        QTest::addColumn<bool>("conCancelar");
        QTest::newRow("confirmar") << TTipo::Confirmar << "CONFIRMACIONES"
                                   << "ACEPTAR" << true;
        QTest::newRow("continuar") << TTipo::ConfirmarContinuar << "CONFIRMACIONES"
                                   << "CONTINUAR" << true;
        QTest::newRow("error") << TTipo::Error << "ERROR"
                               << "ACEPTAR" << false;
        QTest::newRow("aviso") << TTipo::Aviso << "AVISO"
                               << "ACEPTAR" << false;
    }
    void dialogoPorTipo()
    {
        QFETCH(TTipo, tipo);
        QFETCH(QString, titulo);
        QFETCH(QString, aceptar);
        QFETCH(bool, conCancelar);
        TDlgMensaje dialogo(tipo, QStringLiteral("TEXTO"), 0);
        QCOMPARE(dialogo.windowTitle(), titulo);
        QCOMPARE(dialogo.findChild<QPushButton *>(QStringLiteral("btnAceptar"))->text(), aceptar);
        QCOMPARE(dialogo.findChild<QPushButton *>(QStringLiteral("btnCancelar")) != nullptr, conCancelar);
        QCOMPARE(dialogo.findChild<QLabel *>(QStringLiteral("lblMensaje"))->text(), QStringLiteral("TEXTO"));
    }

    void teclasDanLaRespuesta_data()
    {
        QTest::addColumn<bool>("continuar");
        QTest::addColumn<int>("tecla");
        QTest::addColumn<int>("respuesta");
        QTest::newRow("confirmar enter") << false << int(Qt::Key_Return) << 1;
        QTest::newRow("confirmar esc") << false << int(Qt::Key_Escape) << 2;
        QTest::newRow("continuar enter") << true << int(Qt::Key_Return) << 1;
        QTest::newRow("continuar esc") << true << int(Qt::Key_Escape) << 2;
    }
    void teclasDanLaRespuesta()
    {
        QFETCH(bool, continuar);
        QFETCH(int, tecla);
        QFETCH(int, respuesta);
        const int obtenida = ConTecla(Qt::Key(tecla), [continuar] {
            return continuar ? ConfirmarContinuar(QStringLiteral("¿SEGURO?"))
                             : Confirmar(QStringLiteral("¿SEGURO?"));
        });
        QCOMPARE(obtenida, respuesta);
    }

    void errorSeAnotaEnElRegistroYAvisoNo()
    {
        MensajesGrabados grabados;
        MostrarError(QStringLiteral("NO SE PUDO"));
        MostrarAviso(QStringLiteral("CUIDADO"));
        ErrorPrograma(QStringLiteral("estado 9"));
        const QString registro = QString::fromUtf8(m_dir->read(QStringLiteral("pastillero.log")));
        QCOMPARE(registro.count(QStringLiteral(": F_ERROR:")), 2);
        QVERIFY(registro.contains(QStringLiteral(": F_ERROR:NO SE PUDO\r\n")));
        QVERIFY(!registro.contains(QStringLiteral("CUIDADO")));
        QCOMPARE(grabados.Textos(TTipo::Error).last(),
                 QStringLiteral("ERROR DE PROGRAMA. PONGASE EN CONTACTO CON EL SAT. estado 9"));
    }

    void unErrorNoControladoSeAnotaUnaVez()
    {
        MensajesGrabados grabados;
        ManejadorErrores::EstablecerPresentador(MostrarErrorNoControlado);
        ManejadorErrores::Reportar(QStringLiteral("FALLO INESPERADO"));
        ManejadorErrores::EstablecerPresentador({});
        const QString registro = QString::fromUtf8(m_dir->read(QStringLiteral("pastillero.log")));
        QCOMPARE(registro.count(QStringLiteral("FALLO INESPERADO")), 1);
        QVERIFY(registro.contains(QStringLiteral(": ERROR:FALLO INESPERADO\r\n")));
        QCOMPARE(grabados.Textos(TTipo::Error), QStringList {QStringLiteral("FALLO INESPERADO")});
    }

    void errorSeCierraConEnter()
    {
        ConTecla(Qt::Key_Return, [] {
            MostrarError(QStringLiteral("NO SE PUDO"));
            return 0;
        });
        QVERIFY(!QApplication::activeModalWidget());
    }

private:
    std::unique_ptr<TestAppDirectory> m_dir;

    // While a message waits for its answer, what happens meanwhile (a load stored, no printer)
    // is shown after the answer; a question asked meanwhile needs its answer at once.
    void unMensajeALaVez_data()
    {
        QTest::addColumn<int>("durante"); // the kind raised while the first question is open
        QTest::addColumn<QStringList>("orden");
        QTest::newRow("error") << int(PresentadorMensajes::TTipo::Error)
                               << QStringList {"pregunta", "fin pregunta", "durante"};
        QTest::newRow("aviso") << int(PresentadorMensajes::TTipo::Aviso)
                               << QStringList {"pregunta", "fin pregunta", "durante"};
        QTest::newRow("pregunta") << int(PresentadorMensajes::TTipo::Confirmar)
                                  << QStringList {"pregunta", "durante", "fin pregunta"};
    }
    void unMensajeALaVez()
    {
        QFETCH(int, durante);
        QFETCH(QStringList, orden);
        QStringList mostrados;
        TPresentadorUnoAUno *presentador = nullptr;
        TPresentadorUnoAUno uno([&](PresentadorMensajes::TTipo, const QString &texto, int) {
            mostrados << texto;
            if (texto == QLatin1String("pregunta")) {
                presentador->Mostrar(PresentadorMensajes::TTipo(durante), QStringLiteral("durante"), 0);
                mostrados << QStringLiteral("fin pregunta");
            }
            return 1;
        });
        presentador = &uno;
        QCOMPARE(uno.Mostrar(PresentadorMensajes::TTipo::Confirmar, QStringLiteral("pregunta"), 0), 1);
        QCOMPARE(mostrados, orden);
    }
};

QTEST_MAIN(TestMensajes)
#include "test_mensajes.moc"
