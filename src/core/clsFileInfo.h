#pragma once

#include <QString>

#include <functional>

namespace lumora {

// The facts about one file that Lumora shows next to images: names, folder, extension, size as
// readable text, type name, the three times and the attributes. The folder listing, the preview
// and the basket keep one shared instance; they set FilePath and read the facts.
//
// Everything is gathered at once when FilePath is set (or RefreshInfo runs) and kept until the
// next refresh, so reading a fact never touches the disk. A fact that cannot be read stays empty
// or zero; nothing here raises.
//
// What the Linux desktop has no counterpart for:
// - short (8.3) names: the short name and path are the long ones;
// - version resources: the version facts stay empty and the target system reads
//   "Undefined or Unknown" (targetOSName keeps the full table for the show players, which may
//   carry version data one day);
// - compression by the file system: a file is never "compressed", its compressed size is 0;
// - shell icons: fIconName gives the freedesktop icon name of the file's type, which the window
//   resolves through its icon theme.
class clsFileInfo {
public:
    using WarningHandler = std::function<void(const QString& message)>;

    clsFileInfo();

    // The path last accepted. Setting a path that cannot be opened for reading changes nothing:
    // the previous file's facts stay.
    const QString& FilePath() const { return filePath_; }
    void setFilePath(const QString& path);

    // Reads every fact of FilePath again. Does nothing but clear when no path was set.
    void RefreshInfo();
    // Empties every fact (FilePath too).
    void ClearFileInfo();

    const QString& fName32bit() const { return name_; }
    const QString& fName16bit() const { return name_; }
    const QString& fPath32bit() const { return filePath_; }
    const QString& fPath16bit() const { return shortPath_; }
    // The folder part of the path, with its trailing "/": the path without the name.
    const QString& fLocation() const { return location_; }
    const QString& fFileExtention() const { return extension_; }

    // 64-bit here; the sizes were 32-bit in Lumora's first file-information class, which could
    // not describe files of 2 GB and more.
    qint64 fSize() const { return size_; }
    // The size text composed at the last refresh. The argument sets the detail flag for the next
    // refresh (1 = append the byte count, anything else = no count); a request without it sets
    // the flag back to 0. The folder listing passes its file-size style each time it asks.
    QString fSizeFormated(int sz = 0);
    qint64 fSizeCompressed() const { return sizeCompressed_; }
    const QString& fSizeCompressedFormated() const { return sizeCompressedText_; }

    // The MIME database's name of the file's type ("PNG image"); when the database cannot tell,
    // the upper-case extension followed by " File" ("XYZ File", or "File" without extension).
    const QString& fType() const { return type_; }

    // Local times as the desktop's short date, a blank and its long time.
    const QString& fDateCreated() const { return dateCreated_; }
    const QString& fDateModified() const { return dateModified_; }
    const QString& fDateAccessed() const { return dateAccessed_; }

    bool fATTR_Archive() const { return false; }
    bool fATTR_Compressed() const { return false; }
    bool fATTR_Hidden() const { return hidden_; }
    bool fATTR_Normal() const { return normal_; }
    bool fATTR_ReadOnly() const { return readOnly_; }
    bool fATTR_System() const { return false; }
    bool fATTR_Temporary() const { return false; }

    // Icon theme name of the file's type ("image-png"); "" before the first refresh.
    const QString& fIconName() const { return iconName_; }

    // Version facts: always empty here (see above).
    QString fVersion() const { return {}; }
    QString fVersion_Major() const { return {}; }
    QString fVersion_Minor() const { return {}; }
    QString fVersion_Rev() const { return {}; }
    QString fDecription() const { return {}; }
    QString fCopyright() const { return {}; }
    QString fCompanyName() const { return {}; }
    QString fInternalName() const { return {}; }
    QString fLegalTrademark() const { return {}; }
    QString fOriginalFileName() const { return {}; }
    QString fProductName() const { return {}; }
    QString fProductVersion() const { return {}; }
    QString fLanguage() const { return {}; }
    const QString& fTargetOS() const { return targetOS_; }

    // Readable size of s bytes: "500 bytes", "1.50KB", "20.0KB", "5.00MB", "1.25GB"; -1 reads
    // "0.0KB (0 bytes)". With detail, " (1,536 bytes)" follows.
    static QString formatSize(qint64 s, bool detail);
    // Name of a target-system value of a version resource; "Undefined or Unknown" for any value
    // not in the table.
    static QString targetOSName(quint32 fileOS);

    // The text after the last "/" (the whole text when there is none).
    static QString StripFileFromPath(const QString& strFullPath);
    // The text after the last "." ("" when there is none).
    static QString StripFileExtention(const QString& strFileName);
    // True when the path names a regular file (not a folder, device or pipe) that can be opened
    // for reading.
    static bool CheckIfFileExists(const QString& strFullPath);
    // The path itself, since there are no short names here. For a path that does not exist the
    // warning handler gets "  File Not Found", the path and an explanation, separated by CR CR,
    // and the result is "".
    QString ConvertLong2Short(const QString& strFullPath) const;

    // Where ConvertLong2Short's warning goes; the window shows it in a message box. Without a
    // handler it is written to the Qt log.
    void setWarningHandler(WarningHandler handler) { warn_ = std::move(handler); }

private:
    QString filePath_;
    QString name_;
    QString shortPath_;
    QString location_;
    QString extension_;
    qint64 size_ = 0;
    QString sizeText_;
    int detailFlag_ = 0;
    qint64 sizeCompressed_ = 0;
    QString sizeCompressedText_;
    QString type_;
    QString dateCreated_;
    QString dateModified_;
    QString dateAccessed_;
    bool hidden_ = false;
    bool readOnly_ = false;
    bool normal_ = false;
    QString iconName_;
    QString targetOS_;
    WarningHandler warn_;
};

}  // namespace lumora
