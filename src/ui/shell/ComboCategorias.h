#pragma once

#include <QComboBox>

// The category filter of the list screens: an empty first entry for every category, then the
// pharmacy's categories by name, each holding its code.
class TComboCategorias : public QComboBox
{
    Q_OBJECT

public:
    explicit TComboCategorias(QWidget *parent = nullptr);

    // Reads the categories again, keeping the one chosen while it still exists; no signal is sent.
    void Llenar();
};
