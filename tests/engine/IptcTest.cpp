// The engine's IPTC: fields exiftool wrote come back (UTF-8 with and without the marker, Windows
// code page text, lists, dates, urgency); what the engine writes, exiftool and the exiv2 program
// read with the datasets, the marker and the record version; .ffo files round-trip.

#include "MetadataTestFiles.h"
#include "engine/EngineError.h"
#include "engine/ImageBox.h"
#include "support/FileBytes.h"
#include "support/Oracles.h"
#include "support/TestImages.h"

#include <QJsonArray>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lumora;
using namespace lumora::test;
using namespace lumora::test::metafiles;

namespace {

class IptcFiles : public ::testing::Test {
protected:
    QTemporaryDir dir;
    ImageBox box;

    QString path(const QString& name) const { return dir.filePath(name); }

    QString jpegWith(const QStringList& exiftoolArguments, const QString& name = QStringLiteral("iptc.jpg"))
    {
        const QString file = path(name);
        makePlainJpeg(file);
        EXPECT_TRUE(exiftoolWrite(file, exiftoolArguments));
        return file;
    }

    QStringList keywords() const
    {
        QStringList all;
        for (int i = 0; i < box.KeywordCount(); ++i)
            all.append(box.Keyword(i));
        return all;
    }
    QStringList categories() const
    {
        QStringList all;
        for (int i = 0; i < box.SupplementalCategoryCount(); ++i)
            all.append(box.SupplementalCategory(i));
        return all;
    }
};

QStringList stringsOf(const QJsonValue& value)
{
    if (!value.isArray())
        return value.isUndefined() ? QStringList() : QStringList{value.toVariant().toString()};
    QStringList all;
    for (const QJsonValue& item : value.toArray())
        all.append(item.toVariant().toString());
    return all;
}

TEST_F(IptcFiles, FieldsExiftoolWroteComeBack)
{
    box.LoadFromFile(jpegWith({QStringLiteral("-charset"), QStringLiteral("iptc=UTF8"),
                               QStringLiteral("-IPTC:CodedCharacterSet=UTF8"),
                               QStringLiteral("-IPTC:Caption-Abstract=Grüße aus Köln"),
                               QStringLiteral("-IPTC:Headline=Ünïcode headline"), QStringLiteral("-IPTC:By-line=Ann"),
                               QStringLiteral("-IPTC:City=Zürich"), QStringLiteral("-IPTC:ObjectName=Title"),
                               QStringLiteral("-IPTC:Keywords=eins"), QStringLiteral("-IPTC:Keywords=zwei"),
                               QStringLiteral("-IPTC:Keywords=drei"), QStringLiteral("-IPTC:SupplementalCategories=Sport"),
                               QStringLiteral("-IPTC:SupplementalCategories=Fußball"), QStringLiteral("-IPTC:Urgency=3"),
                               QStringLiteral("-IPTC:DateCreated=2021:07:04"),
                               QStringLiteral("-IPTC:TimeCreated=10:20:30+02:00"),
                               QStringLiteral("-IPTC:ReferenceDate=1999:12:31")}));
    EXPECT_TRUE(box.HasIptc());
    EXPECT_EQ(box.IptcText(IptcField::Caption), QStringLiteral("Grüße aus Köln"));
    EXPECT_EQ(box.IptcText(IptcField::Headline), QStringLiteral("Ünïcode headline"));
    EXPECT_EQ(box.IptcText(IptcField::ByLine), QStringLiteral("Ann"));
    EXPECT_EQ(box.IptcText(IptcField::City), QStringLiteral("Zürich"));
    EXPECT_EQ(box.IptcText(IptcField::ObjectName), QStringLiteral("Title"));
    EXPECT_EQ(box.IptcText(IptcField::Credit), QString());
    EXPECT_EQ(keywords(), (QStringList{QStringLiteral("eins"), QStringLiteral("zwei"), QStringLiteral("drei")}));
    EXPECT_EQ(box.IptcText(IptcField::Keywords), QStringLiteral("eins, zwei, drei"));
    EXPECT_EQ(categories(), (QStringList{QStringLiteral("Sport"), QStringLiteral("Fußball")}));
    EXPECT_EQ(box.IptcUrgency(), 3);
    EXPECT_EQ(box.IptcDate(IptcField::DateCreated), QDateTime(QDate(2021, 7, 4), QTime(0, 0)));
    EXPECT_EQ(box.IptcDate(IptcField::TimeCreated), QDateTime(QDate(1899, 12, 30), QTime(10, 20, 30)));
    EXPECT_EQ(box.IptcDate(IptcField::ReferenceDate), QDateTime(QDate(1999, 12, 31), QTime(0, 0)));
    EXPECT_EQ(box.IptcDate(IptcField::DateReleased), ImageBox::ZeroDate());
    EXPECT_EQ(box.Keyword(3), QString());
    EXPECT_EQ(box.SupplementalCategory(-1), QString());
}

TEST_F(IptcFiles, TextWithoutTheMarkerIsUtf8WhereValidElseTheWindowsCodePage)
{
    box.LoadFromFile(jpegWith({QStringLiteral("-charset"), QStringLiteral("iptc=Latin"),
                               QStringLiteral("-IPTC:Caption-Abstract=Grüße – 50 €"), QStringLiteral("-IPTC:City=Köln")},
                              QStringLiteral("latin.jpg")));
    ASSERT_TRUE(readBytes(path("latin.jpg")).contains("Gr\xFC\xDF" "e \x96 50 \x80"));
    EXPECT_EQ(box.IptcText(IptcField::Caption), QStringLiteral("Grüße – 50 €"));
    EXPECT_EQ(box.IptcText(IptcField::City), QStringLiteral("Köln"));
    // Written back under the UTF-8 marker, the code page's text moves over to UTF-8.
    box.SaveToFile(path("latin-out.jpg"));
    const QJsonObject seen = exiftoolJson(path("latin-out.jpg"), {QStringLiteral("-IPTC:all")});
    EXPECT_EQ(seen.value(QStringLiteral("IPTC:Caption-Abstract")).toString(), QStringLiteral("Grüße – 50 €"));
    EXPECT_EQ(seen.value(QStringLiteral("IPTC:City")).toString(), QStringLiteral("Köln"));

    box.LoadFromFile(jpegWith({QStringLiteral("-charset"), QStringLiteral("iptc=UTF8"),
                               QStringLiteral("-IPTC:Caption-Abstract=Grüße ohne Marke")},
                              QStringLiteral("unmarked.jpg")));
    EXPECT_EQ(box.IptcText(IptcField::Caption), QStringLiteral("Grüße ohne Marke"));
}

TEST_F(IptcFiles, EveryFieldTheEngineWritesIsReadByTheOtherTools)
{
    box.SetBitmapHandle(gradientPicture(20, 10));
    for (const IptcFieldInfo& info : IptcFields())
        if (info.kind == IptcKind::Text)
            box.SetIptcText(info.field, QStringLiteral("%1 – ä").arg(QLatin1String(info.label)));
    box.SaveToFile(path("all.jpg"));

    // The block as exiftool finds it in the file holds each field as a dataset of its number
    // with the text in UTF-8, unknown numbers included.
    const ToolResult extracted = runTool(QStringLiteral("sh"), {QStringLiteral("-c"),
                                                               QStringLiteral("exiftool -b -IPTC '%1' > '%2'")
                                                                   .arg(path("all.jpg"), path("all.iim"))});
    ASSERT_EQ(extracted.exitCode, 0);
    const QByteArray block = readBytes(path("all.iim"));
    for (const IptcFieldInfo& info : IptcFields()) {
        if (info.kind != IptcKind::Text)
            continue;
        const QByteArray text = QStringLiteral("%1 – ä").arg(QLatin1String(info.label)).toUtf8();
        QByteArray dataset("\x1C\x02", 2);
        dataset += char(info.dataset);
        dataset += char(text.size() >> 8);
        dataset += char(text.size() & 0xFF);
        EXPECT_TRUE(block.contains(dataset + text)) << info.label;
    }
    EXPECT_TRUE(block.contains(QByteArray("\x1C\x02\x00\x00\x02\x00\x04", 7)));  // the record version

    const QJsonObject seen = exiftoolJson(path("all.jpg"), {QStringLiteral("-IPTC:all"), QStringLiteral("-n")});
    EXPECT_EQ(seen.value(QStringLiteral("IPTC:CodedCharacterSet")).toString(), QStringLiteral("\x1B%G"));
    EXPECT_EQ(seen.value(QStringLiteral("IPTC:ApplicationRecordVersion")).toInt(), 4);
    EXPECT_EQ(seen.value(QStringLiteral("IPTC:Caption-Abstract")).toString(), QStringLiteral("Caption – ä"));
    EXPECT_EQ(seen.value(QStringLiteral("IPTC:By-lineTitle")).toString(), QStringLiteral("By Title (Author's Position) – ä"));
    EXPECT_EQ(seen.value(QStringLiteral("IPTC:OriginalTransmissionReference")).toString(),
              QStringLiteral("Original Transmission Reference (OTR) – ä"));
    EXPECT_EQ(exiftoolJson(path("all.jpg"), {QStringLiteral("-u"), QStringLiteral("-IPTC:all")})
                  .value(QStringLiteral("IPTC:IPTC_ApplicationRecord_219"))
                  .toString(),
              QStringLiteral("Custom Field 20 – ä"));

    ImageBox reader;
    reader.LoadFromFile(path("all.jpg"));
    for (const IptcFieldInfo& info : IptcFields()) {
        if (info.kind == IptcKind::Text) {
            EXPECT_EQ(reader.IptcText(info.field), QStringLiteral("%1 – ä").arg(QLatin1String(info.label))) << info.label;
        }
    }
}

TEST_F(IptcFiles, ListsDatesAndUrgencyReachTheFile)
{
    box.SetBitmapHandle(gradientPicture(20, 10));
    box.AddKeyword(QStringLiteral("stale"));
    box.ClearKeywords();
    for (const char* word : {"Berge", "Schnee", "Ski"})
        box.AddKeyword(QString::fromUtf8(word));
    box.AddKeyword(QString());
    box.AddSupplementalCategory(QStringLiteral("Winter"));
    box.AddSupplementalCategory(QStringLiteral("Sport"));
    box.SetIptcUrgency(5);
    box.SetIptcDate(IptcField::DateCreated, QDateTime(QDate(2023, 2, 14), QTime(15, 16, 17)));
    box.SetIptcDate(IptcField::TimeCreated, QDateTime(QDate(2023, 2, 14), QTime(15, 16, 17)));
    box.SetIptcDate(IptcField::DateReleased, QDateTime(QDate(2023, 3, 1), QTime(0, 0)));
    box.SetIptcDate(IptcField::TimeReleased, QDateTime(QDate(1899, 12, 30), QTime(8, 0, 1)));
    EXPECT_EQ(box.KeywordCount(), 3);
    EXPECT_EQ(box.IptcDate(IptcField::DateCreated), QDateTime(QDate(2023, 2, 14), QTime(0, 0)));
    EXPECT_EQ(box.IptcDate(IptcField::TimeCreated), QDateTime(QDate(1899, 12, 30), QTime(15, 16, 17)));
    box.SaveToFile(path("lists.jpg"));

    const QJsonObject seen = exiftoolJson(path("lists.jpg"), {QStringLiteral("-IPTC:all")});
    EXPECT_EQ(stringsOf(seen.value(QStringLiteral("IPTC:Keywords"))),
              (QStringList{QStringLiteral("Berge"), QStringLiteral("Schnee"), QStringLiteral("Ski")}));
    EXPECT_EQ(stringsOf(seen.value(QStringLiteral("IPTC:SupplementalCategories"))),
              (QStringList{QStringLiteral("Winter"), QStringLiteral("Sport")}));
    EXPECT_EQ(seen.value(QStringLiteral("IPTC:DateCreated")).toString(), QStringLiteral("2023:02:14"));
    EXPECT_EQ(seen.value(QStringLiteral("IPTC:TimeCreated")).toString(), QStringLiteral("15:16:17+00:00"));
    EXPECT_EQ(seen.value(QStringLiteral("IPTC:DateSent")).toString(), QString());
    EXPECT_EQ(seen.value(QStringLiteral("IPTC:ReleaseDate")).toString(), QStringLiteral("2023:03:01"));
    EXPECT_EQ(seen.value(QStringLiteral("IPTC:ReleaseTime")).toString(), QStringLiteral("08:00:01+00:00"));
    EXPECT_EQ(exiftoolJson(path("lists.jpg"), {QStringLiteral("-n"), QStringLiteral("-IPTC:Urgency")})
                  .value(QStringLiteral("IPTC:Urgency"))
                  .toInt(),
              5);
    // The raw datasets, as the IIM stores them.
    EXPECT_EQ(exiv2Row(path("lists.jpg"), QStringLiteral("Iptc.Application2.TimeCreated")).value,
              QStringLiteral("15:16:17+00:00"));

    box.SetIptcUrgency(0);
    box.SetIptcDate(IptcField::DateCreated, ImageBox::ZeroDate());
    box.ClearSupplementalCategories();
    EXPECT_EQ(box.IptcUrgency(), 0);
    EXPECT_EQ(box.IptcDate(IptcField::DateCreated), ImageBox::ZeroDate());
    EXPECT_EQ(box.SupplementalCategoryCount(), 0);
    EXPECT_THROW(box.SetIptcUrgency(9), EngineError);
    EXPECT_THROW(box.SetIptcUrgency(-1), EngineError);
    box.SaveToFile(path("fewer.jpg"));
    const QJsonObject fewer = exiftoolJson(path("fewer.jpg"), {QStringLiteral("-IPTC:all")});
    EXPECT_FALSE(fewer.contains(QStringLiteral("IPTC:Urgency")));
    EXPECT_FALSE(fewer.contains(QStringLiteral("IPTC:DateCreated")));
    EXPECT_FALSE(fewer.contains(QStringLiteral("IPTC:SupplementalCategories")));
    EXPECT_TRUE(fewer.contains(QStringLiteral("IPTC:TimeCreated")));
}

TEST_F(IptcFiles, TextSettersReplaceRemoveAndSplitLists)
{
    box.SetBitmapHandle(gradientPicture(4, 4));
    EXPECT_FALSE(box.HasIptc());
    box.SetIptcText(IptcField::Caption, QStringLiteral("first"));
    box.SetIptcText(IptcField::Caption, QStringLiteral("second"));
    EXPECT_TRUE(box.HasIptc());
    EXPECT_EQ(box.IptcText(IptcField::Caption), QStringLiteral("second"));
    box.SetIptcText(IptcField::Keywords, QStringLiteral("a, b ,c"));
    EXPECT_EQ(keywords(), (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));
    box.SetIptcText(IptcField::DateCreated, QStringLiteral("20200131"));
    EXPECT_EQ(box.IptcDate(IptcField::DateCreated), QDateTime(QDate(2020, 1, 31), QTime(0, 0)));
    box.SetIptcText(IptcField::DateCreated, QStringLiteral("not a date"));
    EXPECT_EQ(box.IptcText(IptcField::DateCreated), QStringLiteral("20200131"));
    box.SetIptcText(IptcField::Caption, QString());
    box.SetIptcText(IptcField::Keywords, QString());
    box.SetIptcText(IptcField::DateCreated, QString());
    EXPECT_FALSE(box.HasIptc());
    EXPECT_THROW(box.SetIptcText(static_cast<IptcField>(kIptcFieldCount), QStringLiteral("x")), EngineError);

    box.SetIptcText(IptcField::Credit, QStringLiteral("c"));
    box.ClearIptc();
    EXPECT_FALSE(box.HasIptc());
    EXPECT_EQ(box.IptcText(IptcField::Credit), QString());
    box.SaveToFile(path("none.jpg"));
    EXPECT_TRUE(exiftoolJson(path("none.jpg"), {QStringLiteral("-IPTC:all")}).keys().filter(QStringLiteral("IPTC:")).isEmpty());
}

TEST_F(IptcFiles, TheTableHasEveryFieldOnceWithItsLabelAndDataset)
{
    EXPECT_EQ(IptcFields().size(), std::size_t(kIptcFieldCount));
    QSet<int> datasets;
    for (int i = 0; i < kIptcFieldCount; ++i) {
        const IptcFieldInfo& info = IptcFields()[std::size_t(i)];
        EXPECT_EQ(int(info.field), i);
        EXPECT_FALSE(datasets.contains(info.dataset)) << info.label;
        datasets.insert(info.dataset);
        IptcField found{};
        EXPECT_TRUE(IptcFieldByLabel(QString::fromLatin1(info.label), found));
        EXPECT_EQ(found, info.field);
    }
    IptcField found{};
    EXPECT_FALSE(IptcFieldByLabel(QStringLiteral("caption"), found));
    EXPECT_EQ(IptcFieldInfoOf(IptcField::CustomField20).dataset, 219);
    EXPECT_EQ(QLatin1String(IptcFieldInfoOf(IptcField::CustomField20).label), QLatin1String("Custom Field 20"));
    EXPECT_EQ(IptcFieldInfoOf(IptcField::TimeCreated).dataset, 60);
    EXPECT_EQ(IptcFieldInfoOf(IptcField::ImageNotes).dataset, 230);
}

// --- .ffo files -------------------------------------------------------------------------------

TEST_F(IptcFiles, FfoFilesHoldTheRawDatasetsBothWays)
{
    const QString source = jpegWith({QStringLiteral("-charset"), QStringLiteral("iptc=UTF8"),
                                     QStringLiteral("-IPTC:CodedCharacterSet=UTF8"),
                                     QStringLiteral("-IPTC:Caption-Abstract=Grüße"), QStringLiteral("-IPTC:Keywords=k1"),
                                     QStringLiteral("-IPTC:Keywords=k2"), QStringLiteral("-IPTC:Urgency=2")});
    // exiftool's copy of the block is an .ffo file of another program.
    const ToolResult raw = runTool(QStringLiteral("sh"), {QStringLiteral("-c"),
                                                         QStringLiteral("exiftool -b -IPTC '%1' > '%2'")
                                                             .arg(source, path("exiftool.ffo"))});
    ASSERT_EQ(raw.exitCode, 0);
    box.LoadIptcFromFile(path("exiftool.ffo"));
    EXPECT_EQ(box.IptcText(IptcField::Caption), QStringLiteral("Grüße"));
    EXPECT_EQ(keywords(), (QStringList{QStringLiteral("k1"), QStringLiteral("k2")}));
    EXPECT_EQ(box.IptcUrgency(), 2);

    box.SetIptcText(IptcField::Headline, QStringLiteral("Überschrift"));
    box.SaveIptcToFile(path("engine.ffo"));
    const QByteArray written = readBytes(path("engine.ffo"));
    EXPECT_TRUE(written.startsWith(QByteArray("\x1C\x01\x5A\x00\x03\x1B%G", 8)));
    EXPECT_TRUE(written.contains(QByteArray("\x1C\x02\x00\x00\x02\x00\x04", 7)));

    // Put inside a photo as its IPTC block, the file reads as IPTC to exiftool.
    makePlainJpeg(path("carrier.jpg"));
    writeBytes(path("carrier.jpg"), jpegWithIptcBlock(readBytes(path("carrier.jpg")), written));
    const QJsonObject seen = exiftoolJson(path("carrier.jpg"), {QStringLiteral("-IPTC:all")});
    EXPECT_EQ(seen.value(QStringLiteral("IPTC:Headline")).toString(), QStringLiteral("Überschrift"));
    EXPECT_EQ(seen.value(QStringLiteral("IPTC:Caption-Abstract")).toString(), QStringLiteral("Grüße"));
    EXPECT_EQ(stringsOf(seen.value(QStringLiteral("IPTC:Keywords"))), (QStringList{QStringLiteral("k1"), QStringLiteral("k2")}));

    ImageBox other;
    other.LoadIptcFromFile(path("engine.ffo"));
    EXPECT_EQ(other.IptcText(IptcField::Headline), QStringLiteral("Überschrift"));
    other.SaveIptcToFile(path("again.ffo"));
    EXPECT_EQ(readBytes(path("again.ffo")), written);
}

TEST_F(IptcFiles, AFileThatIsNotIimThrowsAndKeepsTheFields)
{
    box.SetIptcText(IptcField::Caption, QStringLiteral("kept"));
    writeBytes(path("text.ffo"), QByteArray("Caption: not IIM at all\r\n"));
    writeBytes(path("empty.ffo"), QByteArray());
    writeBytes(path("cut.ffo"), QByteArray("\x1C\x02\x78\x00\x20short", 10));
    writeBytes(path("trailing.ffo"), QByteArray("\x1C\x02\x78\x00\x02okJUNK", 11));
    writeBytes(path("record.ffo"), QByteArray("\x1C\x00\x78\x00\x02ok", 7));
    for (const char* name : {"text.ffo", "empty.ffo", "cut.ffo", "trailing.ffo", "record.ffo", "missing.ffo"})
        EXPECT_THROW(box.LoadIptcFromFile(path(QString::fromLatin1(name))), EngineError) << name;
    EXPECT_THROW(box.LoadIptcFromFile(QStringLiteral("/dev/zero")), EngineError) << "endless, read with a bound";
    EXPECT_EQ(box.IptcText(IptcField::Caption), QStringLiteral("kept"));

    writeBytes(path("padded.ffo"), QByteArray("\x1C\x02\x78\x00\x03new\0", 9));
    box.LoadIptcFromFile(path("padded.ffo"));
    EXPECT_EQ(box.IptcText(IptcField::Caption), QStringLiteral("new"));
    EXPECT_THROW(box.SaveIptcToFile(path("no/such/folder/x.ffo")), EngineError);
}

TEST_F(IptcFiles, ADamagedIptcBlockGivesFewerFieldsAndThePhotoStillLoads)
{
    makePlainJpeg(path("plain.jpg"));
    const QByteArray plain = readBytes(path("plain.jpg"));
    const QByteArray good("\x1C\x02\x00\x00\x02\x00\x04\x1C\x02\x69\x00\x04Head", 16);
    const QList<QByteArray> damaged = {
        good + QByteArray("\x1C\x02\x78\x7F\xF0toolong", 12),  // a length past the block
        good + QByteArray("\x1C\x02\x78\x80\x04\xFF\xFF\xFF\xFFx", 10),  // a huge extended length
        good + QByteArray("\x1C\x02\x78\x80\x09", 5),  // a length of nine bytes
        QByteArray("\x01\x02\x03garbage\x1C"),
        good.left(9),
    };
    for (const QByteArray& iim : damaged) {
        writeBytes(path("damaged.jpg"), jpegWithIptcBlock(plain, iim));
        ImageBox reader;
        ASSERT_NO_THROW(reader.LoadFromFile(path("damaged.jpg")));
        EXPECT_EQ(reader.Picture().width(), 32);
        for (const IptcFieldInfo& info : IptcFields())
            (void)reader.IptcText(info.field);
        EXPECT_NO_THROW(reader.SaveToFile(path("resaved.jpg")));
    }
}

}  // namespace
