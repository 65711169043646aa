#include "ui/shell/TBanderaPais.h"

#include <QApplication>
#include <QTest>

// The country's flag: shown for the five countries with rules of their own, each recognisable.
class TestBanderaPais : public QObject
{
    Q_OBJECT

private slots:
    void eachCountryShowsItsFlag_data()
    {
        QTest::addColumn<QString>("pais");
        QTest::addColumn<bool>("visible");
        QTest::addColumn<QPointF>("punto"); // relative to the flag's size
        QTest::addColumn<QColor>("color");
        QTest::newRow("Spain") << "0" << true << QPointF(0.5, 0.5) << QColor(241, 191, 0);
        QTest::newRow("Portugal") << "1" << true << QPointF(0.2, 0.5) << QColor(0, 102, 0);
        QTest::newRow("France") << "2" << true << QPointF(0.15, 0.5) << QColor(0, 35, 149);
        QTest::newRow("United Kingdom") << "3" << true << QPointF(0.5, 0.5) << QColor(200, 16, 46);
        QTest::newRow("Italy") << "4" << true << QPointF(0.15, 0.5) << QColor(0, 146, 70);
        QTest::newRow("Slovenia") << "5" << false << QPointF() << QColor();
        QTest::newRow("no country") << "" << false << QPointF() << QColor();
    }
    void eachCountryShowsItsFlag()
    {
        QFETCH(QString, pais);
        QFETCH(bool, visible);
        QFETCH(QPointF, punto);
        QFETCH(QColor, color);
        QWidget ventana;
        auto *bandera = new TBanderaPais(&ventana);
        ventana.show();
        bandera->MostrarPais(pais);
        QCOMPARE(bandera->isVisible(), visible);
        if (!visible)
            return;
        const QImage imagen = bandera->grab().toImage();
        const QPoint pixel(int(punto.x() * imagen.width()), int(punto.y() * imagen.height()));
        QCOMPARE(imagen.pixelColor(pixel), color);
    }
};

QTEST_MAIN(TestBanderaPais)
#include "test_bandera_pais.moc"
