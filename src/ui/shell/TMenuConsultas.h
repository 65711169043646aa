#pragma once

#include <QWidget>

// The side menu the inquiry screens share: back to the main screen, the list of loads, the stock
// inquiry, the audit and traceability views, the needs screen and the medication catalogue.
class TMenuConsultas : public QWidget
{
    Q_OBJECT

public:
    explicit TMenuConsultas(QWidget *parent = nullptr);
};
