#pragma once

#include <QComboBox>

// The doctor field of the patient card and of the treatment-line editor: the pharmacy's list of
// doctors to choose from, or a name typed. On leaving the field the name is upper-cased; a name
// not in the list makes the field ask, once per name, whether to add it to the list, which is
// then saved with the preferences.
class TCampoMedico : public QComboBox
{
    Q_OBJECT

public:
    static constexpr int kLargo = 50;

    explicit TCampoMedico(QWidget *parent = nullptr);

    // Shows a stored name; leaving the field with it unchanged asks nothing.
    void Mostrar(const QString &medico);
    void Salir();

private:
    bool EnLaLista(const QString &medico) const;

    QString m_preguntado;
};
