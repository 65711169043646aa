#pragma once

#include "ui/i18n/TKelvoForm.h"

#include <QString>

// Base of the screens shown in the main window's working area: a screen is kept between uses,
// so it takes the tag it is opened with and refreshes what it shows each time it is shown.
class TPantalla : public TKelvoForm
{
    Q_OBJECT

public:
    explicit TPantalla(QWidget *parent = nullptr);

    void AsignarTag(const QString &tag) { m_tag = tag; }
    const QString &Tag() const { return m_tag; }

protected:
    // Each time the screen is shown by the application (not when the window is restored).
    virtual void AlMostrar() { }

    void showEvent(QShowEvent *evento) override;

private:
    QString m_tag;
};
