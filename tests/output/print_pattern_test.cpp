#include "output/print_pattern.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cstdlib>

#include "output/print_page.h"
#include "support.h"

namespace plexaro {
namespace {

// A print system in memory: what it is asked and what it answers.
class FakeSpooler : public Spooler {
 public:
  std::optional<PrintDestination> destination = PrintDestination{"office", true};
  int jobId = 7;

  struct Job {
    std::string destination, path, title;
    QByteArray pdf;  // the file as it was when submitted
  };
  std::vector<Job> jobs;

  std::optional<PrintDestination> defaultDestination() override { return destination; }
  int submit(const PrintDestination& d, const std::string& path,
             const std::string& title) override {
    QFile f(QString::fromStdString(path));
    jobs.push_back({d.name, path, title, f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray()});
    return jobId;
  }
  std::string lastError() const override { return "client-error-not-possible"; }
};

class Print : public ::testing::Test {
 protected:
  void SetUp() override {
    // The page is made in the temporary folder; keep it to one of our own
    // so that leftovers show.
    ASSERT_TRUE(tmp.isValid());
    const char* old = std::getenv("TMPDIR");
    if (old) oldTmp = old;
    hadTmp = old != nullptr;
    setenv("TMPDIR", tmp.path().toLocal8Bit().constData(), 1);
    image.fill(Qt::black);
    image.setPixel(10, 10, qRgb(255, 0, 0));
  }
  void TearDown() override {
    if (hadTmp)
      setenv("TMPDIR", oldTmp.c_str(), 1);
    else
      unsetenv("TMPDIR");
    EXPECT_EQ(testing::entries(tmp.path()), QStringList()) << "temporary page left behind";
  }

  QTemporaryDir tmp;
  std::string oldTmp;
  bool hadTmp = false;
  QImage image{503, 533, QImage::Format_RGB32};
  FakeSpooler spooler;
};

int count(const QByteArray& pdf, const char* pattern) {
  return static_cast<int>(QString::fromLatin1(pdf).count(QRegularExpression(pattern)));
}

TEST_F(Print, SubmitsOnePdfPageAsAJobNamedPlexaro) {
  spooler.destination->pageSize = QPageSize(QPageSize::Letter);
  const PrintResult r = printPattern(image, spooler);
  EXPECT_TRUE(r.printed);
  EXPECT_EQ(r.jobId, 7);
  ASSERT_EQ(spooler.jobs.size(), 1u);
  const FakeSpooler::Job& job = spooler.jobs[0];
  EXPECT_EQ(job.destination, "office");
  EXPECT_EQ(job.title, "Plexaro");
  EXPECT_TRUE(job.pdf.startsWith("%PDF-")) << job.pdf.left(16).toStdString();
  EXPECT_EQ(count(job.pdf, "/Type\\s*/Page\\b"), 1);
  // On the printer's own paper: Letter is 612 x 792 points.
  EXPECT_EQ(count(job.pdf, "/MediaBox\\s*\\[\\s*0\\s+0\\s+612(\\.0+)?\\s+792(\\.0+)?\\s*\\]"), 1)
      << job.pdf.left(2000).toStdString();
  // Single pixels keep their colours: no JPEG.
  EXPECT_EQ(count(job.pdf, "/Subtype\\s*/Image"), 1);
  EXPECT_EQ(count(job.pdf, "/DCTDecode"), 0);
}

TEST_F(Print, FailsWithoutDestinationRejectingQueueOrRefusedJob) {
  spooler.destination.reset();
  PrintResult r = printPattern(image, spooler);
  EXPECT_FALSE(r.printed);
  EXPECT_TRUE(spooler.jobs.empty());

  spooler.destination = PrintDestination{"office", false};
  r = printPattern(image, spooler);
  EXPECT_FALSE(r.printed);
  EXPECT_TRUE(spooler.jobs.empty());
  EXPECT_NE(r.diagnostic.find("office"), std::string::npos);

  // What a plain printer dialog would report as printed: the spooler took
  // the request but gave no job.
  spooler.destination = PrintDestination{"office", true};
  spooler.jobId = 0;
  r = printPattern(image, spooler);
  EXPECT_FALSE(r.printed);
  EXPECT_EQ(spooler.jobs.size(), 1u);
  EXPECT_NE(r.diagnostic.find("client-error-not-possible"), std::string::npos);
}

TEST(PrintLayout, ImageFitsInsideTheAreaCentred) {
  // Limited by the height: full height, centred across.
  QRectF r = fitCentered(QSizeF(503, 533), QRectF(10, 20, 1000, 533));
  EXPECT_DOUBLE_EQ(r.height(), 533);
  EXPECT_DOUBLE_EQ(r.width(), 503);
  EXPECT_DOUBLE_EQ(r.left(), 10 + (1000 - 503) / 2.0);
  EXPECT_DOUBLE_EQ(r.top(), 20);

  // Limited by the width, scaled up: full width, centred down the page.
  r = fitCentered(QSizeF(503, 533), QRectF(0, 0, 1006, 2000));
  EXPECT_DOUBLE_EQ(r.width(), 1006);
  EXPECT_DOUBLE_EQ(r.height(), 1066);
  EXPECT_DOUBLE_EQ(r.left(), 0);
  EXPECT_DOUBLE_EQ(r.top(), (2000 - 1066) / 2.0);
}

}  // namespace
}  // namespace plexaro
