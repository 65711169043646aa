#pragma once

#include "../../core/loading/CargaPrueba.h"
#include "../../core/loading/EntregaPrueba.h"
#include "core/common/Clock.h"
#include "core/data/uDM.h"
#include "core/i18n/ULenguaje.h"
#include "core/settings/uPreferencias.h"
#include "support/MensajesGrabados.h"
#include "support/TestDatabase.h"

#include <QSqlQuery>
#include <QWidget>

// A pharmacy for the tests of the delivery screens: a logged-in user who prepared the loads, the
// clock fixed on a Tuesday, and the summaries the screens would print recorded instead.
struct EntregaEntorno
{
    static constexpr qint64 kEnalapril = 700001;
    const QDate hoy {2024, 5, 14};
    const QDate lunes {2024, 5, 6};

    FixedClock reloj {hoy};
    TLenguaje lenguaje {QStringLiteral("/nonexistent/pastillero.lng")};
    TestDatabase db;
    TDM dm {db.directory()};
    TPreferences preferencias {IniFile(db.directory().iniFile())};
    MensajesGrabados grabados;
    int usuario = EntregaPrueba::Usuario(dm);

    EntregaEntorno()
    {
        dm.Usuario = TUsuario {usuario, QStringLiteral("pepa"), QStringLiteral("PEPA"), {}, true};
    }

    qint64 Carga(int idPaciente, int refRecarga, const QDate &inicio, const QDate &entrega = {})
    {
        return EntregaPrueba::Carga(dm, usuario, idPaciente, refRecarga, inicio, entrega);
    }
    bool Entregada(qint64 idRecarga) { return EntregaPrueba::FechaEntrega(dm, idRecarga).isValid(); }
    QStringList Cargas()
    {
        return CargaPrueba::volcado(dm, QStringLiteral("Recarga"), QStringLiteral("idRecarga"));
    }
    // The patient takes one enalapril a day and has none in stock.
    void SinStock(int idPaciente)
    {
        if (!dm.Valor(QStringLiteral("SELECT 1 FROM Medicamento WHERE idMedicamento = ?"), {kEnalapril})
                     .isValid())
            CargaPrueba::medicamento(dm, kEnalapril, QStringLiteral("ENALAPRIL"));
        CargaPrueba::tratamiento(dm, idPaciente, kEnalapril, 0);
    }
    // The audit rows as "action|operation".
    QStringList Auditoria()
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
    Q_ASSERT(hijo);
    return hijo;
}
