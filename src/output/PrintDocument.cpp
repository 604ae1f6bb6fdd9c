#include "output/PrintDocument.h"

#include "output/PrintLayout.h"
#include "output/PrintedPhoto.h"

#include <QFile>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace lumora {
namespace {

// Fine enough that a photo keeps its pixels; the photo itself goes in at its own resolution.
constexpr int PdfResolution = 300;

}  // namespace

PrintDocument::PrintDocument(const QString& path, const QPageSize& printerPaper)
    : path_(path), partPath_(path + QStringLiteral(".part")), printerPaper_(printerPaper)
{
}

PrintDocument::~PrintDocument()
{
    if (painter_) {
        painter_->end();
        painter_.reset();
        writer_.reset();
        QFile::remove(partPath_);
    }
}

void PrintDocument::addPage(const PrintedPhoto& photo, const PrintOptions& options)
{
    const QPageLayout layout = printPageLayout(options, photo.image.size(), printerPaper_);
    if (!writer_) {
        writer_ = std::make_unique<QPdfWriter>(partPath_);
        writer_->setResolution(PdfResolution);
        writer_->setCreator(QStringLiteral("Lumora"));
        writer_->setPageLayout(layout);
        painter_ = std::make_unique<QPainter>();
        if (!painter_->begin(writer_.get())) {
            error_ = QStringLiteral("cannot write \"%1\"").arg(path_);
            painter_.reset();
            return;
        }
    } else if (painter_) {
        writer_->setPageLayout(layout);
        writer_->newPage();
    }
    if (!painter_)
        return;
    paintPhotoPage(*painter_, *writer_, photo, options);
    ++pages_;
}

bool PrintDocument::finish()
{
    if (!painter_) {
        if (error_.isEmpty())
            error_ = QStringLiteral("no page to write to \"%1\"").arg(path_);
        return false;
    }
    const bool ended = painter_->end();
    painter_.reset();
    writer_.reset();
    QFile::remove(path_);
    if (!ended || !QFile::rename(partPath_, path_)) {
        QFile::remove(partPath_);
        error_ = QStringLiteral("cannot write \"%1\"").arg(path_);
        return false;
    }
    return true;
}

}  // namespace lumora
