#include "print_pattern.h"

#include <QDir>
#include <QFile>
#include <QLoggingCategory>
#include <QTemporaryFile>

#include "cups_spooler.h"
#include "print_page.h"

namespace plexaro {

// Why a print failed, for whoever looks into it:
// QT_LOGGING_RULES="plexaro.print.info=true". The user sees one message only.
Q_LOGGING_CATEGORY(lcPrint, "plexaro.print", QtWarningMsg)

PrintResult printPattern(const QImage& image, Spooler& spooler) {
  PrintResult result;
  const std::optional<PrintDestination> destination = spooler.defaultDestination();
  if (!destination) {
    result.diagnostic = "no default printer: " + spooler.lastError();
    return result;
  }
  // A queue that rejects jobs would refuse the job anyway; no need to make
  // the page first.
  if (!destination->acceptingJobs) {
    result.diagnostic = destination->name + " is not accepting jobs";
    return result;
  }

  QTemporaryFile pdf(QDir::tempPath() + QStringLiteral("/plexaro-print-XXXXXX.pdf"));
  const QString title = QString::fromUtf8(kPrintJobTitle);
  if (!pdf.open() ||
      !writePrintPdf(image, &pdf, destination->pageSize, destination->marginsMm, title) ||
      !pdf.flush()) {
    result.diagnostic = "cannot write the page: " + pdf.errorString().toStdString();
    return result;
  }
  pdf.close();  // the file stays until `pdf` goes out of scope

  result.jobId =
      spooler.submit(*destination, QFile::encodeName(pdf.fileName()).toStdString(), kPrintJobTitle);
  result.printed = result.jobId != 0;
  if (!result.printed) result.diagnostic = destination->name + ": " + spooler.lastError();
  return result;
}

PrintResult printPattern(const QImage& image) {
  CupsSpooler cups;
  PrintResult result = printPattern(image, cups);
  if (!result.printed) qCInfo(lcPrint, "not printed: %s", result.diagnostic.c_str());
  return result;
}

}  // namespace plexaro
