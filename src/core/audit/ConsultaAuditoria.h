#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>

class TDM;

// What the audit view is restricted to. A text of blanks sets no condition; any other text is
// compared whole, as typed (stored actions may begin with a blank) and without regard to case:
// the log stores the operation and result words in upper case while the lists offer "Alta" or
// "Aceptado". The patient is the internal identifier the log stores, compared exactly, blanks
// around it ignored.
struct TFiltroAuditoria
{
    QString Usuario;
    QString Accion;
    QString Operacion;
    QString Resultado;
    QString Paciente;
    QDate Desde; // from this day's 00:00; no condition when invalid
    QDate Hasta; // the whole day, nothing of the next; no condition when invalid
};

// The filter the audit view opens with: the month of `hoy`, from its first to its last day.
TFiltroAuditoria FiltroAuditoriaDelMes(const QDate &hoy);

// One row of the audit log.
struct TFilaAuditoria
{
    qint64 IdAudit = 0;
    QDateTime FAudit;
    QString Username;
    QString UserOS;
    QString Maquina;
    QString Accion;
    QString Resultado;
    QString Operacion;
    QString refPaciente;
};

// The audit query as a statement and its bound values: the rows that pass the filter ordered by
// time, user and action (the row's key settles the rest, so that pages never overlap). With
// `cuantas` above 0 only that many rows from row `desde` on.
struct TSentenciaAuditoria
{
    QString sql;
    QVariantList valores;
};
TSentenciaAuditoria SentenciaAuditoria(const TFiltroAuditoria &filtro, int desde = 0, int cuantas = 0);

// The rows of the statement above, each page a statement of its own read to its end; every row
// when `cuantas` is 0 (the printed listing).
QList<TFilaAuditoria> ConsultarAuditoria(TDM &dm, const TFiltroAuditoria &filtro, int desde = 0,
                                         int cuantas = 0);

// The values the user and action filters offer: the application's user names, and the action
// texts present in the log, each in order.
QStringList UsuariosAuditoria(TDM &dm);
QStringList AccionesAuditoria(TDM &dm);
// The statement of the action list: a few dozen steps along the index on Accion, however long
// the log.
QString SentenciaAccionesAuditoria();
