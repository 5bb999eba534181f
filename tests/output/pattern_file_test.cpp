#include "output/pattern_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include "support.h"

namespace plexaro {
namespace {

using testing::entries;

QByteArray readAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

class SaveFolder : public ::testing::Test {
 protected:
  std::string dir() const { return tmp.path().toStdString(); }
  QString at(const QString& name) const { return tmp.filePath(name); }

  QTemporaryDir tmp;
};

TEST_F(SaveFolder, TakesTheFirstGapOfTheSeries) {
  ASSERT_TRUE(tmp.isValid());
  EXPECT_EQ(patternName(1), "pattern1.bmp");
  EXPECT_EQ(patternName(12), "pattern12.bmp");

  SaveResult r = savePatternBytes(dir(), "first");
  EXPECT_TRUE(r.saved);
  EXPECT_EQ(r.name, "pattern1.bmp");

  writeFile(at("pattern2.bmp"), "two");
  r = savePatternBytes(dir(), "third");
  EXPECT_EQ(r.name, "pattern3.bmp");

  // Only pattern2 left: the gap at 1 comes first.
  ASSERT_TRUE(QFile::remove(at("pattern1.bmp")));
  ASSERT_TRUE(QFile::remove(at("pattern3.bmp")));
  r = savePatternBytes(dir(), "again");
  EXPECT_TRUE(r.saved);
  EXPECT_EQ(r.name, "pattern1.bmp");

  EXPECT_EQ(readAll(at("pattern1.bmp")), "again");
  EXPECT_EQ(readAll(at("pattern2.bmp")), "two");
  // Nothing but the pattern files: no temporary left behind.
  EXPECT_EQ(entries(tmp.path()), QStringList({"pattern1.bmp", "pattern2.bmp"}));
}

TEST_F(SaveFolder, PassesOverNamesThatExistButCannotBeRead) {
  // A folder of that name, a link to nowhere, a file nobody may read: none
  // is free, and none may be written through or over.
  ASSERT_TRUE(QDir(tmp.path()).mkpath("pattern1.bmp/inside"));
  ASSERT_EQ(::symlink("missing-target", at("pattern2.bmp").toLocal8Bit().constData()), 0);
  writeFile(at("pattern3.bmp"), "private");
  ASSERT_EQ(::chmod(at("pattern3.bmp").toLocal8Bit().constData(), 0), 0);

  EXPECT_EQ(probePatternName(dir(), 1), NameState::Taken);
  EXPECT_EQ(probePatternName(dir(), 2), NameState::Taken);
  EXPECT_EQ(probePatternName(dir(), 3), NameState::Taken);
  EXPECT_EQ(probePatternName(dir(), 4), NameState::Free);

  const SaveResult r = savePatternBytes(dir(), "new");
  EXPECT_TRUE(r.saved);
  EXPECT_EQ(r.name, "pattern4.bmp");

  EXPECT_EQ(entries(at("pattern1.bmp")), QStringList({"inside"}));
  EXPECT_FALSE(QFile::exists(at("missing-target")));  // the link was not followed
  EXPECT_EQ(QFile::symLinkTarget(at("pattern2.bmp")), at("missing-target"));
  ::chmod(at("pattern3.bmp").toLocal8Bit().constData(), 0600);
  EXPECT_EQ(readAll(at("pattern3.bmp")), "private");
  EXPECT_EQ(readAll(at("pattern4.bmp")), "new");
}

TEST_F(SaveFolder, NewFileGetsTheUsualPermissions) {
  // Written through a private temporary, the file must still end up with
  // the mode any new file of the user gets.
  const mode_t old = ::umask(022);
  const SaveResult r = savePatternBytes(dir(), "bytes");
  ::umask(old);
  ASSERT_TRUE(r.saved);
  struct stat st {};
  ASSERT_EQ(::stat(at("pattern1.bmp").toLocal8Bit().constData(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0644u);
}

TEST_F(SaveFolder, FailureWritesNothingAndNamesTheFile) {
  // A folder that is not there.
  SaveResult r = savePatternBytes(dir() + "/gone", "bytes");
  EXPECT_FALSE(r.saved);
  EXPECT_EQ(r.name, "pattern1.bmp");
  EXPECT_NE(r.error, 0);

  // An image that cannot be encoded is not saved as an empty file.
  writeFile(at("pattern1.bmp"), "one");
  r = savePattern(QImage(), dir());
  EXPECT_FALSE(r.saved);
  EXPECT_EQ(r.name, "pattern2.bmp");
  EXPECT_EQ(entries(tmp.path()), QStringList({"pattern1.bmp"}));
}

// A full or read-only file system: see output_window_test.cpp.

// --- the bitmap ------------------------------------------------------------------

TEST(Bitmap, IsAnUncompressed24BitImageOfTheCanvas) {
  // Asymmetric colours: red and blue swapped would show.
  QImage image(503, 533, QImage::Format_RGB32);
  image.fill(Qt::black);
  image.setPixel(0, 0, qRgb(255, 0, 0));
  image.setPixel(502, 0, qRgb(0, 0, 255));
  image.setPixel(0, 532, qRgb(1, 2, 3));
  image.setPixel(251, 266, qRgb(200, 100, 50));

  const QByteArray bmp = encodeBmp(image);
  ASSERT_GT(bmp.size(), 54);
  const auto* h = reinterpret_cast<const uchar*>(bmp.constData());
  EXPECT_EQ(bmp.left(2), "BM");
  EXPECT_EQ(qFromLittleEndian<quint32>(h + 2), quint32(bmp.size()));
  EXPECT_EQ(qFromLittleEndian<qint32>(h + 18), 503);
  EXPECT_EQ(qFromLittleEndian<qint32>(h + 22), 533);
  EXPECT_EQ(qFromLittleEndian<quint16>(h + 28), 24);  // bits per pixel
  EXPECT_EQ(qFromLittleEndian<quint32>(h + 30), 0u);  // no compression

  QImage back;
  ASSERT_TRUE(back.loadFromData(bmp, "BMP"));
  EXPECT_EQ(back.convertToFormat(QImage::Format_RGB32), image);

  // Whatever format the image comes in, the file is 24-bit.
  const QByteArray fromAlpha = encodeBmp(image.convertToFormat(QImage::Format_ARGB32));
  EXPECT_EQ(qFromLittleEndian<quint16>(reinterpret_cast<const uchar*>(fromAlpha.constData()) + 28),
            24);
}

}  // namespace
}  // namespace plexaro
