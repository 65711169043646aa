#pragma once

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <QtGlobal>

// Replaces the desktop's "xdg-email" while it lives: PATH holds only a folder with a script of
// that name that records its arguments and ends with the given exit code. kSinPrograma leaves the
// folder empty, so no mail program can be found at all.
class ProgramaCorreoPrueba
{
public:
    static constexpr int kSinPrograma = -1;

    explicit ProgramaCorreoPrueba(int codigoSalida)
        : m_pathAnterior(qgetenv("PATH"))
    {
        if (codigoSalida != kSinPrograma)
            crearScript(codigoSalida);
        qputenv("PATH", QFile::encodeName(m_carpeta.path()));
    }
    ~ProgramaCorreoPrueba() { qputenv("PATH", m_pathAnterior); }
    ProgramaCorreoPrueba(const ProgramaCorreoPrueba &) = delete;
    ProgramaCorreoPrueba &operator=(const ProgramaCorreoPrueba &) = delete;

    bool seEjecuto() const { return QFile::exists(ficheroArgumentos()); }

    // The arguments of the last run, each as it was received.
    QStringList argumentos() const
    {
        QFile fichero(ficheroArgumentos());
        if (!fichero.open(QIODevice::ReadOnly))
            return {};
        QStringList lista = QString::fromUtf8(fichero.readAll()).split(QChar(u'\0'));
        lista.removeLast(); // after the last terminator
        return lista;
    }

private:
    QString ficheroArgumentos() const { return m_carpeta.filePath(QStringLiteral("argumentos")); }

    void crearScript(int codigoSalida) const
    {
        QFile script(m_carpeta.filePath(QStringLiteral("xdg-email")));
        script.open(QIODevice::WriteOnly);
        script.write(QStringLiteral("#!/bin/sh\nprintf '%s\\0' \"$@\" > '%1'\nexit %2\n")
                             .arg(ficheroArgumentos())
                             .arg(codigoSalida)
                             .toUtf8());
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    QTemporaryDir m_carpeta;
    QByteArray m_pathAnterior;
};
