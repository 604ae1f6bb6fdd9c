#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class QSaveFile;

namespace lumora {

// A small sequential text file, the way Lumora's own list files are read and written (task
// basket, image basket, metadata basket, EXIF exchange). A record is a line of fields, each in
// double quotes, separated by commas and ended by CR LF. There is no escaping, so a value can hold
// commas, blanks and line ends but never a double quote.
//
// Reading loads and decodes the whole file at open (see decodeText); the files are small.
// Writing goes to a temporary file that only closefile() puts in place: a save that fails, or an
// object destroyed or abandon()ed before a successful close, leaves the old file as it was.
//
// Opens report failure by returning false and keeping the error; reads past the end and writes
// that cannot be done raise LumoraError. Reads and writes do nothing when no file is open for
// them.
class clsFile {
public:
    // Larger files are refused at open rather than read into memory: no list file of Lumora comes
    // near this, and a device or a mistaken choice of file must not exhaust memory.
    static constexpr qint64 MaxFileSize = 64 * 1024 * 1024;

    clsFile();
    ~clsFile();
    clsFile(const clsFile&) = delete;
    clsFile& operator=(const clsFile&) = delete;

    // True once the file is open. Opening drops whatever this object had open before; a write in
    // progress is discarded. On failure the error is kept (lastError, lastErrorNumber).
    bool OpenForRead(const QString& filename);
    // Creates the file or replaces its content, at closefile().
    bool OpenForWrite(const QString& filename);

    // Ends the reading or the writing. True when a file was open and, for a write, its data reached
    // the disk; false leaves the old file untouched and keeps the error.
    bool closefile();
    // Ends without saving anything written.
    void abandon();

    // True at the end of the data, and whenever no file is open for reading.
    bool fEof() const;
    // The next line without its line end (CR LF, LF or CR). LumoraError 62 past the end.
    QString readLine();
    // The next fieldCount fields, by the list-input rules. Each field ends at a comma or a line
    // end, which are both plain separators: a record may span lines and a line may hold several
    // records, and a line end right after a comma ends an empty field. A field in double quotes
    // loses its quotes and may hold commas, blanks and line ends; anything after its closing quote
    // up to the next separator is dropped, and a quote left open runs to the end of the data. An
    // unquoted field loses its surrounding blanks. LumoraError 62 when the data ends first.
    QStringList readRecord(int fieldCount);
    // The next line as a one-value line file holds it (image basket favourites, metadata
    // baskets): surrounding blanks removed, then the first and the last character dropped, which
    // are the quotes when the line was written by writeValue. A line without quotes therefore
    // loses two characters of its text; a blank line gives empty text. LumoraError 62 past the end.
    QString readQuotedLine();
    // One image basket description record (path, description): readRecord(2) into the two values.
    // Leaves them alone when no file is open.
    void read_ImageBasket(QString& path, QString& description);

    // One record: every field in double quotes, commas between, CR LF after. A field holding a
    // double quote cannot be written back as it is, so the record is refused with LumoraError 5
    // and the whole file with it: closefile() then saves nothing.
    void writeRecord(const QStringList& fields);
    // A record of one value.
    void writeValue(const QString& value);
    // The line of an image basket favourite file: the source path alone.
    void write_ImageBasket(const QString& path);
    // The line of an image basket description file: the source path, then the description.
    void write_ImageBasket(const QString& path, const QString& description);

    const QString& fileName() const { return fileName_; }
    bool isOpen() const { return mode_ != Mode::Closed; }
    const QString& lastError() const { return lastError_; }
    int lastErrorNumber() const { return lastErrorNumber_; }

private:
    enum class Mode { Closed, Reading, Writing };

    bool fail(int number, const QString& description);
    void reset();
    QString readField();
    void skipSeparator();
    void skipLineEnd();
    void writeText(const QString& text);

    Mode mode_ = Mode::Closed;
    QString fileName_;
    QString lastError_;
    int lastErrorNumber_ = 0;

    QString text_;  // the whole file while reading
    qsizetype pos_ = 0;

    std::unique_ptr<QSaveFile> out_;
    bool writeFailed_ = false;
};

}  // namespace lumora
