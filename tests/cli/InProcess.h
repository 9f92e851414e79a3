#pragma once
// The command line's pieces driven in-process: what they write, and the English user's view.

#include <QCoreApplication>
#include <QString>
#include <QTranslator>
#include <cstdio>
#include <gtest/gtest.h>

namespace zelko6::cli {

// Captures what is written to a stream (a meter, a console).
class CapturedStream {
  public:
    CapturedStream() : file_(std::tmpfile()) {}
    ~CapturedStream() { std::fclose(file_); }
    std::FILE *file() const { return file_; }
    QString text() const
    {
        std::fflush(file_);
        std::rewind(file_);
        QByteArray bytes;
        char buf[4096];
        for (size_t n; (n = std::fread(buf, 1, sizeof buf, file_)) > 0;)
            bytes.append(buf, static_cast<qsizetype>(n));
        return QString::fromUtf8(bytes);
    }

  private:
    std::FILE *file_;
};

// The program's English translation in effect for one test, as zelko6-cli --lang en has it.
class InEnglish : public ::testing::Test {
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(english_.load(QStringLiteral("zelko6_en"), QStringLiteral(ZELKO6_BINARY_DIR)));
        QCoreApplication::installTranslator(&english_);
    }
    void TearDown() override { QCoreApplication::removeTranslator(&english_); }

  private:
    QTranslator english_;
};

} // namespace zelko6::cli
