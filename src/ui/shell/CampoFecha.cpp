#include "ui/shell/CampoFecha.h"

#include "core/common/Clock.h"
#include "core/loading/VentanaCarga.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QToolButton>

TCampoFecha::TCampoFecha(const QString &nombre, QWidget *parent)
    : QWidget(parent)
    , m_edtFecha(new QLineEdit(this))
    , m_btnCalendario(new QToolButton(this))
{
    m_edtFecha->setObjectName(nombre);
    m_btnCalendario->setObjectName(QStringLiteral("btn") + nombre);
    m_btnCalendario->setText(QStringLiteral("..."));
    m_btnCalendario->setFocusPolicy(Qt::NoFocus);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_edtFecha, 1);
    layout->addWidget(m_btnCalendario);
    setFocusProxy(m_edtFecha);
    connect(m_btnCalendario, &QToolButton::clicked, this, &TCampoFecha::MostrarCalendario);
}

QString TCampoFecha::Texto() const
{
    return m_edtFecha->text();
}

void TCampoFecha::setTexto(const QString &texto)
{
    m_edtFecha->setText(texto);
}

void TCampoFecha::setFecha(const QDate &fecha)
{
    m_edtFecha->setText(fecha.isValid() ? TextoFechaCampo(fecha) : QString());
}

QDate TCampoFecha::Fecha() const
{
    return LeerFechaCampo(m_edtFecha->text().trimmed());
}

void TCampoFecha::MostrarCalendario()
{
    auto *calendario = new QCalendarWidget(this);
    calendario->setObjectName(QStringLiteral("cal") + m_edtFecha->objectName());
    calendario->setWindowFlags(Qt::Popup);
    calendario->setAttribute(Qt::WA_DeleteOnClose);
    const QDate escrita = Fecha();
    calendario->setSelectedDate(escrita.isValid() ? escrita : Clock::today());
    connect(calendario, &QCalendarWidget::activated, this, [this, calendario](const QDate &dia) {
        setFecha(dia);
        calendario->close();
    });
    calendario->move(m_edtFecha->mapToGlobal(QPoint(0, m_edtFecha->height())));
    calendario->show();
}
