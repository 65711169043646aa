#pragma once

#include "ui/i18n/TKelvoDlgForm.h"

#include <QStringList>

// The release notes in a modal window: a read-only list of the lines given after a line holding
// one blank, and "ACEPTAR". The window is titled with the caller's title; an empty title keeps
// the window's own caption, "CONSULTA DE VERSION".
class TDlgNotasVersion : public TKelvoDlgForm
{
    Q_OBJECT

public:
    TDlgNotasVersion(const QString &titulo, const QStringList &notas, QWidget *parent = nullptr);
};

// Shows the notes of `fichero` newer than `build` (ReleaseNotes::kWholeFile: the whole file) in
// the release-notes window; true when it was closed with "ACEPTAR".
bool VerNotasVersion(const QString &build, const QString &titulo, const QString &fichero,
                     QWidget *parent = nullptr);

// The preferences' "INFO": the whole notes file of the current language, or a message that
// this installation has none.
void VerNotasDelIdioma(QWidget *parent);
