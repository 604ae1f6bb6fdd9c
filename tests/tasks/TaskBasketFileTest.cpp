#include "core/LumoraError.h"
#include "shell/ErrorReporter.h"
#include "tasks/TaskBasket.h"
#include "tasks/clsFile.h"
#include "tasks/modSaveOpenImageList.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>
#include <vector>

using namespace lumora;
using namespace lumora::modSaveOpenImageList;

namespace {

const QString SaveRoutine = QStringLiteral("modSaveOpenImageList.fncSaveTaskBasket");
const QString OpenRoutine = QStringLiteral("modSaveOpenImageList.fncOpenTaskBasket");

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// A record line as Lumora writes it.
QByteArray line(const QStringList& fields)
{
    QByteArray out;
    for (const QString& f : fields)
        out += (out.isEmpty() ? "\"" : ",\"") + f.toUtf8() + '"';
    return out + "\r\n";
}

QStringList fields(const QString& kind, const QString& key, QStringList params = {})
{
    while (params.size() < TaskRecord::SlotCount)
        params << QString();
    return QStringList{kind, key} + params;
}

// One task of every kind, with slot values as the editing panel records them.
QList<TaskRecord> everyKind()
{
    using K = TaskKind;
    return {
        TaskRecord(K::Orientation, "flip", {"1"}),
        TaskRecord(K::Rotate, "rotate", {"True", "-90", "16777215"}),
        TaskRecord(K::Resize, "resize", {"True", "1024", "768"}),
        TaskRecord(K::Blur, "blur", {"3"}),
        TaskRecord(K::Contrast, "contrast", {"60", "1", "0", "1"}),
        TaskRecord(K::Brightness, "brightness", {"45", "0", "1", "1"}),
        TaskRecord(K::Sharpen, "sharpen", {"2"}),
        TaskRecord(K::Crop, "crop", {"False", "10", "20", "310", "220", "640.5", "480.25"}),
        TaskRecord(K::Watermark, "watermark",
                   {"True", "50", "1", "/home/anna/Pictures/logos/Logo, final version.png", "16711935", "12",
                    "34", "False"}),
        TaskRecord(K::Text, "text",
                   {"True", "False", "False", "-90", "0", "DejaVu Sans", "24", "True", "False", "True", "255",
                    "16777215", "1", "6", QString::fromUtf8(u8"  Grüße €, from the café  "), "120", "80"}),
        TaskRecord(K::Negative, "invert"),
        TaskRecord(K::Canvas, "canvas", {"0", "10", "10", "10", "40"}),
        TaskRecord(K::Frame, "frame", {"8421504", "0", "3", "1"}),
        TaskRecord(K::Mask, "mask", {"True", "35", "5"}),
        TaskRecord(K::Shadow, "shadow", {"2"}),
    };
}

// Captures error reports for the duration of a test and gives the previous sink back afterwards.
class TaskBasketFileFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        previous_ = SetErrorSink([this](const ErrorReport& report) { reports_.push_back(report); });
    }
    void TearDown() override { SetErrorSink(std::move(previous_)); }

    QString path(const QString& name) const { return dir_.filePath(name); }
    QStringList entries() const
    {
        return QDir(dir_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }

    void fill(TaskBasket& basket, const QList<TaskRecord>& tasks)
    {
        for (const TaskRecord& t : tasks)
            ASSERT_TRUE(basket.append(t));
    }

    // The single report expected from a failure, checked for its routine.
    std::optional<ErrorReport> onlyReport(const QString& routine) const
    {
        EXPECT_EQ(reports_.size(), 1u);
        if (reports_.size() != 1)
            return std::nullopt;
        EXPECT_EQ(reports_.front().routine, routine);
        return reports_.front();
    }

    QTemporaryDir dir_;
    std::vector<ErrorReport> reports_;
    ErrorSink previous_;
};

using TaskBasketFileSave = TaskBasketFileFixture;
using TaskBasketFileOpen = TaskBasketFileFixture;
using clsFileRead = TaskBasketFileFixture;
using clsFileWrite = TaskBasketFileFixture;

}  // namespace

// --- saving ---------------------------------------------------------------------------------------

TEST_F(TaskBasketFileSave, WritesEveryTaskAsAQuotedRecordOfNineteenFields)
{
    TaskBasket basket;
    fill(basket,
         {TaskRecord(TaskKind::Resize, "resize", {"False", "50"}), TaskRecord(TaskKind::Negative, "invert")});

    ASSERT_TRUE(fncSaveTaskBasket(path("recipe.tbf"), basket));

    EXPECT_EQ(
        readBytes(path("recipe.tbf")),
        QByteArray(
            "\"3\",\"resize\",\"False\",\"50\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\","
            "\"\",\"\",\"\"\r\n"
            "\"11\",\"invert\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\","
            "\"\",\"\"\r\n"));
    EXPECT_TRUE(reports_.empty());
}

TEST_F(TaskBasketFileSave, WritesNonAsciiTextAsUtf8)
{
    TaskBasket basket;
    fill(basket, {TaskRecord(TaskKind::Text, "text",
                             {"", "", "", "", "", "", "", "", "", "", "", "", "", "",
                              QString::fromUtf8(u8"Grüße €")})});
    ASSERT_TRUE(fncSaveTaskBasket(path("t.tbf"), basket));
    EXPECT_TRUE(readBytes(path("t.tbf")).contains(QByteArray("\"Gr\xC3\xBC\xC3\x9F") + "e \xE2\x82\xAC\""));
}

TEST_F(TaskBasketFileSave, AppendsTheExtensionUnlessThePathEndsInTbfInAnyCase)
{
    EXPECT_EQ(taskBasketFileName("/a/basket"), "/a/basket.tbf");
    EXPECT_EQ(taskBasketFileName("/a/x.tbf"), "/a/x.tbf");
    EXPECT_EQ(taskBasketFileName("/a/x.TBF"), "/a/x.TBF");
    EXPECT_EQ(taskBasketFileName("/a/x.Tbf"), "/a/x.Tbf");
    EXPECT_EQ(taskBasketFileName("/a/x.tbfx"), "/a/x.tbfx.tbf");
    EXPECT_EQ(taskBasketFileName("/a/xtbf"), "/a/xtbf.tbf");

    TaskBasket basket;
    fill(basket, {TaskRecord(TaskKind::Blur, "blur", {"2"})});
    ASSERT_TRUE(fncSaveTaskBasket(path("basket"), basket));
    ASSERT_TRUE(fncSaveTaskBasket(path("x.TBF"), basket));
    ASSERT_TRUE(fncSaveTaskBasket(path("x.tbfx"), basket));

    QStringList written = entries();
    written.sort();
    EXPECT_EQ(written, (QStringList{"basket.tbf", "x.TBF", "x.tbfx.tbf"}));
}

TEST_F(TaskBasketFileSave, EmptyBasketWritesNoFileAndFails)
{
    TaskBasket basket;
    EXPECT_FALSE(fncSaveTaskBasket(path("nothing.tbf"), basket));
    EXPECT_TRUE(entries().isEmpty());
    EXPECT_TRUE(reports_.empty());
}

TEST_F(TaskBasketFileSave, MissingFolderFailsReportsAndCreatesNothing)
{
    TaskBasket basket;
    fill(basket, everyKind());

    EXPECT_FALSE(fncSaveTaskBasket(path("no/such/folder/recipe"), basket));

    const auto report = onlyReport(SaveRoutine);
    ASSERT_TRUE(report);
    EXPECT_EQ(report->number, errnum::PathNotFound);
    EXPECT_EQ(report->trappingString, "Saving task basket file");
    EXPECT_TRUE(entries().isEmpty());
}

TEST_F(TaskBasketFileSave, TargetThatIsAFolderFailsAndStaysAFolder)
{
    ASSERT_TRUE(QDir(dir_.path()).mkdir("taken.tbf"));
    TaskBasket basket;
    fill(basket, everyKind());

    EXPECT_FALSE(fncSaveTaskBasket(path("taken.tbf"), basket));

    const auto report = onlyReport(SaveRoutine);
    ASSERT_TRUE(report);
    EXPECT_EQ(report->number, errnum::PathFileAccess);
    EXPECT_TRUE(QFileInfo(path("taken.tbf")).isDir());
    EXPECT_EQ(entries(), QStringList{"taken.tbf"});
}

TEST_F(TaskBasketFileSave, ValueWithADoubleQuoteFailsAndKeepsTheOldFile)
{
    const QByteArray old = line(fields("4", "blur", {"7"}));
    writeBytes(path("recipe.tbf"), old);
    TaskBasket basket;
    fill(basket, {TaskRecord(TaskKind::Blur, "blur", {"3"}),
                  TaskRecord(TaskKind::Text, "text",
                             {"True", "False", "False", "0", "0", "Serif", "12", "False", "False", "False",
                              "0", "0", "0", "4", "say \"cheese\""})});

    EXPECT_FALSE(fncSaveTaskBasket(path("recipe.tbf"), basket));

    const auto report = onlyReport(SaveRoutine);
    ASSERT_TRUE(report);
    EXPECT_EQ(report->number, errnum::InvalidProcedureCall);
    EXPECT_EQ(report->line, 2);  // the record that could not be written
    EXPECT_EQ(readBytes(path("recipe.tbf")), old);
    EXPECT_EQ(entries(), QStringList{"recipe.tbf"});  // no temporary file left behind
}

// --- opening --------------------------------------------------------------------------------------

TEST_F(TaskBasketFileOpen, ReopensASavedBasketFieldForField)
{
    TaskBasket saved;
    fill(saved, everyKind());
    ASSERT_TRUE(fncSaveTaskBasket(path("all"), saved));

    TaskBasket opened;
    ASSERT_TRUE(fncOpenTaskBasket(path("all.tbf"), opened, false));

    EXPECT_EQ(opened.tasks(), everyKind());
    ASSERT_EQ(opened.rowCount(), 15);
    const QStringList names{"Orientation", "Rotate",  "Resize", "Blur",      "Contrast",
                            "Brightness",  "Sharpen", "Crop",   "Watermark", "Text",
                            "Negative",    "Canvas",  "Frame",  "Mask",      "Shadow"};
    for (int row = 0; row < 15; ++row) {
        const QModelIndex index = opened.index(row);
        EXPECT_EQ(opened.data(index).toString(), names[row]);
        EXPECT_EQ(opened.data(index, TaskBasket::IconNameRole).toString(), everyKind()[row].key);
    }
    EXPECT_TRUE(reports_.empty());
}

TEST_F(TaskBasketFileOpen, GenericIconsReplaceTheKeyIcons)
{
    writeBytes(path("g.tbf"), line(fields("2", "rotate", {"True", "15", "0"})));
    TaskBasket basket;
    ASSERT_TRUE(fncOpenTaskBasket(path("g.tbf"), basket, true));
    EXPECT_EQ(basket.data(basket.index(0), TaskBasket::IconNameRole).toString(), "generic");
    EXPECT_EQ(basket.at(0).key, "rotate");

    ASSERT_TRUE(fncOpenTaskBasket(path("g.tbf"), basket, false));
    EXPECT_EQ(basket.data(basket.index(0), TaskBasket::IconNameRole).toString(), "rotate");
}

TEST_F(TaskBasketFileOpen, ReplacesWhatTheBasketHeld)
{
    writeBytes(path("one.tbf"), line(fields("7", "sharpen", {"4"})));
    TaskBasket basket;
    fill(basket, everyKind());
    ASSERT_TRUE(fncOpenTaskBasket(path("one.tbf"), basket, false));
    EXPECT_EQ(basket.tasks(), QList<TaskRecord>{TaskRecord(TaskKind::Sharpen, "sharpen", {"4"})});
}

TEST_F(TaskBasketFileOpen, EmptyFileOpensAsAnEmptyBasket)
{
    writeBytes(path("empty.tbf"), {});
    TaskBasket basket;
    fill(basket, everyKind());
    EXPECT_TRUE(fncOpenTaskBasket(path("empty.tbf"), basket, false));
    EXPECT_TRUE(basket.isEmpty());
    EXPECT_TRUE(reports_.empty());
}

TEST_F(TaskBasketFileOpen, ShortLastRecordFailsAndKeepsTheTasksBeforeIt)
{
    QByteArray text = line(fields("3", "resize", {"False", "50"})) + line(fields("11", "invert"));
    text += line(fields("4", "blur", {"1"}).mid(0, 10));
    writeBytes(path("short.tbf"), text);
    TaskBasket basket;

    EXPECT_FALSE(fncOpenTaskBasket(path("short.tbf"), basket, false));

    const auto report = onlyReport(OpenRoutine);
    ASSERT_TRUE(report);
    EXPECT_EQ(report->number, errnum::InputPastEndOfFile);
    EXPECT_EQ(report->description, "Input past end of file");
    EXPECT_EQ(report->line, 3);
    EXPECT_EQ(report->trappingString, "Opening task basket file");
    EXPECT_EQ(basket.tasks(), (QList<TaskRecord>{TaskRecord(TaskKind::Resize, "resize", {"False", "50"}),
                                                 TaskRecord(TaskKind::Negative, "invert")}));
}

TEST_F(TaskBasketFileOpen, RecordsMayBeSplitOverLinesOrShareALine)
{
    QStringList empties;
    for (int i = 0; i < 15; ++i)
        empties << "\"\"";
    const QByteArray text = "\"3\",\"resize\"\r\n\"False\",\"50\"\r\n" + empties.join(',').toUtf8() + "\r\n" +
                            line(fields("11", "invert")).chopped(2) + "," + line(fields("4", "blur", {"5"}));
    writeBytes(path("split.tbf"), text);
    TaskBasket basket;

    ASSERT_TRUE(fncOpenTaskBasket(path("split.tbf"), basket, false));
    EXPECT_EQ(basket.tasks(), (QList<TaskRecord>{TaskRecord(TaskKind::Resize, "resize", {"False", "50"}),
                                                 TaskRecord(TaskKind::Negative, "invert"),
                                                 TaskRecord(TaskKind::Blur, "blur", {"5"})}));
}

TEST_F(TaskBasketFileOpen, UnquotedFieldsLoseTheirBlanks)
{
    // Fifteen commas after "50": fourteen empty fields end at a comma, the last at the line end.
    writeBytes(path("bare.tbf"), "  3 ,\tresize\t, False ,50" + QByteArray(15, ',') + "\r\n");
    TaskBasket basket;
    ASSERT_TRUE(fncOpenTaskBasket(path("bare.tbf"), basket, false));
    EXPECT_EQ(basket.tasks(), QList<TaskRecord>{TaskRecord(TaskKind::Resize, "resize", {"False", "50"})});
}

TEST_F(TaskBasketFileOpen, ReadsLineFeedOnlyLineEnds)
{
    QByteArray text = line(fields("3", "resize", {"False", "50"})) + line(fields("11", "invert"));
    text.replace("\r\n", "\n");
    writeBytes(path("lf.tbf"), text);
    TaskBasket basket;
    ASSERT_TRUE(fncOpenTaskBasket(path("lf.tbf"), basket, false));
    EXPECT_EQ(basket.tasks(), (QList<TaskRecord>{TaskRecord(TaskKind::Resize, "resize", {"False", "50"}),
                                                 TaskRecord(TaskKind::Negative, "invert")}));
}

TEST_F(TaskBasketFileOpen, KindThatIsNotANumberFailsWithTypeMismatch)
{
    writeBytes(path("bad.tbf"), line(fields("4", "blur", {"2"})) + line(fields("resize", "3")));
    TaskBasket basket;

    EXPECT_FALSE(fncOpenTaskBasket(path("bad.tbf"), basket, false));

    const auto report = onlyReport(OpenRoutine);
    ASSERT_TRUE(report);
    EXPECT_EQ(report->number, errnum::TypeMismatch);
    EXPECT_EQ(report->line, 2);
    EXPECT_EQ(basket.tasks(), QList<TaskRecord>{TaskRecord(TaskKind::Blur, "blur", {"2"})});
}

TEST_F(TaskBasketFileOpen, UnknownKindNumberLoadsWithoutAName)
{
    writeBytes(path("odd.tbf"), line(fields("99", "mystery", {"a"})) + line(fields("16", "redeye")));
    TaskBasket basket;

    ASSERT_TRUE(fncOpenTaskBasket(path("odd.tbf"), basket, false));

    ASSERT_EQ(basket.size(), 2);
    EXPECT_EQ(basket.at(0).kind, "99");
    EXPECT_EQ(basket.at(0).params[0], "a");
    EXPECT_EQ(basket.data(basket.index(0)).toString(), QString());
    EXPECT_EQ(basket.data(basket.index(1)).toString(), QString());
    EXPECT_TRUE(reports_.empty());
}

TEST_F(TaskBasketFileOpen, KindBeyondSixteenBitsFailsWithOverflow)
{
    writeBytes(path("big.tbf"), line(fields("40000", "blur", {"2"})));
    TaskBasket basket;
    EXPECT_FALSE(fncOpenTaskBasket(path("big.tbf"), basket, false));
    const auto report = onlyReport(OpenRoutine);
    ASSERT_TRUE(report);
    EXPECT_EQ(report->number, errnum::Overflow);
    EXPECT_TRUE(basket.isEmpty());
}

TEST_F(TaskBasketFileOpen, ReadsWindows1252AndUtf8Text)
{
    const QByteArray head =
        "\"10\",\"text\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"";
    const QByteArray tail = "\",\"\",\"\"\r\n";
    writeBytes(path("ansi.tbf"), head + "Caf\xE9 \x80 5" + tail);
    writeBytes(path("utf8.tbf"), head + "Caf\xC3\xA9 \xE2\x82\xAC 5" + tail);

    TaskBasket ansi;
    ASSERT_TRUE(fncOpenTaskBasket(path("ansi.tbf"), ansi, false));
    ASSERT_EQ(ansi.size(), 1);
    EXPECT_EQ(ansi.at(0).params[14], QString::fromUtf8(u8"Café € 5"));

    TaskBasket utf8;
    ASSERT_TRUE(fncOpenTaskBasket(path("utf8.tbf"), utf8, false));
    ASSERT_EQ(utf8.size(), 1);
    EXPECT_EQ(utf8.at(0).params[14], QString::fromUtf8(u8"Café € 5"));
}

TEST_F(TaskBasketFileOpen, FileThatCannotBeOpenedFailsWithAReport)
{
    TaskBasket basket;
    fill(basket, everyKind());

    EXPECT_FALSE(fncOpenTaskBasket(path("missing.tbf"), basket, false));
    auto report = onlyReport(OpenRoutine);
    ASSERT_TRUE(report);
    EXPECT_EQ(report->number, errnum::FileNotFound);
    EXPECT_TRUE(basket.isEmpty());

    reports_.clear();
    EXPECT_FALSE(fncOpenTaskBasket(dir_.path(), basket, false));
    report = onlyReport(OpenRoutine);
    ASSERT_TRUE(report);
    EXPECT_EQ(report->number, errnum::PathFileAccess);
}

TEST_F(TaskBasketFileOpen, StopsWithAnErrorWhenTheBasketIsFull)
{
    const QByteArray record = line(fields("11", "invert"));
    writeBytes(path("huge.tbf"), record.repeated(TaskBasket::MaxTasks + 1));
    TaskBasket basket;

    EXPECT_FALSE(fncOpenTaskBasket(path("huge.tbf"), basket, false));

    const auto report = onlyReport(OpenRoutine);
    ASSERT_TRUE(report);
    EXPECT_EQ(report->number, errnum::Overflow);
    EXPECT_EQ(report->line, TaskBasket::MaxTasks + 1);
    EXPECT_EQ(basket.size(), TaskBasket::MaxTasks);
}

// --- clsFile --------------------------------------------------------------------------------------

TEST_F(clsFileRead, NothingHappensWithoutAnOpenFile)
{
    clsFile file;
    EXPECT_FALSE(file.isOpen());
    EXPECT_TRUE(file.fEof());
    EXPECT_EQ(file.readLine(), QString());
    EXPECT_TRUE(file.readRecord(3).isEmpty());
    EXPECT_NO_THROW(file.writeRecord({"a"}));
    EXPECT_NO_THROW(file.writeValue("a"));
    EXPECT_FALSE(file.closefile());

    // A file open for reading takes no writes, and one open for writing gives no reads.
    writeBytes(path("r.txt"), "\"x\"\r\n");
    ASSERT_TRUE(file.OpenForRead(path("r.txt")));
    EXPECT_NO_THROW(file.writeRecord({"a"}));
    EXPECT_TRUE(file.closefile());
    EXPECT_EQ(readBytes(path("r.txt")), "\"x\"\r\n");

    ASSERT_TRUE(file.OpenForWrite(path("w.txt")));
    EXPECT_TRUE(file.fEof());
    EXPECT_EQ(file.readLine(), QString());
    EXPECT_TRUE(file.readRecord(1).isEmpty());
    EXPECT_TRUE(file.closefile());
}

TEST_F(clsFileRead, FailedOpenKeepsTheErrorAndReturnsFalse)
{
    clsFile file;
    EXPECT_FALSE(file.OpenForRead(path("absent.txt")));
    EXPECT_FALSE(file.isOpen());
    EXPECT_EQ(file.lastErrorNumber(), errnum::FileNotFound);
    EXPECT_TRUE(file.lastError().contains("absent.txt"));
    EXPECT_TRUE(file.fEof());

    EXPECT_FALSE(file.OpenForWrite(path("nowhere/out.txt")));
    EXPECT_EQ(file.lastErrorNumber(), errnum::PathNotFound);
    EXPECT_FALSE(file.lastError().isEmpty());

    // A successful open clears the error.
    writeBytes(path("there.txt"), "x");
    ASSERT_TRUE(file.OpenForRead(path("there.txt")));
    EXPECT_EQ(file.lastErrorNumber(), 0);
    EXPECT_TRUE(file.lastError().isEmpty());
    EXPECT_EQ(file.fileName(), path("there.txt"));
}

TEST_F(clsFileRead, QuotedFieldsKeepCommasBlanksAndLineEnds)
{
    writeBytes(path("q.txt"), "\"a, b\",\"  c  \",\"two\r\nlines\"\r\n");
    clsFile file;
    ASSERT_TRUE(file.OpenForRead(path("q.txt")));
    EXPECT_EQ(file.readRecord(3), (QStringList{"a, b", "  c  ", "two\r\nlines"}));
    EXPECT_TRUE(file.fEof());
}

TEST_F(clsFileRead, TextAfterAClosingQuoteIsDropped)
{
    writeBytes(path("q.txt"), "\"abc\" junk,  \"d\"x\r\n\"e\"");
    clsFile file;
    ASSERT_TRUE(file.OpenForRead(path("q.txt")));
    EXPECT_EQ(file.readRecord(3), (QStringList{"abc", "d", "e"}));
    EXPECT_TRUE(file.fEof());
}

TEST_F(clsFileRead, QuoteLeftOpenRunsToTheEnd)
{
    writeBytes(path("q.txt"), "\"a\",\"b, c\r\n");
    clsFile file;
    ASSERT_TRUE(file.OpenForRead(path("q.txt")));
    EXPECT_EQ(file.readRecord(2), (QStringList{"a", "b, c\r\n"}));
    EXPECT_TRUE(file.fEof());
}

TEST_F(clsFileRead, EveryCommaAndLineEndSeparatesAField)
{
    writeBytes(path("s.txt"), "a,,b\r\nc,\n d \r\n");
    clsFile file;
    ASSERT_TRUE(file.OpenForRead(path("s.txt")));
    EXPECT_EQ(file.readRecord(2), (QStringList{"a", ""}));
    EXPECT_EQ(file.readRecord(3), (QStringList{"b", "c", ""}));
    EXPECT_FALSE(file.fEof());
    EXPECT_EQ(file.readRecord(1), QStringList{"d"});
    EXPECT_TRUE(file.fEof());
}

TEST_F(clsFileRead, ReadingPastTheEndRaisesError62)
{
    writeBytes(path("e.txt"), "\"a\",\"b\"\r\n");
    clsFile file;
    ASSERT_TRUE(file.OpenForRead(path("e.txt")));
    try {
        file.readRecord(3);
        FAIL() << "read past the end";
    } catch (const LumoraError& e) {
        EXPECT_EQ(e.number(), errnum::InputPastEndOfFile);
        EXPECT_EQ(e.description(), "Input past end of file");
    }
    EXPECT_TRUE(file.fEof());
    EXPECT_THROW(file.readLine(), LumoraError);
}

TEST_F(clsFileRead, ReadLineTakesEveryKindOfLineEnd)
{
    writeBytes(path("l.txt"), "one, \"two\"\r\nthree\nfour\r\r\nsix");
    clsFile file;
    ASSERT_TRUE(file.OpenForRead(path("l.txt")));
    QStringList lines;
    while (!file.fEof())
        lines << file.readLine();
    EXPECT_EQ(lines, (QStringList{"one, \"two\"", "three", "four", "", "six"}));
}

TEST_F(clsFileWrite, QuotesEveryFieldAndEndsRecordsWithCrLf)
{
    clsFile file;
    ASSERT_TRUE(file.OpenForWrite(path("w.txt")));
    EXPECT_TRUE(file.isOpen());
    file.writeRecord({"1", "", "a, b", QString::fromUtf8(u8"é")});
    file.writeValue("solo");
    ASSERT_TRUE(file.closefile());
    EXPECT_FALSE(file.isOpen());

    EXPECT_EQ(readBytes(path("w.txt")), "\"1\",\"\",\"a, b\",\"\xC3\xA9\"\r\n\"solo\"\r\n");

    ASSERT_TRUE(file.OpenForRead(path("w.txt")));
    EXPECT_EQ(file.readRecord(4), (QStringList{"1", "", "a, b", QString::fromUtf8(u8"é")}));
    EXPECT_EQ(file.readRecord(1), QStringList{"solo"});
    EXPECT_TRUE(file.fEof());
}

TEST_F(clsFileWrite, OpeningForWriteReplacesTheContent)
{
    writeBytes(path("w.txt"), "a much longer old content\r\n");
    clsFile file;
    ASSERT_TRUE(file.OpenForWrite(path("w.txt")));
    file.writeValue("new");
    ASSERT_TRUE(file.closefile());
    EXPECT_EQ(readBytes(path("w.txt")), "\"new\"\r\n");
}

TEST_F(clsFileWrite, NothingReachesTheDiskWithoutClosing)
{
    writeBytes(path("old.txt"), "old\r\n");
    {
        clsFile file;
        ASSERT_TRUE(file.OpenForWrite(path("old.txt")));
        file.writeValue("new");
        ASSERT_TRUE(file.OpenForWrite(path("fresh.txt")));  // drops the write to old.txt
        file.writeValue("new");
        file.abandon();
        EXPECT_FALSE(file.isOpen());
        EXPECT_FALSE(file.closefile());

        ASSERT_TRUE(file.OpenForWrite(path("old.txt")));
        file.writeValue("new");
    }  // destroyed while writing
    EXPECT_EQ(readBytes(path("old.txt")), "old\r\n");
    EXPECT_EQ(entries(), QStringList{"old.txt"});
}

TEST_F(clsFileWrite, DoubleQuoteInAValueIsRefusedAndSpoilsTheFile)
{
    writeBytes(path("old.txt"), "old\r\n");
    clsFile file;
    ASSERT_TRUE(file.OpenForWrite(path("old.txt")));
    file.writeValue("fine");
    try {
        file.writeRecord({"a", "5\" wide"});
        FAIL() << "a double quote was written";
    } catch (const LumoraError& e) {
        EXPECT_EQ(e.number(), errnum::InvalidProcedureCall);
    }
    file.writeValue("more");
    EXPECT_FALSE(file.closefile());
    EXPECT_EQ(file.lastErrorNumber(), errnum::InvalidProcedureCall);
    EXPECT_EQ(readBytes(path("old.txt")), "old\r\n");
    EXPECT_EQ(entries(), QStringList{"old.txt"});
}

TEST_F(clsFileWrite, FolderIsNoTarget)
{
    ASSERT_TRUE(QDir(dir_.path()).mkdir("sub"));
    clsFile file;
    EXPECT_FALSE(file.OpenForWrite(path("sub")));
    EXPECT_EQ(file.lastErrorNumber(), errnum::PathFileAccess);
    EXPECT_FALSE(file.isOpen());
    EXPECT_TRUE(QFileInfo(path("sub")).isDir());
}
