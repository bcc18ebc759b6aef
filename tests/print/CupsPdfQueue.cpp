#include "print/CupsPdfQueue.h"

#include <pwd.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTextStream>
#include <QThread>

namespace zerandi::test {

namespace {

constexpr const char* kQueueName = "ZerandiPdf";
constexpr const char* kCupsd = "/usr/sbin/cupsd";
constexpr const char* kLpadmin = "/usr/sbin/lpadmin";
constexpr const char* kLpstat = "/usr/bin/lpstat";
constexpr const char* kPdftotext = "/usr/bin/pdftotext";
constexpr const char* kCupsPdfBackend = "/usr/lib/cups/backend/cups-pdf";
constexpr const char* kCupsPdfDriver = "/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd";
constexpr const char* kCupsPdfConfig = "/etc/cups/cups-pdf.conf";
constexpr const char* kPdffonts = "/usr/bin/pdffonts";
// The other renderers turn the program's PDF into PostScript fonts without their Unicode map,
// and the text of the PDF that comes out can no longer be read back.
constexpr const char* kRendererOption = "pdftops-renderer-default=pdftocairo";
// Where CUPS-PDF writes when its configuration names no folder.
constexpr const char* kCupsPdfDefaultOut = "/var/spool/cups-pdf/${USER}";
// The filters run as the lp user, who must reach the spool; a test's own temporary folder may
// lie below folders closed to that user, and a socket path has to stay short.
constexpr const char* kServerFolderTemplate = "/tmp/zerandi-cups-XXXXXX";

constexpr int kToolTimeoutMs = 30000;
constexpr int kServerStartTimeoutMs = 15000;
constexpr int kServerStopTimeoutMs = 10000;
// Ghostscript makes the PDF twice over (the filter chain, then CUPS-PDF).
constexpr int kJobTimeoutMs = 120000;
constexpr int kPollPauseMs = 200;

struct ToolResult {
    bool ok = false;
    QString output;
};

ToolResult RunTool(const QString& program, const QStringList& arguments) {
    QProcess tool;
    tool.setProcessChannelMode(QProcess::MergedChannels);
    tool.start(program, arguments);
    const bool finished = tool.waitForFinished(kToolTimeoutMs);
    const QString output = QString::fromLocal8Bit(tool.readAll());
    return {finished && tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0, output};
}

QString MissingProgram() {
    for (const char* path : {kCupsd, kLpadmin, kLpstat, kPdftotext, kPdffonts, kCupsPdfBackend,
                             kCupsPdfDriver, kCupsPdfConfig}) {
        if (!QFileInfo::exists(QString::fromLatin1(path))) {
            return QString::fromLatin1(path);
        }
    }
    return {};
}

bool WriteText(const QString& path, const QString& text) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Text) &&
           file.write(text.toUtf8()) == text.toUtf8().size();
}

// CUPS-PDF's "Out" folder with ${HOME} and ${USER} of the user who prints.
QString CupsPdfOutputFolder() {
    QString folder = QString::fromLatin1(kCupsPdfDefaultOut);
    QFile config(QString::fromLatin1(kCupsPdfConfig));
    if (config.open(QIODevice::ReadOnly | QIODevice::Text)) {
        static const QRegularExpression outLine(QStringLiteral(R"(^\s*Out\s+(\S.*?)\s*$)"));
        QTextStream lines(&config);
        while (!lines.atEnd()) {
            const QRegularExpressionMatch match = outLine.match(lines.readLine());
            if (match.hasMatch()) {
                folder = match.captured(1);
            }
        }
    }
    const passwd* user = getpwuid(geteuid());
    if (user != nullptr) {
        folder.replace(QStringLiteral("${HOME}"), QString::fromLocal8Bit(user->pw_dir));
        folder.replace(QStringLiteral("${USER}"), QString::fromLocal8Bit(user->pw_name));
    }
    return folder;
}

}  // namespace

CupsPdfQueue::~CupsPdfQueue() {
    Stop();
}

CupsPdfQueue::Outcome CupsPdfQueue::Start() {
    if (const QString missing = MissingProgram(); !missing.isEmpty()) {
        return {
            QStringLiteral("CUPS, CUPS-PDF or poppler-utils is not installed (no %1)").arg(missing),
            {}};
    }
    if (geteuid() != 0) {
        return {QStringLiteral("CUPS-PDF writes files only for a print server run as root"), {}};
    }
    if (!StartServer()) {
        Stop();
        return {QStringLiteral("the CUPS print server did not start: %1")
                    .arg(QString::fromLocal8Bit(server_.readAll())),
                {}};
    }
    QString failure;
    if (!AddDefaultQueue(failure)) {
        return {{}, failure};
    }
    outputFolder_ = CupsPdfOutputFolder();
    startedAt_ = QDateTime::currentDateTime();
    return {};
}

bool CupsPdfQueue::StartServer() {
    folder_.emplace(QString::fromLatin1(kServerFolderTemplate));
    if (!folder_->isValid()) {
        return false;
    }
    const QDir folder(folder_->path());
    QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                             QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther |
                                             QFile::ExeOther);
    const QString socket = folder.filePath(QStringLiteral("cups.sock"));
    const QString serverConfig = folder.filePath(QStringLiteral("cupsd.conf"));
    const QString filesConfig = folder.filePath(QStringLiteral("cups-files.conf"));
    const bool written =
        WriteText(serverConfig, QStringLiteral("Listen %1\n"
                                               "LogLevel warn\n"
                                               "Browsing No\n"
                                               "WebInterface No\n"
                                               // Only this process reaches the socket.
                                               "<Policy default>\n"
                                               "  JobPrivateAccess all\n"
                                               "  JobPrivateValues none\n"
                                               "  SubscriptionPrivateAccess all\n"
                                               "  SubscriptionPrivateValues none\n"
                                               "  <Limit All>\n"
                                               "    Order deny,allow\n"
                                               "  </Limit>\n"
                                               "</Policy>\n")
                                    .arg(socket)) &&
        WriteText(filesConfig, QStringLiteral("ServerRoot %1\n"
                                              "RequestRoot %1/spool\n"
                                              "CacheDir %1/cache\n"
                                              "StateDir %1/state\n"
                                              "TempDir %1/spool\n"
                                              "ErrorLog %1/error_log\n"
                                              "AccessLog %1/access_log\n"
                                              "PageLog %1/page_log\n"
                                              "ServerBin /usr/lib/cups\n"
                                              "DataDir /usr/share/cups\n")
                                   .arg(folder.path()));
    const bool madeFolders = folder.mkdir(QStringLiteral("spool")) &&
                             folder.mkdir(QStringLiteral("cache")) &&
                             folder.mkdir(QStringLiteral("state"));
    if (!written || !madeFolders) {
        return false;
    }
    // Every CUPS client of this process (the Qt print plugin, lpadmin, lpstat) talks to this
    // server and prints to its queue, whatever the machine's own print setup says.
    qputenv("CUPS_SERVER", socket.toLocal8Bit());
    qputenv("LPDEST", kQueueName);
    qunsetenv("PRINTER");
    server_.setProcessChannelMode(QProcess::MergedChannels);
    server_.start(QString::fromLatin1(kCupsd), {QStringLiteral("-f"), QStringLiteral("-c"),
                                                serverConfig, QStringLiteral("-s"), filesConfig});
    if (!server_.waitForStarted(kServerStartTimeoutMs)) {
        return false;
    }
    QDeadlineTimer deadline(kServerStartTimeoutMs);
    // lpstat succeeds either way and says which.
    while (RunTool(QString::fromLatin1(kLpstat), {QStringLiteral("-r")}).output.trimmed() !=
           QStringLiteral("scheduler is running")) {
        if (deadline.hasExpired() || server_.state() != QProcess::Running) {
            return false;
        }
        QThread::msleep(kPollPauseMs);
    }
    return true;
}

bool CupsPdfQueue::AddDefaultQueue(QString& failure) const {
    const QString queue = QString::fromLatin1(kQueueName);
    const QString lpadmin = QString::fromLatin1(kLpadmin);
    const ToolResult added =
        RunTool(lpadmin, {QStringLiteral("-p"), queue, QStringLiteral("-E"), QStringLiteral("-v"),
                          QStringLiteral("cups-pdf:/"), QStringLiteral("-P"),
                          QString::fromLatin1(kCupsPdfDriver), QStringLiteral("-o"),
                          QString::fromLatin1(kRendererOption)});
    const ToolResult madeDefault = RunTool(lpadmin, {QStringLiteral("-d"), queue});
    if (!added.ok || !madeDefault.ok) {
        failure = QStringLiteral("lpadmin could not add the CUPS-PDF queue: %1%2")
                      .arg(added.output, madeDefault.output);
        return false;
    }
    return true;
}

void CupsPdfQueue::Stop() {
    if (server_.state() == QProcess::NotRunning) {
        return;
    }
    server_.terminate();
    if (!server_.waitForFinished(kServerStopTimeoutMs)) {
        server_.kill();
        server_.waitForFinished(kServerStopTimeoutMs);
    }
}

bool CupsPdfQueue::JobsPending() const {
    const ToolResult jobs = RunTool(QString::fromLatin1(kLpstat), {QStringLiteral("-o")});
    return !jobs.ok || !jobs.output.trimmed().isEmpty();
}

std::optional<QString> CupsPdfQueue::WaitForPdf(const QString& title) const {
    QDeadlineTimer deadline(kJobTimeoutMs);
    while (JobsPending()) {
        if (deadline.hasExpired()) {
            return std::nullopt;
        }
        QThread::msleep(kPollPauseMs);
    }
    return NewPdfFor(title);
}

// CUPS-PDF names its file after the job title.
std::optional<QString> CupsPdfQueue::NewPdfFor(const QString& title) const {
    const QDir output(outputFolder_);
    const QString stem = QFileInfo(title).completeBaseName();
    for (const QFileInfo& file :
         output.entryInfoList({stem + QStringLiteral("*.pdf")}, QDir::Files, QDir::Time)) {
        if (file.lastModified() >= startedAt_) {
            return file.filePath();
        }
    }
    return std::nullopt;
}

QString PdfText(const QString& pdfPath) {
    return RunTool(QString::fromLatin1(kPdftotext),
                   {QStringLiteral("-layout"), pdfPath, QStringLiteral("-")})
        .output;
}

// pdffonts lists a header of two lines, then one font a line, its name first.
QStringList PdfFonts(const QString& pdfPath) {
    const QStringList lines =
        RunTool(QString::fromLatin1(kPdffonts), {pdfPath}).output.split(QLatin1Char('\n'));
    QStringList names;
    for (qsizetype i = 2; i < lines.size(); ++i) {
        const QString name = lines[i].section(QLatin1Char(' '), 0, 0, QString::SectionSkipEmpty);
        if (!name.isEmpty()) {
            names << name;
        }
    }
    return names;
}

}  // namespace zerandi::test
