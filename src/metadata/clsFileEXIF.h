#pragma once

#include "tasks/clsFile.h"

#include <QString>

namespace lumora {

// The file name an EXIF exchange file is saved under: the path with ".xiff" appended unless its
// last five characters, lower-cased, are ".xiff".
QString exifExchangeFileName(const QString& path);

// Reads and writes EXIF exchange files (".xiff"), which carry the user-editable EXIF attributes of
// one photo to others: one record per line, the raw attribute name and the value text, each in
// double quotes, a comma between ("Artist","Studio" and CR LF). No header, no count.
//
// The records are clsFile records of two fields, so everything clsFile promises holds here: UTF-8
// on write, UTF-8 or Windows-1252 on read, LF or CR LF, writes that reach the disk only at a
// successful closefile(), reads and writes that do nothing when no file is open for them.
class clsFileEXIF {
public:
    bool OpenForRead(const QString& filename) { return file_.OpenForRead(filename); }
    // Creates the file or replaces its content, at closefile().
    bool OpenForWrite(const QString& filename) { return file_.OpenForWrite(filename); }
    // True when a file was open and, for a write, its records reached the disk.
    bool closefile() { return file_.closefile(); }
    void abandon() { file_.abandon(); }

    bool fEof() const { return file_.fEof(); }
    QString readLine() { return file_.readLine(); }

    // The next record. Each quoted field is taken up to its closing quote and whatever follows it
    // up to the next comma or line end is dropped, so a value that held a double quote comes back
    // cut at that quote. A record is two fields wherever they fall: a quoted value may span lines
    // (a multi-line description survives), and a line holding one field takes the next line's
    // first field as its value. A record cut short by the end of the file raises LumoraError 62,
    // like any read past the end; nothing is read when no file is open.
    void ReadEXIF(QString& attribute, QString& value);
    // One record. The format cannot hold a double quote inside a value: the value is written up to
    // its first double quote, which is what any reader of the file would take of it, and the
    // records after it stay in step. An attribute name holding one (never a real EXIF name) is
    // refused with LumoraError 5 and closefile() then saves nothing.
    void WriteEXIF(const QString& attribute, const QString& value);

    const QString& fileName() const { return file_.fileName(); }
    bool isOpen() const { return file_.isOpen(); }
    const QString& lastError() const { return file_.lastError(); }
    int lastErrorNumber() const { return file_.lastErrorNumber(); }

private:
    clsFile file_;
};

}  // namespace lumora
