#include "metadata/clsFileEXIF.h"

#include <QStringList>

namespace lumora {

QString exifExchangeFileName(const QString& path)
{
    static const QString extension = QStringLiteral(".xiff");
    if (path.endsWith(extension, Qt::CaseInsensitive))
        return path;
    return path + extension;
}

void clsFileEXIF::ReadEXIF(QString& attribute, QString& value)
{
    const QStringList fields = file_.readRecord(2);
    if (fields.size() != 2)  // nothing open to read from
        return;
    attribute = fields.at(0);
    value = fields.at(1);
}

void clsFileEXIF::WriteEXIF(const QString& attribute, const QString& value)
{
    const qsizetype quote = value.indexOf(u'"');
    file_.writeRecord(QStringList{attribute, quote < 0 ? value : value.first(quote)});
}

}  // namespace lumora
