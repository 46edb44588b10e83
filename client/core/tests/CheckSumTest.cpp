#include "core/CheckSum.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "core/testing/ClientStation.h"

namespace vtx::client {
namespace {

// The check value of `bytes` computed the plain way: line ends skipped,
// summing stops before the first addition that would overflow.
QString referenceCheckValue(const std::string& bytes) {
    qint64 sum = 0;
    qint64 weight = 1;
    for (char byte : bytes) {
        const auto c = static_cast<unsigned char>(byte);
        if (c == '\r' || c == '\n') continue;
        qint64 next = sum + c * (weight % 255);
        if (next > std::numeric_limits<qint32>::max()) break;
        sum = next;
        ++weight;
    }
    return checkValueOf(static_cast<qint32>(sum));
}

TEST(SomaLinhaCheckSum, WeightsRunAcrossLinesAndSkipEvery255th) {
    qint32 sum = 0;
    qint32 weight = 1;
    ASSERT_TRUE(SomaLinhaCheckSum(QStringLiteral("A"), sum, weight));
    EXPECT_EQ(sum, 65);
    ASSERT_TRUE(SomaLinhaCheckSum(QStringLiteral("B"), sum, weight));
    EXPECT_EQ(sum, 65 + 66 * 2);
    EXPECT_EQ(checkValueOf(sum), QStringLiteral("C5"));

    // Characters 1..254 weigh 1..254, the 255th weighs 0, the 256th 1 again.
    sum = 0;
    weight = 1;
    QString line(254, QChar(1));
    line += QStringLiteral("Z");
    line += QChar(1);
    ASSERT_TRUE(SomaLinhaCheckSum(line, sum, weight));
    EXPECT_EQ(sum, 254 * 255 / 2 + 1);
    EXPECT_EQ(weight, 257);
}

TEST(SomaLinhaCheckSum, CountsWindows1252CodesNotUtf8) {
    qint32 sum = 0;
    qint32 weight = 1;
    ASSERT_TRUE(SomaLinhaCheckSum(QStringLiteral("é€"), sum, weight));
    EXPECT_EQ(sum, 0xE9 + 0x80 * 2);
}

TEST(SomaLinhaCheckSum, OverflowStopsBeforeTheOverflowingCharacter) {
    qint32 sum = std::numeric_limits<qint32>::max() - 10;
    qint32 weight = 1;
    EXPECT_FALSE(SomaLinhaCheckSum(QString(QChar(5)) + QStringLiteral("A"), sum, weight));
    EXPECT_EQ(sum, std::numeric_limits<qint32>::max() - 5);  // the 5 was added, the A not
    EXPECT_EQ(weight, 2);
}

TEST(CheckValue, IsTwoUpperCaseHexDigitsOfTheSumModulo255) {
    EXPECT_EQ(checkValueOf(0), QStringLiteral("00"));
    EXPECT_EQ(checkValueOf(10), QStringLiteral("0A"));
    EXPECT_EQ(checkValueOf(254), QStringLiteral("FE"));
    EXPECT_EQ(checkValueOf(255), QStringLiteral("00"));
}

class ValidaCheckSum : public ClientStation {
protected:
    void SetUp() override { useLoadedSettings(); }

    bool validate(const QString& path) {
        return Valida_Check_Sum_Arquivo(path, checkValue_, reporter_);
    }

    QString checkValue_ = QStringLiteral("unset");
};

TEST_F(ValidaCheckSum, AcceptsFilesNamedAfterTheirContent) {
    writeFile("C/Vantrix/UP.S00", "");
    writeFile("C/Vantrix/UP.S41", "A\r\n");
    writeFile("C/Vantrix/LT0001.SC5", "A\r\nB\r\n");
    EXPECT_TRUE(validate(QStringLiteral("C:\\VANTRIX\\UP.S00")));
    EXPECT_EQ(checkValue_, QStringLiteral("00"));
    EXPECT_TRUE(validate(QStringLiteral("C:\\Vantrix\\UP.S41")));
    EXPECT_EQ(checkValue_, QStringLiteral("41"));
    EXPECT_TRUE(validate(QStringLiteral("C:\\Vantrix\\LT0001.SC5")));
    EXPECT_EQ(checkValue_, QStringLiteral("C5"));
    EXPECT_TRUE(dialogs_.messages().empty());
}

TEST_F(ValidaCheckSum, LineBreaksDoNotCount) {
    writeFile("C/Vantrix/A.SC5", "AB");
    writeFile("C/Vantrix/B.SC5", "A\nB\n");
    writeFile("C/Vantrix/C.SC5", "\r\nA\r\n\r\nB");
    EXPECT_TRUE(validate(QStringLiteral("C:\\Vantrix\\A.SC5")));
    EXPECT_TRUE(validate(QStringLiteral("C:\\Vantrix\\B.SC5")));
    EXPECT_TRUE(validate(QStringLiteral("C:\\Vantrix\\C.SC5")));
}

TEST_F(ValidaCheckSum, RejectsOtherValuesAndLowerCaseNames) {
    writeFile("C/Vantrix/LT0001.Sc5", "A\r\nB\r\n");
    writeFile("C/Vantrix/UP.S42", "A\r\n");
    EXPECT_FALSE(validate(QStringLiteral("C:\\Vantrix\\LT0001.Sc5")));
    EXPECT_FALSE(validate(QStringLiteral("C:\\Vantrix\\UP.S42")));
    EXPECT_EQ(checkValue_, QStringLiteral("unset"));
    EXPECT_TRUE(dialogs_.messages().empty());  // a wrong sum is the caller's message
}

TEST_F(ValidaCheckSum, ReadsTheRawBytesOfTheFile) {
    // "é" is one byte (0xE9) on disk: sum 0xE9 = 233, check value E9.
    writeFile("C/Vantrix/MF.SE9", "\xE9");
    EXPECT_TRUE(validate(QStringLiteral("C:\\Vantrix\\MF.SE9")));
}

TEST_F(ValidaCheckSum, MissingFileIsReportedWithTheTrimmedPath) {
    EXPECT_FALSE(validate(QStringLiteral("  C:\\Vantrix\\UP.S00 ")));
    ASSERT_EQ(dialogs_.messages().size(), 1u);
    const MessageRequest& box = dialogs_.messages()[0].request;
    EXPECT_EQ(box.text,
              QStringLiteral("Ocorreu o erro: Arquivo C:\\Vantrix\\UP.S00 não foi encontrado."));
    EXPECT_EQ(box.title, QStringLiteral("ATENÇÃOValida_Check_Sum_Arquivo"));
}

TEST_F(ValidaCheckSum, SumsOnlyUpToTheOverflowingCharacter) {
    // Characters average about 85 x 127, so some 200 000 of them take the sum
    // past 2^31; twice that leaves a long stretch that must not count.
    std::string text;
    for (int i = 0; text.size() < 400000; ++i) {
        text += static_cast<char>('0' + i % 75);
        if (i % 60 == 59) text += "\r\n";
    }
    QString value = referenceCheckValue(text);
    std::string tail = "different tail after the overflow";
    writeFile("C/Vantrix/BIG.S" + value.toStdString(), text);
    writeFile("C/Vantrix/BIG2.S" + value.toStdString(), text + tail);
    EXPECT_TRUE(validate(QStringLiteral("C:\\Vantrix\\BIG.S") + value));
    EXPECT_TRUE(validate(QStringLiteral("C:\\Vantrix\\BIG2.S") + value));

    // The wrapped-around sum of the whole text would name it differently.
    qint64 wrapped = 0;
    qint64 weight = 1;
    for (char byte : text) {
        const auto c = static_cast<unsigned char>(byte);
        if (c == '\r' || c == '\n') continue;
        wrapped += c * (weight++ % 255);
    }
    EXPECT_NE(checkValueOf(static_cast<qint32>(wrapped % 255)), value);
}

}  // namespace
}  // namespace vtx::client
