#pragma once

#include <QDateTime>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <optional>

namespace zerandi::test {

// A CUPS print server of the test's own (configuration, spool and socket in a private folder,
// nothing of the machine's print setup touched) with one CUPS-PDF queue as the default of
// this process, so that the program's print path ends in a PDF file that a test can read.
class CupsPdfQueue {
public:
    CupsPdfQueue() = default;
    ~CupsPdfQueue();
    CupsPdfQueue(const CupsPdfQueue&) = delete;
    CupsPdfQueue& operator=(const CupsPdfQueue&) = delete;

    // Starts the server and adds the queue. Empty when printing to it can be tested; otherwise
    // why not (no CUPS or CUPS-PDF installed, not root, the server would not start) or, for a
    // queue that the server refused, what went wrong.
    struct Outcome {
        QString notRun;
        QString failure;
    };
    Outcome Start();
    void Stop();

    // The PDF that CUPS-PDF made of the job named `title` after every job finished, or
    // nothing when none came out in time. The caller removes it.
    std::optional<QString> WaitForPdf(const QString& title) const;

private:
    bool StartServer();
    bool AddDefaultQueue(QString& failure) const;
    bool JobsPending() const;
    std::optional<QString> NewPdfFor(const QString& title) const;

    std::optional<QTemporaryDir> folder_;
    QProcess server_;
    QString outputFolder_;
    QDateTime startedAt_;
};

// The text of a PDF as pdftotext lays it out: pages end in a form feed.
QString PdfText(const QString& pdfPath);
// The names of the fonts that a PDF uses.
QStringList PdfFonts(const QString& pdfPath);

}  // namespace zerandi::test
