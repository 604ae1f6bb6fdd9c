#include "output/CupsSubmission.h"

#include <QFile>
#include <QSizeF>

#include <cups/cups.h>

namespace lumora {

QPageSize cupsDefaultPaper(const QString& printer)
{
    const QByteArray name = printer.toUtf8();
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.isEmpty() ? nullptr : name.constData(), nullptr);
    if (!dest)
        return QPageSize(QPageSize::A4);
    QPageSize paper(QPageSize::A4);
    if (cups_dinfo_t* info = cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest)) {
        cups_size_t size{};
        // CUPS gives the sheet in hundredths of a millimetre.
        if (cupsGetDestMediaDefault(CUPS_HTTP_DEFAULT, dest, info, 0, &size) && size.width > 0 && size.length > 0)
            paper = QPageSize(QSizeF(size.width / 100.0, size.length / 100.0), QPageSize::Millimeter, QString(),
                              QPageSize::FuzzyMatch);
        cupsFreeDestInfo(info);
    }
    cupsFreeDests(1, dest);
    return paper;
}

int submitToCups(const QString& pdfPath, const QString& printer, const QString& title, int copies, QString& error)
{
    QByteArray destination = printer.toUtf8();
    if (destination.isEmpty()) {
        cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, nullptr, nullptr);
        if (!dest) {
            error = QStringLiteral("no default printer");
            return 0;
        }
        destination = dest->name;
        cupsFreeDests(1, dest);
    }
    cups_option_t* options = nullptr;
    int optionCount = 0;
    optionCount = cupsAddOption("copies", QByteArray::number(copies).constData(), optionCount, &options);
    const int job = cupsPrintFile(destination.constData(), QFile::encodeName(pdfPath).constData(),
                                  title.toUtf8().constData(), optionCount, options);
    cupsFreeOptions(optionCount, options);
    if (job == 0)
        error = QStringLiteral("printer \"%1\": %2")
                    .arg(QString::fromUtf8(destination), QString::fromUtf8(cupsLastErrorString()));
    return job;
}

}  // namespace lumora
