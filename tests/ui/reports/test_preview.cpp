#include "core/reports/ReportFile.h"
#include "core/reports/ReportListing.h"
#include "support/MensajesGrabados.h"
#include "support/TestAppDirectory.h"
#include "ui/reports/Fpreview.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QSlider>
#include <QTimer>
#include <QtTest>

namespace {

TReportDocument listingOf(int rows, const QString &title = QStringLiteral("Tratamientos 1/2"))
{
    ReportListing listing(title, ReportPageSetup::a4(), {{QStringLiteral("MEDICAMENTO"), 100.0}});
    for (int i = 1; i <= rows; ++i)
        listing.addRow({QStringLiteral("Medicamento %1").arg(i)});
    return listing.document();
}

QString labelText(QWidget *window, const char *name)
{
    return window->findChild<QLabel *>(QLatin1String(name))->text();
}

void click(QWidget *window, const char *name)
{
    QTest::mouseClick(window->findChild<QPushButton *>(QLatin1String(name)), Qt::LeftButton);
}

} // namespace

class TestPreview : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void pagingStaysWithinTheReport();
    void zoomStaysWithinItsRange_data();
    void zoomStaysWithinItsRange();
    void fitShowsTheWholePage();
    void showingASecondReportReplacesTheFirst();
    void savedReportOpensAgain();
    void openDialogLoadsTheChosenReport();
    void foreignFileIsRefusedAndTheReportStays();
    void saveDialogOffersTheFiveFormats();
    void chosenFilterDecidesTheFormat_data();
    void chosenFilterDecidesTheFormat();
    void failedSaveIsReported();
    void mailSendsThePdfNamedAfterTheTitle();
    void mailThatCannotStartIsReported();
    void failedExportIsNotMailed();
    void headerShowsUserAndPharmacyUpperCase();

private:
    std::unique_ptr<TestAppDirectory> m_appDir;
    std::unique_ptr<MensajesGrabados> m_mensajes;
    QStringList errors() const { return m_mensajes->Textos(PresentadorMensajes::TTipo::Error); }
    QList<QStringList> m_mailed;
    bool m_mailStarts = true;
};

void TestPreview::init()
{
    m_appDir = std::make_unique<TestAppDirectory>();
    AppDirectory::setCurrent(m_appDir->directory());
    m_mensajes = std::make_unique<MensajesGrabados>();
    m_mailed.clear();
    m_mailStarts = true;
    TFormPreview::setCorreo(CorreoInforme([this](const QString &program, const QStringList &arguments) {
        m_mailed.append(QStringList {program} + arguments);
        return m_mailStarts;
    }));
}

void TestPreview::cleanup()
{
    for (TFormPreview *preview : TFormPreview::abiertos())
        preview->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    AppDirectory::setCurrent(AppDirectory());
    m_mensajes.reset();
}

void TestPreview::pagingStaysWithinTheReport()
{
    TFormPreview *preview = TFormPreview::Mostrar(listingOf(150));
    const int count = preview->numeroPaginas();
    QVERIFY(count >= 3);
    QCOMPARE(labelText(preview, "lblPaginas"), QString::number(count));
    QCOMPARE(preview->paginaActual(), 1);

    click(preview, "btnAnterior");
    QCOMPARE(preview->paginaActual(), 1);
    click(preview, "btnSiguiente");
    QCOMPARE(preview->paginaActual(), 2);
    QCOMPARE(labelText(preview, "lblPagina"), QStringLiteral("2"));
    click(preview, "btnUltima");
    QCOMPARE(preview->paginaActual(), count);
    click(preview, "btnSiguiente");
    QCOMPARE(preview->paginaActual(), count);
    QCOMPARE(labelText(preview, "lblPagina"), QString::number(count));
    click(preview, "btnPrimera");
    QCOMPARE(preview->paginaActual(), 1);
    preview->irAPagina(-5);
    QCOMPARE(preview->paginaActual(), 1);
}

void TestPreview::zoomStaysWithinItsRange_data()
{
    QTest::addColumn<int>("asked");
    QTest::addColumn<int>("shown");
    QTest::newRow("below") << 5 << 10;
    QTest::newRow("least") << 10 << 10;
    QTest::newRow("between") << 70 << 70;
    QTest::newRow("most") << 130 << 130;
    QTest::newRow("above") << 400 << 130;
}

void TestPreview::zoomStaysWithinItsRange()
{
    QFETCH(int, asked);
    QFETCH(int, shown);
    TFormPreview *preview = TFormPreview::Mostrar(listingOf(3));
    preview->setZoom(asked);
    QCOMPARE(preview->zoom(), shown);
    QCOMPARE(preview->findChild<QSlider *>(QStringLiteral("sliderZoom"))->value(), shown);
    QCOMPARE(labelText(preview, "lblZoom"), QStringLiteral("%1 %").arg(shown));
    // The slider drives the zoom too.
    preview->findChild<QSlider *>(QStringLiteral("sliderZoom"))->setValue(55);
    QCOMPARE(preview->zoom(), 55);
}

void TestPreview::fitShowsTheWholePage()
{
    TFormPreview *preview = TFormPreview::Mostrar(listingOf(3));
    preview->resize(800, 900);
    preview->setZoom(130);
    click(preview, "btnAjustar");
    QVERIFY(preview->zoom() < 130);
    QCOMPARE(preview->findChild<QSlider *>(QStringLiteral("sliderZoom"))->value(), preview->zoom());
    const QSize page = preview->findChild<QLabel *>(QStringLiteral("imgPagina"))->pixmap().size();
    const QSize area = preview->findChild<QScrollArea *>(QStringLiteral("vistaPagina"))->viewport()->size();
    QVERIFY(page.width() <= area.width() && page.height() <= area.height());
}

void TestPreview::showingASecondReportReplacesTheFirst()
{
    QPointer<TFormPreview> first = TFormPreview::Mostrar(listingOf(3, QStringLiteral("PRIMERO")));
    TFormPreview *second = TFormPreview::Mostrar(listingOf(3, QStringLiteral("SEGUNDO")));
    QCOMPARE(TFormPreview::abiertos(), QList<TFormPreview *> {second});
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(first.isNull());
    QCOMPARE(second->informe().title(), QStringLiteral("SEGUNDO"));
}

void TestPreview::savedReportOpensAgain()
{
    const TReportDocument saved = listingOf(150, QStringLiteral("GUARDADO"));
    const QString path = m_appDir->file(QStringLiteral("guardado.qrp"));
    QVERIFY(TFormPreview::Mostrar(saved)->guardarComo(path, ReportFormat::SavedReport));

    TFormPreview *preview = TFormPreview::Mostrar(listingOf(3));
    preview->irAPagina(1);
    QVERIFY(preview->abrirInforme(path));
    QVERIFY(preview->informe().document == saved);
    QCOMPARE(preview->paginaActual(), 1);
    QCOMPARE(labelText(preview, "lblPaginas"), QString::number(preview->numeroPaginas()));
    QVERIFY(preview->numeroPaginas() >= 3);
    QVERIFY(errors().isEmpty());
}

void TestPreview::openDialogLoadsTheChosenReport()
{
    const TReportDocument saved = listingOf(10, QStringLiteral("GUARDADO"));
    const QString path = m_appDir->file(QStringLiteral("GUARDADO.QRP"));
    QVERIFY(TReportFile::save(saved, path).ok());
    TFormPreview *preview = TFormPreview::Mostrar(listingOf(3));
    QStringList filters;
    QTimer::singleShot(0, this, [&] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        filters = dialog->nameFilters();
        dialog->selectFile(path);
        static_cast<QDialog *>(dialog)->accept();
    });
    click(preview, "btnAbrir");
    QCOMPARE(filters, QStringList {QStringLiteral("QuickReport Files (*.QRP *.qrp)")});
    QCOMPARE(preview->informe().title(), QStringLiteral("GUARDADO"));
    QVERIFY(errors().isEmpty());
}

void TestPreview::foreignFileIsRefusedAndTheReportStays()
{
    TFormPreview *preview = TFormPreview::Mostrar(listingOf(150, QStringLiteral("ACTUAL")));
    preview->irAPagina(2);
    const QString path = m_appDir->write(QStringLiteral("ajeno.qrp"), QByteArray("not a report at all"));
    QVERIFY(!preview->abrirInforme(path));
    QCOMPARE(errors().size(), 1);
    QVERIFY(errors().first().contains(QStringLiteral("NO ES UN INFORME")));
    QCOMPARE(preview->informe().title(), QStringLiteral("ACTUAL"));
    QCOMPARE(preview->paginaActual(), 2);
}

void TestPreview::saveDialogOffersTheFiveFormats()
{
    TFormPreview *preview = TFormPreview::Mostrar(listingOf(3));
    QString title;
    QStringList filters;
    QTimer::singleShot(0, this, [&] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        title = dialog->windowTitle();
        filters = dialog->nameFilters();
        dialog->reject();
    });
    click(preview, "btnGuardar");
    QCOMPARE(title, QStringLiteral("Save report"));
    QCOMPARE(filters,
             (QStringList {QStringLiteral("Adobe PDF File (*.pdf)"), QStringLiteral("Excel File (*.xlsx)"),
                           QStringLiteral("Word File (*.rtf)"), QStringLiteral("txt File (*.txt)"),
                           QStringLiteral("QuickReport File (*.qrp)")}));
    QVERIFY(errors().isEmpty());
}

void TestPreview::chosenFilterDecidesTheFormat_data()
{
    QTest::addColumn<int>("filter");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("start");
    QTest::newRow("pdf") << 0 << QStringLiteral("informe.pdf") << QByteArray("%PDF-");
    QTest::newRow("xlsx") << 1 << QStringLiteral("informe.xlsx") << QByteArray("PK");
    QTest::newRow("rtf") << 2 << QStringLiteral("informe.rtf") << QByteArray("{\\rtf1");
    QTest::newRow("txt") << 3 << QStringLiteral("informe.txt") << QByteArray("Tratamientos 1/2");
    QTest::newRow("saved") << 4 << QStringLiteral("informe.qrp") << QByteArray("PASTILLERO REPORT");
}

void TestPreview::chosenFilterDecidesTheFormat()
{
    QFETCH(int, filter);
    QFETCH(QString, file);
    QFETCH(QByteArray, start);
    TFormPreview *preview = TFormPreview::Mostrar(listingOf(3));
    QTimer::singleShot(0, this, [&] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        // Choose the filter as a user does, with the keyboard on the file type list.
        auto *types = dialog->findChild<QComboBox *>(QStringLiteral("fileTypeCombo"));
        QVERIFY(types);
        for (int i = 0; i < filter; ++i)
            QTest::keyClick(types, Qt::Key_Down);
        QCOMPARE(dialog->selectedNameFilter(), dialog->nameFilters().at(filter));
        // A bare name: the extension comes from the chosen format.
        dialog->selectFile(m_appDir->file(QStringLiteral("informe")));
        static_cast<QDialog *>(dialog)->accept(); // through QDialog: QFileDialog hides it
    });
    click(preview, "btnGuardar");
    QVERIFY2(errors().isEmpty(), qPrintable(errors().join(QLatin1Char('\n'))));
    QVERIFY(m_appDir->read(file).startsWith(start));
}

void TestPreview::failedSaveIsReported()
{
    TFormPreview *preview = TFormPreview::Mostrar(listingOf(3));
    QVERIFY(!preview->guardarComo(m_appDir->file(QStringLiteral("missing/informe.pdf")), ReportFormat::Pdf));
    QCOMPARE(errors().size(), 1);
}

void TestPreview::mailSendsThePdfNamedAfterTheTitle()
{
    const QString workingDirectory = QDir::currentPath();
    TFormPreview *preview = TFormPreview::Mostrar(listingOf(3, QStringLiteral("Tratamientos 1/2")));
    QVERIFY(preview->enviarPorCorreo());
    const QString pdf = m_appDir->file(QStringLiteral("temp/Tratamientos 1_2.pdf"));
    QCOMPARE(m_mailed, (QList<QStringList> {{QStringLiteral("xdg-email"), QStringLiteral("--attach"), pdf}}));
    QVERIFY(m_appDir->read(QStringLiteral("temp/Tratamientos 1_2.pdf")).startsWith("%PDF-"));
    QCOMPARE(QDir::currentPath(), workingDirectory);
    QVERIFY(errors().isEmpty());
}

void TestPreview::mailThatCannotStartIsReported()
{
    m_mailStarts = false;
    TFormPreview *preview = TFormPreview::Mostrar(listingOf(3));
    QVERIFY(!preview->enviarPorCorreo());
    // The PDF stays written, and the message says where, to attach it by hand.
    const QString pdf = m_mailed.value(0).value(2);
    QVERIFY(QFile::exists(pdf));
    QCOMPARE(errors().size(), 1);
    QVERIFY(errors().first().contains(QDir::toNativeSeparators(pdf)));
}

void TestPreview::failedExportIsNotMailed()
{
    // A file where the "temp" folder should be: the PDF cannot be written.
    m_appDir->write(QStringLiteral("temp"), QByteArray("in the way"));
    TFormPreview *preview = TFormPreview::Mostrar(listingOf(3));
    QVERIFY(!preview->enviarPorCorreo());
    QVERIFY(m_mailed.isEmpty());
    QCOMPARE(errors().size(), 1);
}

void TestPreview::headerShowsUserAndPharmacyUpperCase()
{
    TFormPreview::setProveedorCabecera([] {
        return TTextosCabecera {QStringLiteral("Ana - Farmacéutico"), QStringLiteral("Luis Gil"),
                                QStringLiteral("Farmacia Sol"), QStringLiteral("Pastillero 2030")};
    });
    TFormPreview *preview = TFormPreview::Mostrar(listingOf(3));
    TFormPreview::setProveedorCabecera({});
    QCOMPARE(labelText(preview, "lblUsuario"), QStringLiteral("ANA - FARMACÉUTICO"));
    QCOMPARE(labelText(preview, "lblTitular"), QStringLiteral("LUIS GIL"));
    QCOMPARE(labelText(preview, "lblFarmacia"), QStringLiteral("FARMACIA SOL"));
}

QTEST_MAIN(TestPreview)
#include "test_preview.moc"
