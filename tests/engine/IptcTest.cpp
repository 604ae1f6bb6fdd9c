// The engine's IPTC: fields exiftool wrote come back (UTF-8 with and without the marker, Windows
// code page text, lists, dates, urgency); what the engine writes, exiftool and the exiv2 program
// read with the datasets, the marker and the record version; .ffo files round-trip.

#include "MetadataTestFiles.h"

#include <QJsonArray>

using namespace lumora;
using namespace lumora::test;
using namespace lumora::test::metafiles;

namespace {

class IptcFiles : public MetadataFiles {
protected:
    QString jpegWith(const QStringList& exiftoolArguments, const QString& name = "iptc.jpg")
    {
        makePlainJpeg(path(name));
        EXPECT_TRUE(exiftoolWrite(path(name), exiftoolArguments));
        return path(name);
    }
    // exiftool's copy of a photo's IPTC block: the raw datasets.
    QByteArray iimBlock(const QString& photo)
    {
        const QString block = photo + ".iim";
        EXPECT_EQ(runTool("sh", {"-c", QStringLiteral("exiftool -b -IPTC '%1' > '%2'").arg(photo, block)}).exitCode, 0);
        return readBytes(block);
    }
    QStringList keywords() const
    {
        QStringList all;
        for (int i = 0; i < box.KeywordCount(); ++i)
            all.append(box.Keyword(i));
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
    box.LoadFromFile(jpegWith({"-charset", "iptc=UTF8", "-IPTC:CodedCharacterSet=UTF8",
                               "-IPTC:Caption-Abstract=Grüße aus Köln", "-IPTC:Headline=Ünïcode headline",
                               "-IPTC:By-line=Ann", "-IPTC:City=Zürich", "-IPTC:ObjectName=Title", "-IPTC:Keywords=eins",
                               "-IPTC:Keywords=zwei", "-IPTC:Keywords=drei", "-IPTC:SupplementalCategories=Sport",
                               "-IPTC:SupplementalCategories=Fußball", "-IPTC:Urgency=3", "-IPTC:DateCreated=2021:07:04",
                               "-IPTC:TimeCreated=10:20:30+02:00", "-IPTC:ReferenceDate=1999:12:31"}));
    EXPECT_TRUE(box.HasIptc());
    // Each text under its dataset number: lists joined, dates and times as the IIM stores them.
    EXPECT_EQ(iptcTextsOf(box), (std::vector<std::string>{"120=Grüße aus Köln", "105=Ünïcode headline",
                                                          "25=eins, zwei, drei", "20=Sport, Fußball", "80=Ann",
                                                          "5=Title", "90=Zürich", "55=20210704", "47=19991231",
                                                          "60=102030+0200"}));
    EXPECT_EQ(keywords(), (QStringList{"eins", "zwei", "drei"}));
    ASSERT_EQ(box.SupplementalCategoryCount(), 2);
    EXPECT_EQ(box.SupplementalCategory(1), "Fußball");
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
    box.LoadFromFile(jpegWith({"-charset", "iptc=Latin", "-IPTC:Caption-Abstract=Grüße – 50 €", "-IPTC:City=Köln"},
                              "latin.jpg"));
    ASSERT_TRUE(readBytes(path("latin.jpg")).contains("Gr\xFC\xDF" "e \x96 50 \x80"));
    EXPECT_EQ(box.IptcText(IptcField::Caption), "Grüße – 50 €");
    EXPECT_EQ(box.IptcText(IptcField::City), "Köln");
    // Written back under the UTF-8 marker, the code page's text moves over to UTF-8.
    box.SaveToFile(path("latin-out.jpg"));
    const QJsonObject seen = exiftoolJson(path("latin-out.jpg"), {"-IPTC:all"});
    EXPECT_EQ(seen.value("IPTC:Caption-Abstract").toString(), "Grüße – 50 €");
    EXPECT_EQ(seen.value("IPTC:City").toString(), "Köln");

    box.LoadFromFile(jpegWith({"-charset", "iptc=UTF8", "-IPTC:Caption-Abstract=Grüße ohne Marke"}, "unmarked.jpg"));
    EXPECT_EQ(box.IptcText(IptcField::Caption), "Grüße ohne Marke");
}

TEST_F(IptcFiles, EveryFieldTheEngineWritesIsReadByTheOtherTools)
{
    const auto textOf = [](const IptcFieldInfo& info) { return QStringLiteral("%1 – ä").arg(QLatin1String(info.label)); };
    box.SetBitmapHandle(gradientPicture(20, 10));
    for (const IptcFieldInfo& info : IptcFields())
        if (info.kind == IptcKind::Text)
            box.SetIptcText(info.field, textOf(info));
    box.SaveToFile(path("all.jpg"));

    // The block holds each field as a dataset of its number with the text in UTF-8, unknown
    // numbers included, and the record version.
    const QByteArray block = iimBlock(path("all.jpg"));
    EXPECT_TRUE(block.contains(QByteArray("\x1C\x02\x00\x00\x02\x00\x04", 7)));
    ImageBox reader;
    reader.LoadFromFile(path("all.jpg"));
    for (const IptcFieldInfo& info : IptcFields()) {
        if (info.kind != IptcKind::Text)
            continue;
        const QByteArray text = textOf(info).toUtf8();
        const QByteArray dataset =
            QByteArray("\x1C\x02", 2) + char(info.dataset) + char(text.size() >> 8) + char(text.size());
        EXPECT_TRUE(block.contains(dataset + text)) << info.label;
    }
    EXPECT_EQ(iptcTextsOf(reader), iptcTextsOf(box));

    // exiftool's names for a few of the datasets.
    const QJsonObject seen = exiftoolJson(path("all.jpg"), {"-u", "-IPTC:all", "-n"});
    EXPECT_EQ(seen.value("IPTC:CodedCharacterSet").toString(), "\x1B%G");
    EXPECT_EQ(seen.value("IPTC:ApplicationRecordVersion").toInt(), 4);
    const std::pair<IptcField, const char*> named[] = {
        {IptcField::Caption, "IPTC:Caption-Abstract"},
        {IptcField::ByLineTitle, "IPTC:By-lineTitle"},
        {IptcField::OriginalTransmissionReference, "IPTC:OriginalTransmissionReference"},
        {IptcField::CustomField20, "IPTC:IPTC_ApplicationRecord_219"}};
    for (const auto& [field, name] : named)
        EXPECT_EQ(seen.value(name).toString(), textOf(IptcFieldInfoOf(field))) << name;
}

TEST_F(IptcFiles, ListsDatesAndUrgencyReachTheFile)
{
    box.SetBitmapHandle(gradientPicture(20, 10));
    box.AddKeyword("stale");
    box.ClearKeywords();
    for (const char* word : {"Berge", "Schnee", "Ski", ""})
        box.AddKeyword(word);
    box.AddSupplementalCategory("Winter");
    box.AddSupplementalCategory("Sport");
    box.SetIptcUrgency(5);
    box.SetIptcDate(IptcField::DateCreated, QDateTime(QDate(2023, 2, 14), QTime(15, 16, 17)));
    box.SetIptcDate(IptcField::TimeCreated, QDateTime(QDate(2023, 2, 14), QTime(15, 16, 17)));
    box.SetIptcDate(IptcField::DateReleased, QDateTime(QDate(2023, 3, 1), QTime(0, 0)));
    box.SetIptcDate(IptcField::TimeReleased, QDateTime(QDate(1899, 12, 30), QTime(8, 0, 1)));
    EXPECT_EQ(box.KeywordCount(), 3);
    EXPECT_EQ(box.IptcDate(IptcField::DateCreated), QDateTime(QDate(2023, 2, 14), QTime(0, 0)));
    EXPECT_EQ(box.IptcDate(IptcField::TimeCreated), QDateTime(QDate(1899, 12, 30), QTime(15, 16, 17)));
    box.SaveToFile(path("lists.jpg"));

    const QJsonObject seen = exiftoolJson(path("lists.jpg"), {"-IPTC:all"});
    EXPECT_EQ(stringsOf(seen.value("IPTC:Keywords")), (QStringList{"Berge", "Schnee", "Ski"}));
    EXPECT_EQ(stringsOf(seen.value("IPTC:SupplementalCategories")), (QStringList{"Winter", "Sport"}));
    EXPECT_EQ(seen.value("IPTC:DateCreated").toString(), "2023:02:14");
    EXPECT_EQ(seen.value("IPTC:TimeCreated").toString(), "15:16:17+00:00");
    EXPECT_EQ(seen.value("IPTC:DateSent").toString(), QString());
    EXPECT_EQ(seen.value("IPTC:ReleaseDate").toString(), "2023:03:01");
    EXPECT_EQ(seen.value("IPTC:ReleaseTime").toString(), "08:00:01+00:00");
    EXPECT_EQ(exiftoolJson(path("lists.jpg"), {"-n", "-IPTC:Urgency"}).value("IPTC:Urgency").toInt(), 5);
    // The raw dataset, as the IIM stores it.
    EXPECT_EQ(exiv2Row(path("lists.jpg"), "Iptc.Application2.TimeCreated").value, "15:16:17+00:00");

    box.SetIptcUrgency(0);
    box.SetIptcDate(IptcField::DateCreated, ImageBox::ZeroDate());
    box.ClearSupplementalCategories();
    EXPECT_EQ(box.IptcUrgency(), 0);
    EXPECT_EQ(box.IptcDate(IptcField::DateCreated), ImageBox::ZeroDate());
    EXPECT_EQ(box.SupplementalCategoryCount(), 0);
    EXPECT_THROW(box.SetIptcUrgency(9), EngineError);
    EXPECT_THROW(box.SetIptcUrgency(-1), EngineError);
    box.SaveToFile(path("fewer.jpg"));
    const QJsonObject fewer = exiftoolJson(path("fewer.jpg"), {"-IPTC:all"});
    EXPECT_FALSE(fewer.contains("IPTC:Urgency"));
    EXPECT_FALSE(fewer.contains("IPTC:DateCreated"));
    EXPECT_FALSE(fewer.contains("IPTC:SupplementalCategories"));
    EXPECT_TRUE(fewer.contains("IPTC:TimeCreated"));
}

TEST_F(IptcFiles, TextSettersReplaceRemoveAndSplitLists)
{
    box.SetBitmapHandle(gradientPicture(4, 4));
    EXPECT_FALSE(box.HasIptc());
    box.SetIptcText(IptcField::Caption, "first");
    box.SetIptcText(IptcField::Caption, "second");
    EXPECT_TRUE(box.HasIptc());
    EXPECT_EQ(box.IptcText(IptcField::Caption), "second");
    box.SetIptcText(IptcField::Keywords, "a, b ,c");
    EXPECT_EQ(keywords(), (QStringList{"a", "b", "c"}));
    box.SetIptcText(IptcField::DateCreated, "20200131");
    EXPECT_EQ(box.IptcDate(IptcField::DateCreated), QDateTime(QDate(2020, 1, 31), QTime(0, 0)));
    box.SetIptcText(IptcField::DateCreated, "not a date");
    EXPECT_EQ(box.IptcText(IptcField::DateCreated), "20200131");
    for (const IptcField field : {IptcField::Caption, IptcField::Keywords, IptcField::DateCreated})
        box.SetIptcText(field, QString());
    EXPECT_FALSE(box.HasIptc());
    EXPECT_THROW(box.SetIptcText(static_cast<IptcField>(kIptcFieldCount), "x"), EngineError);

    box.SetIptcText(IptcField::Credit, "c");
    box.ClearIptc();
    EXPECT_FALSE(box.HasIptc());
    EXPECT_EQ(box.IptcText(IptcField::Credit), QString());
    box.SaveToFile(path("none.jpg"));
    EXPECT_TRUE(exiftoolJson(path("none.jpg"), {"-IPTC:all"}).keys().filter("IPTC:").isEmpty());
}

TEST(IptcTable, EveryFieldHasItsOwnDatasetAndIsFoundByItsLabel)
{
    QSet<int> datasets;
    for (int i = 0; i < kIptcFieldCount; ++i) {
        const IptcFieldInfo& info = IptcFields()[std::size_t(i)];
        EXPECT_EQ(int(info.field), i);
        EXPECT_FALSE(datasets.contains(info.dataset)) << info.label;
        datasets.insert(info.dataset);
        IptcField found{};
        EXPECT_TRUE(IptcFieldByLabel(info.label, found));
        EXPECT_EQ(found, info.field);
    }
    IptcField found{};
    EXPECT_FALSE(IptcFieldByLabel("caption", found));
    EXPECT_EQ(IptcFieldInfoOf(IptcField::TimeCreated).dataset, 60);
    EXPECT_EQ(IptcFieldInfoOf(IptcField::ImageNotes).dataset, 230);
}

// --- .ffo files -------------------------------------------------------------------------------

TEST_F(IptcFiles, FfoFilesHoldTheRawDatasetsBothWays)
{
    const QString source = jpegWith({"-charset", "iptc=UTF8", "-IPTC:CodedCharacterSet=UTF8",
                                     "-IPTC:Caption-Abstract=Grüße", "-IPTC:Keywords=k1", "-IPTC:Keywords=k2",
                                     "-IPTC:Urgency=2"});
    // exiftool's copy of the block is an .ffo file of another program.
    writeBytes(path("exiftool.ffo"), iimBlock(source));
    box.LoadIptcFromFile(path("exiftool.ffo"));
    EXPECT_EQ(box.IptcText(IptcField::Caption), "Grüße");
    EXPECT_EQ(keywords(), (QStringList{"k1", "k2"}));
    EXPECT_EQ(box.IptcUrgency(), 2);

    box.SetIptcText(IptcField::Headline, "Überschrift");
    box.SaveIptcToFile(path("engine.ffo"));
    const QByteArray written = readBytes(path("engine.ffo"));
    EXPECT_TRUE(written.startsWith(QByteArray("\x1C\x01\x5A\x00\x03\x1B%G", 8)));
    EXPECT_TRUE(written.contains(QByteArray("\x1C\x02\x00\x00\x02\x00\x04", 7)));

    // Put inside a photo as its IPTC block, the file reads as IPTC to exiftool.
    makePlainJpeg(path("carrier.jpg"));
    writeBytes(path("carrier.jpg"), jpegWithIptcBlock(readBytes(path("carrier.jpg")), written));
    const QJsonObject seen = exiftoolJson(path("carrier.jpg"), {"-IPTC:all"});
    EXPECT_EQ(seen.value("IPTC:Headline").toString(), "Überschrift");
    EXPECT_EQ(seen.value("IPTC:Caption-Abstract").toString(), "Grüße");
    EXPECT_EQ(stringsOf(seen.value("IPTC:Keywords")), (QStringList{"k1", "k2"}));

    ImageBox other;
    other.LoadIptcFromFile(path("engine.ffo"));
    EXPECT_EQ(other.IptcText(IptcField::Headline), "Überschrift");
    other.SaveIptcToFile(path("again.ffo"));
    EXPECT_EQ(readBytes(path("again.ffo")), written);
}

TEST_F(IptcFiles, AFileThatIsNotIimThrowsAndKeepsTheFields)
{
    box.SetIptcText(IptcField::Caption, "kept");
    const std::pair<const char*, QByteArray> files[] = {
        {"text.ffo", "Caption: not IIM at all\r\n"},
        {"empty.ffo", ""},
        {"cut.ffo", QByteArray("\x1C\x02\x78\x00\x20short", 10)},
        {"trailing.ffo", QByteArray("\x1C\x02\x78\x00\x02okJUNK", 11)},
        {"record.ffo", QByteArray("\x1C\x00\x78\x00\x02ok", 7)}};
    for (const auto& [name, bytes] : files) {
        writeBytes(path(name), bytes);
        EXPECT_THROW(box.LoadIptcFromFile(path(name)), EngineError) << name;
    }
    EXPECT_THROW(box.LoadIptcFromFile(path("missing.ffo")), EngineError);
    EXPECT_THROW(box.LoadIptcFromFile("/dev/zero"), EngineError) << "endless, read with a bound";
    EXPECT_EQ(box.IptcText(IptcField::Caption), "kept");

    writeBytes(path("padded.ffo"), QByteArray("\x1C\x02\x78\x00\x03new\0", 9));
    box.LoadIptcFromFile(path("padded.ffo"));
    EXPECT_EQ(box.IptcText(IptcField::Caption), "new");
    EXPECT_THROW(box.SaveIptcToFile(path("no/such/folder/x.ffo")), EngineError);
}

TEST_F(IptcFiles, ADamagedIptcBlockGivesFewerFieldsAndThePhotoStillLoads)
{
    makePlainJpeg(path("plain.jpg"));
    const QByteArray plain = readBytes(path("plain.jpg"));
    const QByteArray good("\x1C\x02\x00\x00\x02\x00\x04\x1C\x02\x69\x00\x04Head", 16);
    const QList<QByteArray> damaged = {
        good + QByteArray("\x1C\x02\x78\x7F\xF0toolong", 12),            // a length past the block
        good + QByteArray("\x1C\x02\x78\x80\x04\xFF\xFF\xFF\xFFx", 10),  // a huge extended length
        good + QByteArray("\x1C\x02\x78\x80\x09", 5),                    // a length of nine bytes
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
