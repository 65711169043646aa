#pragma once

#include "core/common/Clock.h"
#include "core/data/SqlFecha.h"
#include "core/data/uDM.h"
#include "core/i18n/ULenguaje.h"
#include "core/settings/uPreferencias.h"
#include "support/MensajesGrabados.h"
#include "support/TestDatabase.h"
#include "ui/medication/FDlgPedirMedicamento.h"
#include "ui/stock/FDlgModificarCantidad.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>

// A pharmacy with one patient, two medications (boxes of 28 and of 14 units) and a logged-in
// user, for the tests of the stock screens.
struct StockEntorno
{
    static constexpr qint64 kTratado = 1234568; // the patient has a treatment line for it
    static constexpr qint64 kOtro = 7654321;

    TLenguaje lenguaje {QStringLiteral("/nonexistent/pastillero.lng")};
    TestDatabase db;
    TDM dm {db.directory()};
    TPreferences preferencias {IniFile(db.directory().iniFile())};
    MensajesGrabados grabados;
    FixedClock reloj {QDate(2026, 3, 10)};
    qint64 paciente = 0;

    explicit StockEntorno(bool farmaceutico = true)
    {
        dm.Usuario = TUsuario {1, QStringLiteral("ana"), QStringLiteral("ANA"), {}, farmaceutico};
        paciente = dm.Anadir(QStringLiteral("Paciente"),
                             {{QStringLiteral("refPaciente"), QStringLiteral("R1")},
                              {QStringLiteral("Nombre"), QStringLiteral("LUIS")},
                              {QStringLiteral("MedicoNombre"), QStringLiteral("DRA. GIL")}});
        medicamento(kTratado, QStringLiteral("IBUPROFENO"), 28);
        medicamento(kOtro, QStringLiteral("ENALAPRIL"), 14);
        dm.Anadir(QStringLiteral("SPD"),
                  {{QStringLiteral("idPaciente"), paciente},
                   {QStringLiteral("idMedicamento"), kTratado},
                   {QStringLiteral("Cantidad"), 0.0}});
    }

    void medicamento(qint64 codigo, const QString &nombre, int unidades)
    {
        dm.Anadir(QStringLiteral("Medicamento"),
                  {{QStringLiteral("idMedicamento"), codigo},
                   {QStringLiteral("Medicamento"), nombre},
                   {QStringLiteral("Descripcion"), QStringLiteral("CAJA")},
                   {QStringLiteral("Unidades"), unidades},
                   {QStringLiteral("Definido"), 1},
                   {QStringLiteral("SPD"), 1}});
    }
    qint64 stock(qint64 medicamento, const QString &lote, const QDate &caducidad, double cantidad)
    {
        return dm.Anadir(QStringLiteral("Inventario"),
                         {{QStringLiteral("idPaciente"), paciente},
                          {QStringLiteral("idMedicamento"), medicamento},
                          {QStringLiteral("IdMedicamentoReal"), medicamento},
                          {QStringLiteral("Lote"), lote},
                          {QStringLiteral("Caducidad"), SqlFecha::valor(caducidad)},
                          {QStringLiteral("CantidadRestante"), cantidad}});
    }
    int filas(const QString &tabla)
    {
        return dm.Valor(QStringLiteral("SELECT COUNT(*) FROM ") + tabla).toInt();
    }
    double cantidadLinea()
    {
        return dm
                .Valor(QStringLiteral("SELECT Cantidad FROM SPD WHERE idPaciente = ? AND idMedicamento = ?"),
                       {paciente, kTratado})
                .toDouble();
    }
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

// Fills and accepts "INTRODUCIR MEDICAMENTO"; cancels it when it refuses the answer.
inline void ResponderPedido(TDlgPedirMedicamento &dialogo, const QString &codigo, const QString &lote,
                            const QString &caducidad)
{
    dialogo.findChild<QLineEdit *>(QStringLiteral("edtCodigo"))->setText(codigo);
    dialogo.findChild<QLineEdit *>(QStringLiteral("edtLote"))->setText(lote);
    dialogo.findChild<QLineEdit *>(QStringLiteral("edtCaducidad"))->setText(caducidad);
    dialogo.findChild<QPushButton *>(QStringLiteral("btnAceptar"))->click();
    if (dialogo.isVisible())
        dialogo.reject();
}

// Types the quantity into "MODIFICAR INVENTARIO" and accepts it; cancels it when it refuses it.
inline void ResponderCantidad(TDlgModificarCantidad &dialogo, const QString &cantidad)
{
    dialogo.findChild<QLineEdit *>(QStringLiteral("edtCantidad"))->setText(cantidad);
    dialogo.findChild<QPushButton *>(QStringLiteral("btnAceptar"))->click();
    if (dialogo.isVisible())
        dialogo.reject();
}
