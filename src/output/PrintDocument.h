#pragma once

#include "output/PrintOptions.h"

#include <QPageSize>
#include <QString>

#include <memory>

class QPainter;
class QPdfWriter;

namespace lumora {

struct PrintedPhoto;

// A PDF of printed pages, one photo each, laid out as a printer would get them: what
// `lumora-batch print` hands to CUPS, or writes with --to-pdf. Each page takes the paper and
// orientation of its own photo. Nothing is left at path unless finish() succeeded.
class PrintDocument {
public:
    // printerPaper: the paper of a page on "the printer's default".
    explicit PrintDocument(const QString& path, const QPageSize& printerPaper = QPageSize(QPageSize::A4));
    ~PrintDocument();
    PrintDocument(const PrintDocument&) = delete;
    PrintDocument& operator=(const PrintDocument&) = delete;

    void addPage(const PrintedPhoto& photo, const PrintOptions& options);
    int pageCount() const { return pages_; }
    // Closes the file; false (with error()) when it could not be written.
    bool finish();
    QString error() const { return error_; }

private:
    QString path_;
    QString partPath_;
    QPageSize printerPaper_;
    std::unique_ptr<QPdfWriter> writer_;
    std::unique_ptr<QPainter> painter_;
    int pages_ = 0;
    QString error_;
};

}  // namespace lumora
