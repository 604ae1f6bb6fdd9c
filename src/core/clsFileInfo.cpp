#include "core/clsFileInfo.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QMimeDatabase>
#include <QMimeType>
#include <QtDebug>

namespace lumora {
namespace {

constexpr qint64 KB = 1024;
constexpr qint64 MB = KB * KB;
constexpr qint64 GB = MB * KB;

// Size texts always use "," between thousands and "." before decimals, whatever the desktop's
// locale: they are the same texts in every list, album page and report, and sorting or comparing
// them never depends on who made them. Times, by contrast, follow the desktop's locale.
QString groupThousands(qint64 value)
{
    // The magnitude as unsigned, so that the most negative value has one too.
    quint64 magnitude = value < 0 ? 0 - static_cast<quint64>(value) : static_cast<quint64>(value);
    QString digits = QString::number(magnitude);
    for (qsizetype i = digits.size() - 3; i > 0; i -= 3)
        digits.insert(i, u',');
    return value < 0 ? u'-' + digits : digits;
}

// s / unit with the given number of decimals, rounded half up, in exact integer arithmetic so
// that no size lands on the wrong side of a rounding step. s is positive here.
QString fixedPoint(qint64 s, qint64 unit, int decimals)
{
    const qint64 scale = decimals == 1 ? 10 : 100;
    qint64 whole = s / unit;
    qint64 fraction = ((s % unit) * scale * 2 + unit) / (2 * unit);
    if (fraction == scale) {
        ++whole;
        fraction = 0;
    }
    return QStringLiteral("%1.%2").arg(whole).arg(fraction, decimals, 10, QLatin1Char('0'));
}

QString localTimeText(const QDateTime& time)
{
    if (!time.isValid())
        return {};
    const QDateTime local = time.toLocalTime();
    const QLocale locale = QLocale::system();
    return locale.toString(local.date(), QLocale::ShortFormat) + u' '
        + locale.toString(local.time(), QLocale::LongFormat);
}

}  // namespace

clsFileInfo::clsFileInfo() = default;

void clsFileInfo::setFilePath(const QString& path)
{
    if (!CheckIfFileExists(path))
        return;
    ClearFileInfo();
    filePath_ = path;
    RefreshInfo();
}

void clsFileInfo::ClearFileInfo()
{
    const int detail = detailFlag_;  // a setting of the caller, not a fact of the file
    const WarningHandler warn = warn_;
    *this = clsFileInfo();
    detailFlag_ = detail;
    warn_ = warn;
}

void clsFileInfo::RefreshInfo()
{
    const QString path = filePath_;
    ClearFileInfo();
    if (path.isEmpty())
        return;
    filePath_ = path;

    const QFileInfo info(path);
    name_ = StripFileFromPath(path);
    shortPath_ = ConvertLong2Short(path);
    location_ = path.left(path.size() - name_.size());
    extension_ = StripFileExtention(name_);
    size_ = info.exists() ? info.size() : 0;
    sizeText_ = formatSize(size_, detailFlag_ == 1);

    // Not every file system records when a file was made; where it is missing, the time its
    // entry last changed (rename, permissions) is the nearest fact there is.
    const QDateTime born = info.birthTime();
    dateCreated_ = localTimeText(born.isValid() ? born : info.metadataChangeTime());
    dateModified_ = localTimeText(info.lastModified());
    dateAccessed_ = localTimeText(info.lastRead());

    // Reads the file's first bytes when the name alone does not tell the type.
    const QMimeType mime = QMimeDatabase().mimeTypeForFile(info);
    if (mime.isValid() && !mime.isDefault() && !mime.comment().isEmpty())
        type_ = mime.comment();
    else
        type_ = (extension_.toUpper() + QStringLiteral(" File")).trimmed();
    iconName_ = mime.isValid() ? mime.iconName() : QString();

    // Read-only is the owner's write permission, a property of the file like the attribute it
    // stands for, rather than whether this user may write (an administrator may write anything).
    hidden_ = name_.startsWith(u'.');
    readOnly_ = info.exists() && !info.permissions().testFlag(QFileDevice::WriteOwner);
    normal_ = !hidden_ && !readOnly_;

    sizeCompressed_ = 0;
    sizeCompressedText_ = QStringLiteral("Not Compressed");
    targetOS_ = targetOSName(0);
}

QString clsFileInfo::fSizeFormated(int sz)
{
    detailFlag_ = sz;
    return sizeText_;
}

QString clsFileInfo::formatSize(qint64 s, bool detail)
{
    if (s == -1)
        return QStringLiteral("0.0KB (0 bytes)");
    if (s < KB)
        return groupThousands(s) + QStringLiteral(" bytes");

    const qint64 k = s / KB;
    QString text;
    if (k < 10)
        text = fixedPoint(s, KB, 2) + QStringLiteral("KB");
    else if (k < 1000)
        text = fixedPoint(s, KB, 1) + QStringLiteral("KB");
    else if (k < 10000)
        text = fixedPoint(s, MB, 2) + QStringLiteral("MB");
    else if (k < 1000000)
        text = fixedPoint(s, MB, 1) + QStringLiteral("MB");
    else if (k < 10000000)
        text = fixedPoint(s, GB, 2) + QStringLiteral("GB");
    else
        // From about 9.5 GB on (sizes a 32-bit count never reached): one decimal, as the KB and
        // MB steps do past their first ten units.
        text = fixedPoint(s, GB, 1) + QStringLiteral("GB");

    if (detail)
        text += QStringLiteral(" (") + groupThousands(s) + QStringLiteral(" bytes)");
    return text;
}

QString clsFileInfo::targetOSName(quint32 fileOS)
{
    switch (fileOS) {
    case 0x10000: return QStringLiteral("MS-DOS");
    case 0x10001: return QStringLiteral("16bit Windows on DOS (Windows 3.0, 3.1x)");
    case 0x10004: return QStringLiteral("32bit Windows on DOS (Win32s)");
    case 0x20000: return QStringLiteral("16bit OS/2");
    case 0x20002: return QStringLiteral("16bit Presentation Manager on 16 bit OS/2");
    case 0x30000: return QStringLiteral("32bit OS/2");
    case 0x30003: return QStringLiteral("32-bit Presentation Manager on 32 bit OS/2");
    case 0x40000: return QStringLiteral("Windows NT");
    case 0x40004: return QStringLiteral("Win32 API on Windows NT");
    default: return QStringLiteral("Undefined or Unknown");
    }
}

QString clsFileInfo::StripFileFromPath(const QString& strFullPath)
{
    return strFullPath.mid(strFullPath.lastIndexOf(u'/') + 1);
}

QString clsFileInfo::StripFileExtention(const QString& strFileName)
{
    const qsizetype dot = strFileName.lastIndexOf(u'.');
    return dot < 0 ? QString() : strFileName.mid(dot + 1);
}

bool clsFileInfo::CheckIfFileExists(const QString& strFullPath)
{
    // Only regular files: opening a named pipe for reading would wait for a writer forever.
    if (!QFileInfo(strFullPath).isFile())
        return false;
    QFile file(strFullPath);
    return file.open(QIODevice::ReadOnly);
}

QString clsFileInfo::ConvertLong2Short(const QString& strFullPath) const
{
    if (QFileInfo::exists(strFullPath))
        return strFullPath;
    const QString message = QStringLiteral("  File Not Found\r\r") + strFullPath
        + QStringLiteral("\r\rCould not find this file to convert to 16bit file name.");
    if (warn_)
        warn_(message);
    else
        qWarning().noquote() << message;
    return {};
}

}  // namespace lumora
