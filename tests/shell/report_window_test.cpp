// File › Export PDF... as a user meets it: offered once a run has completed,
// the report in the window's language on the paper chosen with the file's
// type (kept in the settings), and a write that fails says so and leaves
// nothing behind.

#include "form1_fixture.h"

#include "pdf_reading.h"

#include <QAction>
#include <QDir>
#include <QPdfDocument>

using namespace centrafix;
using test::Form1Test;
using test::PdfPageCount;
using test::PdfPageText;

namespace {

class ReportWindow : public Form1Test {
protected:
    QAction* action(const char* name) { return form->findChild<QAction*>(name); }

    // The example at 0.25 mm a pixel, analysed.
    void analyseInMillimetres()
    {
        open();
        field("txtScale")->setText("0.25");
        field("txtScaleUnit")->setText("mm");
        form->txtScaleUnit_Change();
        analyze();
    }

    double pageWidth(const QString& path)
    {
        QPdfDocument pdf;
        return pdf.load(path) == QPdfDocument::Error::None ? pdf.pagePointSize(0).width() : 0.0;
    }
};

} // namespace

TEST_F(ReportWindow, ExportPdfWritesTheReportOnThePaperChosenAndKeepsIt)
{
    open();
    ASSERT_NE(action("actExportPdf"), nullptr);
    ASSERT_NE(action("actPrint"), nullptr);
    EXPECT_FALSE(action("actExportPdf")->isEnabled()) << "nothing to report before a run";
    EXPECT_FALSE(action("actPrint")->isEnabled());
    form->close();

    analyseInMillimetres();
    EXPECT_TRUE(action("actExportPdf")->isEnabled());
    EXPECT_TRUE(action("actPrint")->isEnabled());
    const QString path = dir.filePath("bericht.pdf");
    form->fileToSave = dir.filePath("bericht");
    form->saveFilterChosen = "PDF, Papier Letter (*.pdf)";
    action("actExportPdf")->trigger();
    ASSERT_TRUE(QFile::exists(path)) << "the extension is added";
    EXPECT_TRUE(form->messages.isEmpty()) << form->messages.join('\n').toStdString();
    EXPECT_TRUE(status().contains("bericht.pdf")) << status().toStdString();
    EXPECT_TRUE(form->saveDialogFilter.contains("PDF, Papier A4 (*.pdf)"));
    EXPECT_NEAR(pageWidth(path), 612.0, 0.5) << "Letter, as chosen";
    EXPECT_GE(PdfPageCount(path), 2) << "page 1 and the plan at true size";
    const QString first = PdfPageText(path, 0).simplified();
    for (const QString& said : {QStringLiteral("Centrafix – Bericht"), QStringLiteral("Ergebnisse"),
                                QStringLiteral("Neutralpunkt x ="), QStringLiteral("Schwerpunktbereich x =")})
        EXPECT_TRUE(first.contains(said)) << said.toStdString() << "\nin\n" << first.toStdString();
    for (int c = 0; c < grid()->columnCount(); ++c)
        EXPECT_TRUE(first.contains(grid()->horizontalHeaderItem(c)->text().simplified())) << c;
    EXPECT_TRUE(first.contains(grid()->item(0, 1)->text())) << "the grid's numbers as shown";
    form->close();
    EXPECT_TRUE(storeBytes().contains("Paper=letter")) << storeBytes().toStdString();

    // Reopened, the dialog offers Letter again; a file that cannot be
    // written is named and nothing is left.
    analyseInMillimetres();
    form->fileToSave = dir.filePath("again.pdf");
    form->saveFilterChosen.clear();
    action("actExportPdf")->trigger();
    EXPECT_NEAR(pageWidth(dir.filePath("again.pdf")), 612.0, 0.5);
    const QStringList before = QDir(dir.path()).entryList(QDir::Files);
    form->fileToSave = dir.filePath("no/such/folder/r.pdf");
    action("actExportPdf")->trigger();
    ASSERT_EQ(form->messages.size(), 1);
    EXPECT_TRUE(form->messages.front().contains("r.pdf")) << form->messages.front().toStdString();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), before);
}
