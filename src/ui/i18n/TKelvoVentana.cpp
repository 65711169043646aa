#include "ui/i18n/TKelvoVentana.h"

#include "core/i18n/ULenguaje.h"
#include "core/shell/AppDirectory.h"
#include "core/shell/uLog.h"
#include "ui/i18n/UTraducirForm.h"

#include <QDesktopServices>
#include <QEvent>
#include <QFile>
#include <QShortcut>
#include <QUrl>
#include <QWidget>

namespace {

QList<QPointer<QWidget>> &Ventanas()
{
    static QList<QPointer<QWidget>> ventanas;
    return ventanas;
}

std::function<void(QWidget &, int)> &Editor()
{
    static std::function<void(QWidget &, int)> editor;
    return editor;
}

std::function<void()> &VistaParametros()
{
    static std::function<void()> vista;
    return vista;
}

std::function<void()> &AlCambiarCaptura()
{
    static std::function<void()> aviso;
    return aviso;
}

} // namespace

TKelvoVentana::TKelvoVentana(QWidget &ventana, TTipo tipo, std::function<QWidget *()> aTraducir)
    : QObject(&ventana)
    , m_ventana(ventana)
    , m_aTraducir(std::move(aTraducir))
    , m_tipo(tipo)
{
    ventana.installEventFilter(this);
    Ventanas().append(&ventana);
}

TKelvoVentana::~TKelvoVentana()
{
    Ventanas().removeAll(QPointer<QWidget>(&m_ventana));
    Ventanas().removeAll(QPointer<QWidget>());
}

void TKelvoVentana::CrearAtajos()
{
    if (m_conAtajos || !m_ventana.isWindow())
        return;
    m_conAtajos = true;
    const auto atajo = [this](const QKeySequence &teclas, auto accion) {
        auto *corto = new QShortcut(teclas, &m_ventana);
        corto->setContext(Qt::WidgetWithChildrenShortcut);
        connect(corto, &QShortcut::activated, this, accion);
    };
    atajo(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F12), [] { CambiarCaptura(true); });
    atajo(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F11), [] { CambiarCaptura(false); });
    for (const Qt::KeyboardModifiers modificadores :
         {Qt::KeyboardModifiers(Qt::NoModifier), Qt::KeyboardModifiers(Qt::ShiftModifier),
          Qt::KeyboardModifiers(Qt::ControlModifier), Qt::KeyboardModifiers(Qt::AltModifier),
          Qt::KeyboardModifiers(Qt::ControlModifier | Qt::ShiftModifier)})
        atajo(QKeySequence(QKeyCombination(modificadores, Qt::Key_F2)), [this] { EditarTraducciones(); });
    if (m_tipo == TTipo::Dialogo)
        return;
    atajo(QKeySequence(Qt::Key_F1), [this] { AbrirManual(); });
    atajo(QKeySequence(Qt::CTRL | Qt::Key_F3), [] {
        if (VistaParametros())
            VistaParametros()();
    });
}

void TKelvoVentana::CambiarCaptura(bool activa)
{
    if (!ExisteLenguaje() || !Lenguaje().ModoDesarrollo())
        return;
    Lenguaje().SetModoCaptura(activa);
    if (AlCambiarCaptura())
        AlCambiarCaptura()();
}

void TKelvoVentana::Preparar()
{
    if (m_preparada)
        return;
    m_preparada = true;
    if (ExisteLenguaje() && Lenguaje().ModoDesarrollo() && Lenguaje().ModoCaptura())
        CapturarForm(m_ventana);
    TraducirForm(m_ventana);
}

bool TKelvoVentana::eventFilter(QObject *objeto, QEvent *evento)
{
    if (objeto == &m_ventana) {
        if (evento->type() == QEvent::Polish)
            Preparar();
        else if (evento->type() == QEvent::Show && !evento->spontaneous()) {
            CrearAtajos();
            Log(QStringLiteral(": FORM: ") + m_ventana.objectName());
        }
    }
    return QObject::eventFilter(objeto, evento);
}

void TKelvoVentana::AbrirManual()
{
    const QString idioma = QString::number(ExisteLenguaje() ? Lenguaje().Idioma() : 0);
    const QString manual = AppDirectory::current().file(
            NombreLocalizado(QStringLiteral("Kelvo"), QStringLiteral(".pdf"), idioma));
    if (AppDirectory::current().isValid() && QFile::exists(manual))
        QDesktopServices::openUrl(QUrl::fromLocalFile(manual));
}

void TKelvoVentana::EditarTraducciones()
{
    QWidget *ventana = m_aTraducir ? m_aTraducir() : &m_ventana;
    if (!Editor() || !ventana)
        return;
    Editor()(*ventana, (ExisteLenguaje() ? Lenguaje().Idioma() : 0) + 1);
    TraducirForm(*ventana);
}

void TKelvoVentana::SetEditorTraducciones(std::function<void(QWidget &, int)> editor)
{
    Editor() = std::move(editor);
}

void TKelvoVentana::SetVistaParametros(std::function<void()> vista)
{
    VistaParametros() = std::move(vista);
}

void TKelvoVentana::SetAlCambiarCaptura(std::function<void()> aviso)
{
    AlCambiarCaptura() = std::move(aviso);
}

void TKelvoVentana::TraducirTodas()
{
    const QList<QPointer<QWidget>> ventanas = Ventanas();
    for (auto it = ventanas.crbegin(); it != ventanas.crend(); ++it) {
        if (*it)
            TraducirForm(**it);
    }
}
