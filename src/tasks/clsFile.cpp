#include "tasks/clsFile.h"

#include "core/LumoraError.h"
#include "core/RegularFile.h"
#include "core/TextCodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace lumora {
namespace {

bool isBlank(QChar c) { return c == u' ' || c == u'\t'; }
bool isLineEnd(QChar c) { return c == u'\r' || c == u'\n'; }

LumoraError pastEnd()
{
    return LumoraError(errnum::InputPastEndOfFile, QStringLiteral("Input past end of file"));
}

QString accessError(const QString& filename, const QString& reason)
{
    return QStringLiteral("Path/File access error: %1 (%2)").arg(QDir::toNativeSeparators(filename), reason);
}

}  // namespace

clsFile::clsFile() = default;

clsFile::~clsFile() { abandon(); }

bool clsFile::fail(int number, const QString& description)
{
    lastErrorNumber_ = number;
    lastError_ = description;
    return false;
}

void clsFile::reset()
{
    if (out_)
        out_->cancelWriting();
    out_.reset();
    text_.clear();
    pos_ = 0;
    writeFailed_ = false;
    mode_ = Mode::Closed;
}

void clsFile::abandon() { reset(); }

bool clsFile::OpenForRead(const QString& filename)
{
    reset();
    fileName_ = filename;
    lastError_.clear();
    lastErrorNumber_ = 0;

    const QFileInfo info(filename);
    if (!info.exists())
        return fail(errnum::FileNotFound,
                    QStringLiteral("File not found: %1").arg(QDir::toNativeSeparators(filename)));
    if (info.isDir())
        return fail(errnum::PathFileAccess, accessError(filename, QStringLiteral("it is a folder")));
    // A pipe would hold the open until someone writes to it.
    if (const QString special = NotRegularFileText(filename); !special.isEmpty())
        return fail(errnum::PathFileAccess, special);

    QFile file(filename);
    if (!file.open(QIODevice::ReadOnly))
        return fail(errnum::PathFileAccess, accessError(filename, file.errorString()));
    // Read in chunks up to one byte past the limit, without trusting the reported size (devices
    // and special files report none) and without reserving the whole limit up front.
    QByteArray bytes;
    while (bytes.size() <= MaxFileSize) {
        const QByteArray chunk = file.read(std::min<qint64>(1 << 16, MaxFileSize + 1 - bytes.size()));
        if (chunk.isEmpty())
            break;
        bytes += chunk;
    }
    if (file.error() != QFileDevice::NoError)
        return fail(errnum::DeviceIO, QStringLiteral("Device I/O error: %1 (%2)")
                                          .arg(QDir::toNativeSeparators(filename), file.errorString()));
    if (bytes.size() > MaxFileSize)
        return fail(errnum::PathFileAccess, accessError(filename, QStringLiteral("the file is too large")));

    text_ = decodeText(bytes);
    pos_ = 0;
    mode_ = Mode::Reading;
    return true;
}

bool clsFile::OpenForWrite(const QString& filename)
{
    reset();
    fileName_ = filename;
    lastError_.clear();
    lastErrorNumber_ = 0;

    const QFileInfo info(filename);
    if (info.isDir())
        return fail(errnum::PathFileAccess, accessError(filename, QStringLiteral("it is a folder")));
    if (!info.absoluteDir().exists())
        return fail(errnum::PathNotFound,
                    QStringLiteral("Path not found: %1").arg(QDir::toNativeSeparators(info.absolutePath())));

    auto out = std::make_unique<QSaveFile>(filename);
    if (!out->open(QIODevice::WriteOnly))
        return fail(errnum::PathFileAccess, accessError(filename, out->errorString()));
    out_ = std::move(out);
    mode_ = Mode::Writing;
    return true;
}

bool clsFile::closefile()
{
    switch (mode_) {
    case Mode::Closed:
        return false;
    case Mode::Reading:
        reset();
        return true;
    case Mode::Writing:
        break;
    }
    if (writeFailed_) {  // the error is already kept
        reset();
        return false;
    }
    // flush() first: commit() does not notice when buffered bytes fail to reach the file (a full
    // disk) and would put a cut file in place of the old one.
    const bool committed = out_->flush() && out_->commit();
    if (!committed)
        fail(errnum::DeviceIO, QStringLiteral("Device I/O error: %1 (%2)")
                                   .arg(QDir::toNativeSeparators(fileName_), out_->errorString()));
    out_.reset();
    reset();
    return committed;
}

bool clsFile::fEof() const { return mode_ != Mode::Reading || pos_ >= text_.size(); }

void clsFile::skipLineEnd()
{
    if (pos_ < text_.size() && text_[pos_] == u'\r')
        ++pos_;
    if (pos_ < text_.size() && text_[pos_] == u'\n')
        ++pos_;
}

void clsFile::skipSeparator()
{
    if (pos_ >= text_.size())
        return;
    if (text_[pos_] == u',')
        ++pos_;
    else
        skipLineEnd();
}

QString clsFile::readLine()
{
    if (mode_ != Mode::Reading)
        return {};
    if (pos_ >= text_.size())
        throw pastEnd();
    const qsizetype start = pos_;
    while (pos_ < text_.size() && !isLineEnd(text_[pos_]))
        ++pos_;
    const QString line = text_.sliced(start, pos_ - start);
    skipLineEnd();
    return line;
}

QString clsFile::readField()
{
    const qsizetype n = text_.size();
    while (pos_ < n && isBlank(text_[pos_]))
        ++pos_;
    if (pos_ >= n)
        throw pastEnd();

    QString value;
    if (text_[pos_] == u'"') {
        const qsizetype start = pos_ + 1;
        const qsizetype close = text_.indexOf(u'"', start);
        // A quote left open runs to the end of the data.
        const qsizetype end = close < 0 ? n : close;
        value = text_.sliced(start, end - start);
        pos_ = close < 0 ? n : close + 1;
        while (pos_ < n && text_[pos_] != u',' && !isLineEnd(text_[pos_]))
            ++pos_;
    } else {
        const qsizetype start = pos_;
        while (pos_ < n && text_[pos_] != u',' && !isLineEnd(text_[pos_]))
            ++pos_;
        qsizetype end = pos_;
        while (end > start && isBlank(text_[end - 1]))
            --end;
        value = text_.sliced(start, end - start);
    }
    skipSeparator();
    return value;
}

QStringList clsFile::readRecord(int fieldCount)
{
    QStringList fields;
    if (mode_ != Mode::Reading)
        return fields;
    // A record cut short leaves the position where the data ran out, like any read past the end.
    for (int i = 0; i < fieldCount; ++i)
        fields.append(readField());
    return fields;
}

QString clsFile::readQuotedLine()
{
    const QString line = readLine();
    qsizetype start = 0;
    qsizetype end = line.size();
    while (start < end && isBlank(line[start]))
        ++start;
    while (end > start && isBlank(line[end - 1]))
        --end;
    // Fewer than two characters leave nothing between the first and the last.
    return end - start < 2 ? QString() : line.sliced(start + 1, end - start - 2);
}

void clsFile::read_ImageBasket(QString& path, QString& description)
{
    if (mode_ != Mode::Reading)
        return;
    const QStringList fields = readRecord(2);
    path = fields.at(0);
    description = fields.at(1);
}

void clsFile::writeText(const QString& text)
{
    const QByteArray bytes = encodeText(text);
    if (out_->write(bytes) != bytes.size()) {
        writeFailed_ = true;
        fail(errnum::DeviceIO, QStringLiteral("Device I/O error: %1 (%2)")
                                   .arg(QDir::toNativeSeparators(fileName_), out_->errorString()));
        throw LumoraError(lastErrorNumber_, lastError_);
    }
}

void clsFile::writeRecord(const QStringList& fields)
{
    if (mode_ != Mode::Writing)
        return;
    QString line;
    for (const QString& field : fields) {
        if (field.contains(u'"')) {
            // Written as it is, the quote would end the field early and shift every field after it
            // when the file is read back; a file that reads back wrong is worse than no file.
            writeFailed_ = true;
            fail(
                errnum::InvalidProcedureCall,
                QStringLiteral("Invalid procedure call or argument: a value holding a double quote cannot be "
                               "written to %1: %2")
                    .arg(QDir::toNativeSeparators(fileName_), field));
            throw LumoraError(lastErrorNumber_, lastError_);
        }
        if (!line.isEmpty())
            line += u',';
        line += u'"' + field + u'"';
    }
    line += QStringLiteral("\r\n");
    writeText(line);
}

void clsFile::writeValue(const QString& value) { writeRecord(QStringList{value}); }

void clsFile::write_ImageBasket(const QString& path) { writeValue(path); }

void clsFile::write_ImageBasket(const QString& path, const QString& description)
{
    writeRecord(QStringList{path, description});
}

}  // namespace lumora
