#include "shell/AboutWindow.h"

#include "core/AppInfo.h"
#include "core/LibraryVersions.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace lumora {
namespace {

QLabel* namedLabel(const char* name, const QString& text)
{
    auto* label = new QLabel(text);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(Qt::AlignHCenter);
    label->setWordWrap(true);
    return label;
}

}  // namespace

AboutWindow::AboutWindow(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutWindow"));
    const QString title = QString::fromLatin1(app::Title);
    setWindowTitle(QStringLiteral("About ") + title);

    QLabel* lblTitle = namedLabel("lblTitle", title);
    QFont large = lblTitle->font();
    large.setBold(true);
    large.setPointSizeF(large.pointSizeF() * 2);
    lblTitle->setFont(large);

    QLabel* lblVersion = namedLabel("lblVersion", QStringLiteral("Version ") + QString::fromLatin1(app::Version));
    QString comments = QString::fromLatin1(app::Comments);
    if (!comments.isEmpty())
        comments[0] = comments[0].toUpper();
    QLabel* lblComments = namedLabel("lblComments", comments);
    QLabel* lblLicence = namedLabel(
        "lblLicence", QStringLiteral("Free software under the GNU General Public License, version 3 or later."));
    // The versions the libraries report in this run, so that a report of a problem names them.
    QString rows;
    for (const LibraryVersion& library : libraryVersions())
        rows += QStringLiteral("<tr><td>%1</td><td>&nbsp;&nbsp;%2</td></tr>")
                    .arg(library.name.toHtmlEscaped(), library.version.toHtmlEscaped());
    QLabel* lblLibraries =
        namedLabel("lblLibraries", QStringLiteral("Libraries in use:<table align=\"center\">%1</table>").arg(rows));

    auto* cmdOK = new QPushButton(QStringLiteral("OK"));
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    auto* buttons = new QDialogButtonBox;
    buttons->setCenterButtons(true);
    buttons->addButton(cmdOK, QDialogButtonBox::AcceptRole);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);

    // Wide enough that the licence line does not wrap into a narrow column.
    lblLibraries->setMinimumWidth(320);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 18, 24, 14);
    layout->setSpacing(10);
    layout->addWidget(lblTitle);
    layout->addWidget(lblVersion);
    layout->addWidget(lblComments);
    layout->addWidget(lblLicence);
    layout->addSpacing(8);
    layout->addWidget(lblLibraries);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace lumora
