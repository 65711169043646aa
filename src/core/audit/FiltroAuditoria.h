#pragma once

#include "core/audit/ConsultaAuditoria.h"

#include <QString>
#include <QStringList>

// The audit view's filter fields as the user filled them.
struct TCamposAuditoria
{
    QString Usuario;
    QString Accion;
    QString Operacion;
    QString Resultado;
    QString Paciente;
    QString Desde; // dates as the date fields show them, "dd/mm/yyyy"
    QString Hasta;
};

// The fields the view opens with: the month of `hoy`, every other field empty.
TCamposAuditoria CamposAuditoriaDelMes(const QDate &hoy);

// The operation and result words the view offers: those the log writes now, in the language in
// force, so that a pharmacy working in any language finds its own rows (the search ignores case;
// rows written under another language are found by typing their word).
QStringList OperacionesAuditoria();
QStringList ResultadosAuditoria();

// The date field whose text was refused, for the screen to focus.
enum class TCampoAuditoria { Ninguno, Desde, Hasta };

// The fields read: the filter, or the message for the first date refused.
struct TFiltroAuditoriaLeido
{
    TFiltroAuditoria filtro;
    QString error; // empty when every field was accepted
    TCampoAuditoria campo = TCampoAuditoria::Ninguno;

    bool valido() const { return error.isEmpty(); }
};

// Reads the fields. An empty date sets no bound; a date that is not a date, or an end before the
// start, is refused with its message and the field to focus, and nothing is searched.
TFiltroAuditoriaLeido LeerFiltroAuditoria(const TCamposAuditoria &campos);
