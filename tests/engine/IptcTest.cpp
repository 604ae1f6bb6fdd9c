// The engine's IPTC: fields exiftool wrote come back (UTF-8 with and without the marker, Windows
// code page text, lists, dates, urgency); what the engine writes, exiftool and the exiv2 program
// read with the datasets, the marker and the record version; .ffo files round-trip.

#include "MetadataTestFiles.h"

#include <QSet>

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

// The JPEG with an APP13 Photoshop block right after its start marker that holds these IIM bytes
// as its IPTC resource (type, id 0x0404, an empty name padded, the size, the data padded to even).
QByteArray jpegWithIptcBlock(const QByteArray& jpeg, const QByteArray& iim)
{
    const auto be = [](quint32 value, int bytes) {
        QByteArray out;
        for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8)
            out += char(value >> shift);
        return out;
    };
    const QByteArray payload = QByteArray("Photoshop 3.0\0" "8BIM\x04\x04\0\0", 22) + be(quint32(iim.size()), 4) + iim +
                               QByteArray(iim.size() % 2, '\0');
    return jpeg.left(2) + QByteArray("\xFF\xED", 2) + be(quint32(payload.size() + 2), 2) + payload + jpeg.mid(2);
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
    EXPECT_EQ(box.Keyword(3), QString());
    ASSERT_EQ(box.SupplementalCategoryCount(), 2);
    EXPECT_EQ(box.SupplementalCategory(1), "Fußball");
    EXPECT_EQ(box.SupplementalCategory(-1), QString());
    EXPECT_EQ(box.IptcUrgency(), 3);
    EXPECT_EQ(box.IptcDate(IptcField::DateCreated), QDateTime(QDate(2021, 7, 4), QTime(0, 0)));
    EXPECT_EQ(box.IptcDate(IptcField::TimeCreated), QDateTime(QDate(1899, 12, 30), QTime(10, 20, 30)));
    EXPECT_EQ(box.IptcDate(IptcField::DateReleased), ImageBox::ZeroDate());
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
    EXPECT_EQ(exiftoolValues(path("latin-out.jpg"), {"IPTC:Caption-Abstract", "IPTC:City"}), "Grüße – 50 €\nKöln");

    box.LoadFromFile(jpegWith({"-charset", "iptc=UTF8", "-IPTC:Caption-Abstract=Grüße ohne Marke"}, "unmarked.jpg"));
    EXPECT_EQ(box.IptcText(IptcField::Caption), "Grüße ohne Marke");
}

TEST_F(IptcFiles, EveryFieldHasItsOwnDatasetWhichTheEngineWritesForTheOtherTools)
{
    const auto textOf = [](const IptcFieldInfo& info) { return QStringLiteral("%1 – ä").arg(QLatin1String(info.label)); };
    box.SetBitmapHandle(gradientPicture(20, 10));
    for (const IptcFieldInfo& info : IptcFields())
        if (info.kind == IptcKind::Text)
            box.SetIptcText(info.field, textOf(info));
    box.SaveToFile(path("all.jpg"));

    // The block holds each field as a dataset of its number with the text in UTF-8, unknown
    // numbers included, and the record version. Fields are found by their labels.
    const QByteArray block = iimBlock(path("all.jpg"));
    EXPECT_TRUE(block.contains(QByteArray("\x1C\x02\x00\x00\x02\x00\x04", 7)));
    QSet<int> datasets;
    for (int i = 0; i < kIptcFieldCount; ++i) {
        const IptcFieldInfo& info = IptcFields()[std::size_t(i)];
        IptcField found{};
        EXPECT_TRUE(int(info.field) == i && IptcFieldByLabel(info.label, found) && found == info.field) << info.label;
        EXPECT_FALSE(datasets.contains(info.dataset)) << info.label;
        datasets.insert(info.dataset);
        const QByteArray text = textOf(info).toUtf8();
        const QByteArray dataset =
            QByteArray("\x1C\x02", 2) + char(info.dataset) + char(text.size() >> 8) + char(text.size());
        EXPECT_TRUE(info.kind != IptcKind::Text || block.contains(dataset + text)) << info.label;
    }
    ImageBox reader;
    reader.LoadFromFile(path("all.jpg"));
    EXPECT_EQ(iptcTextsOf(reader), iptcTextsOf(box));

    // exiftool's names for a few of the datasets.
    QStringList expected{"UTF8", "4"};
    for (const IptcField field : {IptcField::Caption, IptcField::ByLineTitle, IptcField::OriginalTransmissionReference,
                                  IptcField::CustomField20})
        expected << textOf(IptcFieldInfoOf(field));
    EXPECT_EQ(exiftoolValues(path("all.jpg"), {"IPTC:CodedCharacterSet", "IPTC:ApplicationRecordVersion",
                                               "IPTC:Caption-Abstract", "IPTC:By-lineTitle",
                                               "IPTC:OriginalTransmissionReference", "IPTC:IPTC_ApplicationRecord_219"}),
              expected.join(u'\n').toStdString());
}

TEST_F(IptcFiles, ListsDatesUrgencyAndTextsReachTheFileAndSettersReplaceRemoveAndSplit)
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

    EXPECT_EQ(exiftoolValues(path("lists.jpg"), {"IPTC:Keywords", "IPTC:SupplementalCategories", "IPTC:Urgency#",
                                                 "IPTC:DateCreated", "IPTC:TimeCreated", "IPTC:DateSent",
                                                 "IPTC:ReleaseDate", "IPTC:ReleaseTime"}),
              "Berge|Schnee|Ski\nWinter|Sport\n5\n2023:02:14\n15:16:17+00:00\n-\n2023:03:01\n08:00:01+00:00");

    box.SetIptcUrgency(0);
    box.SetIptcDate(IptcField::DateCreated, ImageBox::ZeroDate());
    box.ClearSupplementalCategories();
    EXPECT_EQ(box.IptcUrgency(), 0);
    EXPECT_EQ(box.IptcDate(IptcField::DateCreated), ImageBox::ZeroDate());
    EXPECT_EQ(box.SupplementalCategoryCount(), 0);
    EXPECT_THROW(box.SetIptcUrgency(9), EngineError);
    EXPECT_THROW(box.SetIptcUrgency(-1), EngineError);
    box.SaveToFile(path("fewer.jpg"));
    EXPECT_EQ(exiftoolValues(path("fewer.jpg"),
                             {"IPTC:Urgency", "IPTC:DateCreated", "IPTC:SupplementalCategories", "IPTC:TimeCreated"}),
              "-\n-\n-\n15:16:17+00:00");

    // Texts replace, split into lists and take dates only as the IIM writes them; "" removes.
    box.ClearIptc();
    EXPECT_FALSE(box.HasIptc());
    box.SetIptcText(IptcField::Caption, "first");
    box.SetIptcText(IptcField::Caption, "second");
    box.SetIptcText(IptcField::Keywords, "a, b ,c");
    box.SetIptcText(IptcField::DateCreated, "20200131");
    box.SetIptcText(IptcField::DateCreated, "not a date");
    EXPECT_EQ(iptcTextsOf(box), (std::vector<std::string>{"120=second", "25=a, b, c", "55=20200131"}));
    EXPECT_EQ(keywords(), (QStringList{"a", "b", "c"}));
    EXPECT_EQ(box.IptcDate(IptcField::DateCreated), QDateTime(QDate(2020, 1, 31), QTime(0, 0)));
    for (const IptcField field : {IptcField::Caption, IptcField::Keywords, IptcField::DateCreated})
        box.SetIptcText(field, QString());
    EXPECT_FALSE(box.HasIptc());
    EXPECT_THROW(box.SetIptcText(static_cast<IptcField>(kIptcFieldCount), "x"), EngineError);
    box.SaveToFile(path("none.jpg"));
    EXPECT_TRUE(exiv2Rows(path("none.jpg")).isEmpty());
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
    EXPECT_EQ(exiftoolValues(path("carrier.jpg"), {"IPTC:Headline", "IPTC:Caption-Abstract", "IPTC:Keywords"}),
              "Überschrift\nGrüße\nk1|k2");

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
        (void)iptcTextsOf(reader);  // every field reads
        EXPECT_NO_THROW(reader.SaveToFile(path("resaved.jpg")));
    }
}

}  // namespace
