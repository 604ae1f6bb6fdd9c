#include "core/LumoraError.h"
#include "support/FileBytes.h"
#include "support/FullDisk.h"
#include "support/ReportCapture.h"
#include "tasks/TaskBasket.h"
#include "tasks/clsFile.h"
#include "tasks/modSaveOpenImageList.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lumora;
using namespace lumora::modSaveOpenImageList;
using namespace lumora::test;

namespace {

const QString SaveRoutine = QStringLiteral("modSaveOpenImageList.fncSaveTaskBasket");
const QString OpenRoutine = QStringLiteral("modSaveOpenImageList.fncOpenTaskBasket");

// A record line as Lumora writes it: kind, key and parameters, padded with empty fields (or cut) to fieldCount.
QByteArray line(const QString& kind, const QString& key, QStringList params = {}, int fieldCount = 19)
{
    QStringList fields = QStringList{kind, key} + params;
    while (fields.size() < fieldCount)
        fields << QString();
    return (u'"' + fields.mid(0, fieldCount).join(QStringLiteral("\",\"")) + QStringLiteral("\"\r\n")).toUtf8();
}

const TaskRecord Resize50(TaskKind::Resize, "resize", {"False", "50"});
const TaskRecord Invert(TaskKind::Negative, "invert");
const QByteArray Resize50Line = line("3", "resize", {"False", "50"});
const QByteArray InvertLine = line("11", "invert");

// One task of every kind, with slot values as the editing panel records them.
QList<TaskRecord> everyKind()
{
    using K = TaskKind;
    return {TaskRecord(K::Orientation, "flip", {"1"}), TaskRecord(K::Rotate, "rotate", {"True", "-90", "16777215"}),
            TaskRecord(K::Resize, "resize", {"True", "1024", "768"}), TaskRecord(K::Blur, "blur", {"3"}),
            TaskRecord(K::Contrast, "contrast", {"60", "1", "0", "1"}),
            TaskRecord(K::Brightness, "brightness", {"45", "0", "1", "1"}), TaskRecord(K::Sharpen, "sharpen", {"2"}),
            TaskRecord(K::Crop, "crop", {"False", "10", "20", "310", "220", "640.5", "480.25"}),
            TaskRecord(K::Watermark, "watermark",
                       {"True", "50", "1", "/home/anna/Pictures/logos/Logo, final version.png", "16711935", "12",
                        "34", "False"}),
            TaskRecord(K::Text, "text",
                       {"True", "False", "False", "-90", "0", "DejaVu Sans", "24", "True", "False", "True", "255",
                        "16777215", "1", "6", QString::fromUtf8(u8"  Grüße €, from the café  "), "120", "80"}),
            TaskRecord(K::Negative, "invert"), TaskRecord(K::Canvas, "canvas", {"0", "10", "10", "10", "40"}),
            TaskRecord(K::Frame, "frame", {"8421504", "0", "3", "1"}), TaskRecord(K::Mask, "mask", {"True", "35", "5"}),
            TaskRecord(K::Shadow, "shadow", {"2"})};
}

class TaskBasketFile : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

    QString path(const QString& name) const { return dir_.filePath(name); }
    QStringList entries() const
    {
        return QDir(dir_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
    }

    static void fill(TaskBasket& basket, const QList<TaskRecord>& tasks)
    {
        for (const TaskRecord& t : tasks)
            basket.append(t);
    }

    // Writes the bytes as a basket file and opens it into the basket.
    bool openBytes(const QByteArray& bytes, TaskBasket& basket)
    {
        writeBytes(path("in.tbf"), bytes);
        return fncOpenTaskBasket(path("in.tbf"), basket, false);
    }

    // Checks that exactly one report came, from the routine, with the error number and the record
    // reached (0: before the first); clears it.
    void expectOneReport(const QString& routine, int number, int record)
    {
        capture_.expectOne(routine, number, record,
                           routine == SaveRoutine ? "Saving task basket file" : "Opening task basket file");
    }

    QTemporaryDir dir_;
    ReportCapture capture_;
};

using clsFileTest = TaskBasketFile;

}  // namespace

TEST_F(TaskBasketFile, SaveWritesEveryTaskAsNineteenQuotedFieldsReplacingTheOldContentOrFailsLeavingTheFolder)
{
    writeBytes(path("recipe.tbf"), QByteArray(4000, 'x'));
    TaskBasket basket;
    fill(basket, {Resize50, Invert});

    ASSERT_TRUE(fncSaveTaskBasket(path("recipe.tbf"), basket));

    EXPECT_EQ(readBytes(path("recipe.tbf")),
              "\"3\",\"resize\",\"False\",\"50\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\","
              "\"\",\"\",\"\"\r\n"
              "\"11\",\"invert\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\","
              "\"\",\"\"\r\n");
    EXPECT_TRUE(capture_.reports().empty());

    // The extension is appended unless the name ends in .tbf, in any case.
    const std::pair<QString, QString> names[] = {
        {"/a/basket", "/a/basket.tbf"}, {"/a/x.tbf", "/a/x.tbf"},       {"/a/x.TBF", "/a/x.TBF"},
        {"/a/x.Tbf", "/a/x.Tbf"},       {"/a/x.tbfx", "/a/x.tbfx.tbf"}, {"/a/xtbf", "/a/xtbf.tbf"}};
    for (const auto& [given, used] : names)
        EXPECT_EQ(taskBasketFileName(given), used);

    // A failed save reports and leaves the folder as it was.
    const QByteArray old = line("4", "blur", {"7"});
    writeBytes(path("recipe.tbf"), old);
    TaskBasket failing;
    EXPECT_FALSE(fncSaveTaskBasket(path("nothing.tbf"), failing));  // an empty basket is not saved
    EXPECT_TRUE(capture_.reports().empty());

    fill(failing, {Invert, TaskRecord(TaskKind::Text, "text", {"say \"cheese\""})});
    EXPECT_FALSE(fncSaveTaskBasket(path("no/such/folder/recipe"), failing));
    expectOneReport(SaveRoutine, errnum::PathNotFound, 0);
    EXPECT_FALSE(fncSaveTaskBasket(path("recipe.tbf"), failing));
    expectOneReport(SaveRoutine, errnum::InvalidProcedureCall, 2);  // the record that could not be written

    // A disk that fills up part way through.
    fill(failing, {Invert, Resize50, Resize50, Resize50});
    bool saved = true;
    {
        const FullDisk disk(100);
        saved = fncSaveTaskBasket(path("recipe.tbf"), failing);
    }
    EXPECT_FALSE(saved);
    EXPECT_EQ(capture_.reports().size(), 1u);

    EXPECT_EQ(readBytes(path("recipe.tbf")), old);
    EXPECT_EQ(entries(), QStringList{"recipe.tbf"});  // no new file, no temporary file left behind
}

TEST_F(TaskBasketFile, ReopensEveryKindFieldForFieldAndAKindNumberOfNoKindWithoutAName)
{
    TaskBasket saved;
    fill(saved, everyKind());
    ASSERT_TRUE(fncSaveTaskBasket(path("all"), saved));  // saved under the name with the extension
    // Text is written as UTF-8.
    EXPECT_TRUE(readBytes(path("all.tbf")).contains("Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC, from the caf\xC3\xA9"));

    TaskBasket opened;
    ASSERT_TRUE(fncOpenTaskBasket(path("all.tbf"), opened, false));
    EXPECT_EQ(opened.tasks(), everyKind());
    // A row shows its kind's name and the icon named after its key.
    EXPECT_EQ(opened.data(opened.index(0)).toString(), "Orientation");
    EXPECT_EQ(opened.data(opened.index(0), TaskBasket::IconNameRole).toString(), "flip");

    // With generic icons every row shows the same icon, but the keys stay.
    ASSERT_TRUE(fncOpenTaskBasket(path("all.tbf"), opened, true));
    EXPECT_EQ(opened.data(opened.index(1), TaskBasket::IconNameRole).toString(), "generic");
    EXPECT_EQ(opened.at(1).key, "rotate");

    // A kind number of no kind loads too, without a name.
    ASSERT_TRUE(openBytes(line("99", "mystery", {"a"}), opened));
    EXPECT_EQ(opened.tasks(), QList<TaskRecord>{TaskRecord(static_cast<TaskKind>(99), "mystery", {"a"})});
    EXPECT_EQ(opened.data(opened.index(0)).toString(), QString());
    EXPECT_TRUE(capture_.reports().empty());
}

TEST_F(TaskBasketFile, RecordsAreReadWhateverTheirLayoutAndTextInWindows1252OrUtf8)
{
    QByteArray lfOnly = Resize50Line + InvertLine;
    lfOnly.replace("\r\n", "\n");
    const QByteArray textLine = line("10", "text", QStringList(14, QString()) << "@");
    TaskRecord cafe(TaskKind::Text, "text");
    cafe.params[14] = QString::fromUtf8(u8"Café € 5");
    const std::pair<QByteArray, QList<TaskRecord>> cases[] = {
        {{}, {}},  // an empty file is an empty basket
        // Split over three lines, with the next record on the same line as its end.
        {"\"3\",\"resize\"\r\n\"False\",\"50\"\r\n" + QByteArray("\"\",").repeated(15) + InvertLine,
         {Resize50, Invert}},
        // Unquoted fields lose their blanks; a line end right after a comma ends an empty field.
        {"  3 ,\tresize\t, False ,50" + QByteArray(15, ',') + "\r\n" + InvertLine, {Resize50, Invert}},
        {lfOnly, {Resize50, Invert}},
        {QByteArray(textLine).replace("@", "Caf\xE9 \x80 5"), {cafe}},
        {QByteArray(textLine).replace("@", "Caf\xC3\xA9 \xE2\x82\xAC 5"), {cafe}},
    };
    for (const auto& [bytes, tasks] : cases) {
        SCOPED_TRACE(bytes.toStdString());
        TaskBasket basket;
        fill(basket, everyKind());  // opening replaces what the basket held
        ASSERT_TRUE(openBytes(bytes, basket));
        EXPECT_EQ(basket.tasks(), tasks);
    }
    EXPECT_TRUE(capture_.reports().empty());
}

TEST_F(TaskBasketFile, AFileThatCannotBeReadFailsWithAReportKeepingTheTasksBeforeABadRecord)
{
    const struct {
        QByteArray bytes;
        int number;
        int line;
        QList<TaskRecord> kept;
    } cases[] = {
        {Resize50Line + InvertLine + line("4", "blur", {"1"}, 10), errnum::InputPastEndOfFile, 3, {Resize50, Invert}},
        {Resize50Line + InvertLine + line("resize", "3"), errnum::TypeMismatch, 3, {Resize50, Invert}},
        {Resize50Line + line("40000", "blur", {"2"}), errnum::Overflow, 2, {Resize50}},
        {InvertLine.repeated(TaskBasket::MaxTasks + 1), errnum::Overflow, TaskBasket::MaxTasks + 1,
         QList<TaskRecord>(TaskBasket::MaxTasks, Invert)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.number);
        TaskBasket basket;
        EXPECT_FALSE(openBytes(c.bytes, basket));
        expectOneReport(OpenRoutine, c.number, c.line);
        EXPECT_EQ(basket.size(), c.kept.size());
        EXPECT_TRUE(basket.tasks() == c.kept);  // not EXPECT_EQ: a failure would print every task
    }

    // A file that cannot be opened leaves an empty basket.
    TaskBasket basket;
    fill(basket, everyKind());
    EXPECT_FALSE(fncOpenTaskBasket(path("missing.tbf"), basket, false));
    expectOneReport(OpenRoutine, errnum::FileNotFound, 0);
    EXPECT_TRUE(basket.isEmpty());
    EXPECT_FALSE(fncOpenTaskBasket(dir_.path(), basket, false));
    expectOneReport(OpenRoutine, errnum::PathFileAccess, 0);
}

// --- clsFile --------------------------------------------------------------------------------------

TEST_F(clsFileTest, QuotedAndPlainFieldsFollowTheListInputRulesAndLinesEndAtAnyLineEnd)
{
    const std::pair<QByteArray, QStringList> cases[] = {
        {"\"a, b\",\"  c  \",\"two\r\nlines\"\r\n", {"a, b", "  c  ", "two\r\nlines"}},
        {"\"abc\" junk,  \"d\"x\r\n\"e\"", {"abc", "d", "e"}},  // text after a closing quote is dropped
        {"\"a\",\"b, c\r\n", {"a", "b, c\r\n"}},                 // a quote left open runs to the end
        {"a,,b\r\nc,\n d \r\n", {"a", "", "b", "c", "", "d"}},
    };
    for (const auto& [bytes, fields] : cases) {
        writeBytes(path("r.txt"), bytes);
        clsFile file;
        ASSERT_TRUE(file.OpenForRead(path("r.txt")));
        EXPECT_EQ(file.readRecord(static_cast<int>(fields.size())), fields);
        EXPECT_TRUE(file.fEof());
        EXPECT_THROW(file.readRecord(1), LumoraError);
    }

    // Whole lines end at every kind of line end.
    writeBytes(path("l.txt"), "one, \"two\"\r\nthree\nfour\r\r\nsix");
    clsFile file;
    ASSERT_TRUE(file.OpenForRead(path("l.txt")));
    QStringList lines;
    while (!file.fEof())
        lines << file.readLine();
    EXPECT_EQ(lines, (QStringList{"one, \"two\"", "three", "four", "", "six"}));
    EXPECT_THROW(file.readLine(), LumoraError);
}

TEST_F(clsFileTest, NothingReachesTheDiskWithoutASuccessfulClose)
{
    writeBytes(path("old.txt"), "old\r\n");
    clsFile file;
    ASSERT_TRUE(file.OpenForWrite(path("old.txt")));
    file.writeValue("new");
    ASSERT_TRUE(file.OpenForWrite(path("fresh.txt")));  // drops the write to old.txt
    file.writeValue("new");
    file.abandon();
    EXPECT_FALSE(file.closefile());
    EXPECT_TRUE(file.readRecord(1).isEmpty());  // nothing open to read from
    // (A refused record spoiling the whole file is judged through a task basket save above.)
    EXPECT_EQ(readBytes(path("old.txt")), "old\r\n");
    EXPECT_EQ(entries(), QStringList{"old.txt"});
}
