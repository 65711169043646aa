#include "core/i18n/ULenguaje.h"
#include "ui/stock/FDlgModificarCantidad.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

class TestDlgModificarCantidad : public QObject
{
    Q_OBJECT

private slots:
    void quantities_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<bool>("aceptada");
        QTest::addColumn<double>("cantidad");
        QTest::newRow("comma") << "3,5" << true << 3.5;
        QTest::newRow("point") << "3.5" << true << 3.5;
        QTest::newRow("zero") << "0" << true << 0.0;
        QTest::newRow("negative") << "-1" << false << 12.0;
        QTest::newRow("letters") << "tres" << false << 12.0;
        QTest::newRow("empty") << "" << false << 12.0;
    }
    void quantities()
    {
        QFETCH(QString, texto);
        QFETCH(bool, aceptada);
        QFETCH(double, cantidad);
        TLenguaje lenguaje(QStringLiteral("/nonexistent/pastillero.lng"));
        TDlgModificarCantidad dialogo(12);
        dialogo.show();
        auto *edicion = dialogo.findChild<QLineEdit *>(QStringLiteral("edtCantidad"));
        QVERIFY(edicion);
        QCOMPARE(edicion->text(), QStringLiteral("12"));
        edicion->setText(texto);
        QTest::mouseClick(dialogo.findChild<QPushButton *>(QStringLiteral("btnAceptar")), Qt::LeftButton);
        QCOMPARE(dialogo.result() == QDialog::Accepted, aceptada);
        QCOMPARE(dialogo.isVisible(), !aceptada);
        QCOMPARE(dialogo.Cantidad(), cantidad);
        QCOMPARE(dialogo.findChild<QLabel *>(QStringLiteral("lblError"))->text().isEmpty(), aceptada);
    }
};

QTEST_MAIN(TestDlgModificarCantidad)
#include "test_dlg_modificar_cantidad.moc"
