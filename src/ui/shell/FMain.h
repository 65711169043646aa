#pragma once

#include <QMainWindow>

#include <functional>

class QStackedWidget;

// The main window: the caption, and the working area that hosts one screen at a time.
// Closing must be confirmed; once it is, closingConfirmed() lets the owner run the shutdown.
class TFormInicio : public QMainWindow
{
    Q_OBJECT

public:
    using ExitConfirmation = std::function<bool()>;

    explicit TFormInicio(ExitConfirmation confirmExit, QWidget *parent = nullptr);

    QStackedWidget *workingArea() const { return m_workingArea; }

    // Brings the window to the front, restoring it when minimised (a second start asked).
    void bringToFront();

signals:
    void closingConfirmed();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    ExitConfirmation m_confirmExit;
    QStackedWidget *m_workingArea;
    bool m_closing = false;
};
