#pragma once

#include <QString>
#include <QWidget>

// The flag of the pharmacy's country (the preference "Pais", "0" to "4"), so that whoever works
// on a screen whose rules depend on the country sees which rules apply. Hidden for any other
// value.
class TBanderaPais : public QWidget
{
    Q_OBJECT

public:
    explicit TBanderaPais(QWidget *parent = nullptr);

    void MostrarPais(const QString &pais);

    QSize sizeHint() const override { return {48, 32}; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_pais;
};
