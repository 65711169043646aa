#pragma once

#include <QComboBox>

// The category filter of the list screens: an empty first entry for every category, then the
// pharmacy's categories by name, each holding its code. With `conSinCategoria` the entry
// "SIN CATEGORIA ASIGNADA" (code 0: the patients without category) comes after the empty one.
class TComboCategorias : public QComboBox
{
    Q_OBJECT

public:
    explicit TComboCategorias(QWidget *parent = nullptr, bool conSinCategoria = false);

    // Reads the categories again, keeping the one chosen while it still exists; no signal is sent.
    void Llenar();

private:
    bool m_conSinCategoria;
};
