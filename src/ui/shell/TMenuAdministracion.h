#pragma once

#include <QWidget>

// The side menu the administration screens share: back to the main screen, and the patients,
// medications, users, preferences, list of loads, categories and needs screens, where the
// database lives, its backup and restore, and the translation editor.
class TMenuAdministracion : public QWidget
{
    Q_OBJECT

public:
    explicit TMenuAdministracion(QWidget *parent = nullptr);
};
