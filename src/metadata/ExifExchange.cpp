#include "metadata/ExifExchange.h"

#include "core/AppInfo.h"
#include "core/CurrentOperation.h"
#include "core/ErrorReporter.h"
#include "core/LumoraError.h"
#include "core/ReportFailures.h"
#include "engine/ImageBox.h"
#include "metadata/ExifDisplayName.h"
#include "metadata/MetadataDateText.h"
#include "metadata/MetadataList.h"
#include "metadata/MetadataTables.h"
#include "metadata/MetadataUpdate.h"
#include "metadata/clsFileEXIF.h"

#include <QFile>

namespace lumora::modMetadata {
namespace {

constexpr qsizetype kLongestExifText = 60000;

[[noreturn]] void fileFailed(const clsFileEXIF& file)
{
    throw LumoraError(file.lastErrorNumber(), file.lastError());
}

void addOrUpdateRow(MetadataList& list, const QString& name, const QString& value)
{
    const int row = list.findKey(name, Qt::CaseInsensitive);
    if (row >= 0) {
        list.setValue(row, value);
        return;
    }
    const QString displayName = fncFormattedAttributed(name);
    list.addRow(MetadataRow{displayName.isEmpty() ? name : displayName, name, name, value, true});
}

// Reads every record of a .xiff file in turn; `line` counts the records for the error report.
template <typename EachRecord>
void forEachRecord(const QString& xiffPath, int& line, EachRecord&& eachRecord)
{
    clsFileEXIF file;
    if (!file.OpenForRead(xiffPath))
        fileFailed(file);
    while (!file.fEof()) {
        ++line;
        QString name;
        QString value;
        file.ReadEXIF(name, value);
        eachRecord(name, value);
    }
    file.closefile();
}

}  // namespace

ExifSaveResult SaveExifRows(const MetadataList& list, const QString& path)
{
    SetCurrentOperation(QStringLiteral("Saving EXIF information to file"));
    const QString fileName = exifExchangeFileName(path);
    ExifSaveResult result = ExifSaveResult::Failed;
    int line = 0;
    reportFailures(QStringLiteral("modMetadata.fncSaveEXIF"), line, [&] {
        clsFileEXIF file;
        if (!file.OpenForWrite(fileName))
            fileFailed(file);
        int written = 0;
        for (const MetadataRow& row : list.rows()) {
            if (row.key.isEmpty())
                continue;
            ++line;
            file.WriteEXIF(row.key, row.value);
            ++written;
        }
        if (written == 0) {
            // An empty exchange file would only mislead whoever opens it later.
            file.abandon();
            if (QFile::exists(fileName) && !QFile::remove(fileName))
                throw LumoraError(errnum::PathFileAccess, QStringLiteral("Path/File access error: ") + fileName);
            result = ExifSaveResult::NothingToSave;
            return;
        }
        if (!file.closefile())
            fileFailed(file);
        result = ExifSaveResult::Saved;
    });
    return result;
}

bool OpenExifAsks(const MetadataList& list) { return !list.isEmpty(); }

bool fncOpenEXIF(const QString& xiffPath, MetadataList& list, ImageBox& engine)
{
    SetCurrentOperation(QStringLiteral("Opening EXIF .xiff file"));
    int line = 0;
    return reportFailures(QStringLiteral("modMetadata.fncOpenEXIF"), line, [&] {
        forEachRecord(xiffPath, line, [&](const QString& name, const QString& value) {
            if (fncUpdateAttribute(list.tag(), false, name, value, engine))
                addOrUpdateRow(list, name, value);
            SetCurrentOperation(QStringLiteral("Opening EXIF .xiff file"));
        });
    });
}

bool subLoadEXIFFile(const QString& xiffPath, ImageBox& engine)
{
    SetCurrentOperation(QStringLiteral("Loading EXIF .xiff file into the image"));
    const QString routine = QStringLiteral("modMetadata.subLoadEXIFFile");
    int line = 0;
    return reportFailures(routine, line, [&] {
        forEachRecord(xiffPath, line, [&](const QString& name, const QString& value) {
            // A photo's whole EXIF block holds at most 64 KB: a longer text could only make the
            // photo's metadata fail to be written. It is said and left out; the rest goes on.
            if (const qsizetype bytes = value.toUtf8().size(); bytes > kLongestExifText) {
                ReportError(QStringLiteral("%1: a text of %2 bytes does not fit into a photo's EXIF (at most %3); "
                                           "left out")
                                .arg(name)
                                .arg(bytes)
                                .arg(kLongestExifText),
                            errnum::Overflow, line, routine);
                return;
            }
            engine.SetExifAttribute(name, IsExifDate(name) ? ImageBox::DateToExifDate(DateOfValue(value).value_or(
                                                                 ImageBox::ZeroDate()))
                                                           : value);
        });
        engine.SetExifAttribute(QStringLiteral("Software"), QString::fromUtf8(app::Title));
    });
}

}  // namespace lumora::modMetadata
