#include "output/CupsSubmission.h"

#include <QFile>

#include <cups/cups.h>

namespace lumora {

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
        error = QStringLiteral("printer \"%1\": %2").arg(QString::fromUtf8(destination), QString::fromUtf8(cupsLastErrorString()));
    return job;
}

}  // namespace lumora
