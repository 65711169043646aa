#include "DialogoModal.h"
#include "core/data/uDM.h"
#include "support/MensajesGrabados.h"
#include "ui/users/Derechos.h"

#include <QTest>

// Only a pharmacist changes treatments; anyone else is told why nothing happens.
class TestDerechos : public QObject
{
    Q_OBJECT

private slots:
    void onlyAPharmacistChangesTreatments_data()
    {
        QTest::addColumn<bool>("conUsuario");
        QTest::addColumn<bool>("farmaceutico");
        QTest::newRow("pharmacist") << true << true;
        QTest::newRow("assistant") << true << false;
        QTest::newRow("nobody logged in") << false << false;
    }
    void onlyAPharmacistChangesTreatments()
    {
        QFETCH(bool, conUsuario);
        QFETCH(bool, farmaceutico);
        TestDatabase db;
        TDM dm(db.directory());
        MensajesGrabados grabados;
        if (conUsuario)
            dm.Usuario = TUsuario {1, QStringLiteral("ana"), QStringLiteral("ANA"), {}, farmaceutico};
        QCOMPARE(dm.EsFarmaceutico(), farmaceutico);
        QCOMPARE(PermisoCambioTratamiento(), farmaceutico);
        const QStringList avisos = farmaceutico
                ? QStringList()
                : QStringList {QStringLiteral("NO TIENES PERMISO PARA MODIFICAR TRATAMIENTO")};
        QCOMPARE(grabados.Textos(PresentadorMensajes::TTipo::Aviso), avisos);
    }
};

PASTILLERO_UI_DATA_TEST_MAIN(TestDerechos)
#include "test_derechos.moc"
