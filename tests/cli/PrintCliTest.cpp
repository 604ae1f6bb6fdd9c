// lumora-batch print: pages laid out by the settings file's Print block, judged from the PDF by
// poppler (pdfinfo for the pages, pdftoppm for where the photo is); jobs to a real CUPS queue.

#include "cli/LumoraBatch.h"
#include "settings/SetupFile.h"
#include "support/CupsScheduler.h"

#include <QImage>
#include <QPageSize>
#include <QRegularExpression>

namespace lumora::test {
namespace {

// A photo of one colour with the resolution its file states.
QString writePhoto(const QString& path, QSize size, QColor colour, int dpi = 72)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    image.setDotsPerMeterX(qRound(dpi / 0.0254)), image.setDotsPerMeterY(qRound(dpi / 0.0254));
    image.save(path);
    return path;
}

QStringList pageSizes(const QString& pdf)
{
    const ToolResult info = runTool(QStringLiteral("pdfinfo"), {QStringLiteral("-f"), QStringLiteral("1"),
                                                                QStringLiteral("-l"), QStringLiteral("99"), pdf});
    QStringList sizes;
    const QRegularExpression page(QStringLiteral("Page +\\d+ size: +([\\d.]+) x ([\\d.]+) pts"));
    for (auto it = page.globalMatch(info.out); it.hasNext();) {
        const auto m = it.next();
        sizes << QStringLiteral("%1x%2").arg(qRound(m.captured(1).toDouble())).arg(qRound(m.captured(2).toDouble()));
    }
    return sizes;
}

// Page `page` at 72 dpi, one pixel a point.
QImage renderPage(const QString& pdf, int page)
{
    const QString prefix = pdf + QStringLiteral("-page");
    const QString n = QString::number(page);
    runTool(QStringLiteral("pdftoppm"),
            {QStringLiteral("-r"), QStringLiteral("72"), QStringLiteral("-f"), n, QStringLiteral("-l"), n,
             QStringLiteral("-singlefile"), QStringLiteral("-png"), pdf, prefix});
    return QImage(prefix + QStringLiteral(".png"));
}

// The rows and columns holding at least 20 pixels of the colour: where the photo is, text aside.
QRect photoBounds(const QImage& page, QColor colour, int tolerance = 12)
{
    auto near = [&](QRgb p) {
        return std::abs(qRed(p) - colour.red()) <= tolerance && std::abs(qGreen(p) - colour.green()) <= tolerance
               && std::abs(qBlue(p) - colour.blue()) <= tolerance;
    };
    QList<int> rows(page.height()), columns(page.width());
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (near(page.pixel(x, y)))
                ++rows[y], ++columns[x];
    auto span = [](const QList<int>& counts) {
        const auto first = std::find_if(counts.begin(), counts.end(), [](int c) { return c >= 20; });
        const auto last = std::find_if(counts.rbegin(), counts.rend(), [](int c) { return c >= 20; });
        return first == counts.end() ? std::pair(0, -1)
                                     : std::pair(int(first - counts.begin()), int(counts.rend() - last) - 1);
    };
    const auto [top, bottom] = span(rows);
    const auto [left, right] = span(columns);
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

// How far the found edges are from the expected ones, in points.
double edgeError(const QRect& found, const QRectF& expected)
{
    return std::max({std::abs(found.left() - expected.left()), std::abs(found.top() - expected.top()),
                     std::abs(found.right() + 1 - expected.right()), std::abs(found.bottom() + 1 - expected.bottom())});
}

class PrintCliTest : public BatchFolderTest {
protected:
    // Prints one photo into a PDF with the Print block changed by change.
    QString printToPdf(const QString& photo, const std::function<void(SetupRecord::Print&)>& change)
    {
        SetupRecord record = defaultSetup(QString());
        change(record.print);
        EXPECT_TRUE(subSaveSetup(record, path(QStringLiteral("lumora"))));
        const ToolResult r = lumoraBatch({QStringLiteral("print"), QStringLiteral("--settings"), path(QStringLiteral("lumora")),
                                          QStringLiteral("--to-pdf"), path(QStringLiteral("out.pdf")), photo});
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        return path(QStringLiteral("out.pdf"));
    }
};

TEST_F(PrintCliTest, EachOptionSetPutsThePhotoWhereTheLayoutSays)
{
    using Print = SetupRecord::Print;
    const QColor red(255, 0, 0), greyRed(87, 87, 87);
    // The photo's place in points on the page; a first start prints on the printer's default
    // paper (A4 for a PDF), turned like the photo, fitted and centred.
    const struct {
        std::function<void(Print&)> change;
        QSize pixels;
        int dpi;
        QString page;
        QRectF photo;
        QColor printed;
    } cases[] = {
        {[](Print&) {}, {600, 400}, 72, "842x595", {0, 17.0, 841.9, 561.3}, red},
        {[](Print& p) { p.optionA = QPageSize::A5, p.optionB = 1, p.optionC = 1, p.optionD = 10, p.optionE = 20, p.optionH = 1; },
         {300, 150}, 100, "420x595", {28.35, 56.69, 216, 108}, red},
        {[](Print& p) { p.optionH = 2, p.optionG = 50; }, {400, 400}, 200, "595x842", {261.6, 384.9, 72, 72}, red},
        {[](Print& p) { p.optionB = 2, p.flagI = -1, p.flagJ = -1; }, {200, 400}, 72, "842x595", {276.1, 0, 289.6, 579.3},
         greyRed},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.page.toStdString() + " " + std::to_string(c.dpi));
        const QString pdf = printToPdf(writePhoto(path(QStringLiteral("photo.png")), c.pixels, red, c.dpi), c.change);
        EXPECT_EQ(pageSizes(pdf), QStringList{c.page});
        const QImage page = renderPage(pdf, 1);
        EXPECT_LE(edgeError(photoBounds(page, c.printed), c.photo), 2);
        if (c.printed == greyRed) {
            // The file name in 9-point letters under the photo: "photo.png" is some 45 points wide.
            QRect dark;
            for (int y = qRound(c.photo.bottom()) + 2; y < page.height(); ++y)
                for (int x = 0; x < page.width(); ++x)
                    if (qGray(page.pixel(x, y)) < 60)
                        dark |= QRect(x, y, 1, 1);
            EXPECT_TRUE(dark.width() > 30 && dark.width() < 70 && dark.height() < 14) << dark.width() << "x" << dark.height();
        }
    }
}

TEST_F(PrintCliTest, ThreePhotosMakeThreePagesOrThreeJobs)
{
    const QStringList photos = {writePhoto(path(QStringLiteral("wide.png")), {600, 300}, Qt::red),
                                writePhoto(path(QStringLiteral("tall.png")), {300, 600}, Qt::green),
                                writePhoto(path(QStringLiteral("square.png")), {300, 300}, Qt::blue)};
    const QColor colours[] = {Qt::red, Qt::green, Qt::blue};
    const QRectF fitted[] = {{0, 87.2, 841.9, 421}, {87.2, 0, 420.9, 841.9}, {0, 123.3, 595.3, 595.3}};

    const QString pdf = path(QStringLiteral("all.pdf"));
    const ToolResult r = lumoraBatch({QStringLiteral("print"), QStringLiteral("--to-pdf"), pdf, photos[0], photos[1],
                                      photos[2], path(QStringLiteral("missing.png"))});
    expectFailure(r, QStringLiteral("missing.png"));
    EXPECT_EQ(pageSizes(pdf), (QStringList{"842x595", "595x842", "595x842"}));
    for (int i = 0; i < 3; ++i)
        EXPECT_LE(edgeError(photoBounds(renderPage(pdf, i + 1), colours[i]), fitted[i]), 2) << i;

    CupsScheduler cups;
    ASSERT_TRUE(cups.start()) << cups.error().toStdString();
    const ToolResult printed = lumoraBatch(
        {QStringLiteral("print"), QStringLiteral("--printer"), cups.queue(), photos[0], photos[1], photos[2]});
    ASSERT_EQ(printed.exitCode, 0) << printed.err.toStdString();
    const QStringList jobs = cups.waitForPdfs(3);
    ASSERT_EQ(jobs.size(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(pageSizes(jobs[i]).size(), 1);
        EXPECT_FALSE(photoBounds(renderPage(jobs[i], 1), colours[i], 40).isEmpty()) << i;
    }
}

}  // namespace
}  // namespace lumora::test
