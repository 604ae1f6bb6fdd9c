#include "shell/StatusPanels.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>

#include <algorithm>

namespace lumora {

namespace {
// The widest a panel without stretch grows for its text.
constexpr int MaxPanelWidth = 320;

struct PanelSpec {
    const char* key;
    const char* toolTip;
    const char* initialText;
    QStyle::StandardPixmap icon;  // SP_CustomBase: no icon
    // Only the folder panel stretches; the status bar gives a panel without stretch no more than
    // its minimum width, which follows the panel's text (setPanelText).
    int stretch;
    // The text the panel must have room for without clipping.
    const char* roomFor;
};

const PanelSpec panelSpecs[] = {
    {"filename", "Filename of the previewed image", "No file selected", QStyle::SP_FileDialogDetailedView, 0, "No file selected"},
    {"pages", "Total number of pages", "", QStyle::SP_CustomBase, 0, "999 page(s)"},
    {"resolution", "Width, Height, Depth, Type of the previewed image", "", QStyle::SP_CustomBase, 0, "     99999 X 99999 X 24"},
    {"queue", "Total number of files in the image basket", "No files in basket", QStyle::SP_DirOpenIcon, 0, "9999 file(s) in basket"},
    {"metadata", "Metadata type present in the previewed image", "", QStyle::SP_FileDialogInfoView, 0, "Metadata - EXIF IPTC"},
    {"folder", "Path of the current working folder", "", QStyle::SP_DirIcon, 1, ""},
    {"status", "zoom factor of the current image", "", QStyle::SP_CustomBase, 0, "100%"},
};
}  // namespace

StatusPanels::StatusPanels(QWidget* parent) : QStatusBar(parent)
{
    setObjectName(QStringLiteral("sbMain"));
    setSizeGripEnabled(true);
    for (const PanelSpec& spec : panelSpecs) {
        auto* box = new QWidget(this);
        box->setObjectName(QString::fromLatin1(spec.key) + QStringLiteral("Panel"));
        box->setToolTip(QString::fromLatin1(spec.toolTip));
        auto* layout = new QHBoxLayout(box);
        layout->setContentsMargins(4, 0, 4, 0);
        layout->setSpacing(4);
        if (spec.icon != QStyle::SP_CustomBase) {
            auto* icon = new QLabel(box);
            icon->setPixmap(style()->standardIcon(spec.icon).pixmap(16, 16));
            layout->addWidget(icon);
        }
        auto* text = new QLabel(QString::fromLatin1(spec.initialText), box);
        text->setObjectName(QString::fromLatin1(spec.key));
        text->setToolTip(box->toolTip());
        // Long paths and names must not push the other panels out of the window: the panels with
        // short texts keep room for them, the folder panel takes what is left.
        const int room = std::max(40, text->fontMetrics().horizontalAdvance(QString::fromLatin1(spec.roomFor)) + 4);
        text->setMinimumWidth(room);
        text->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        if (spec.stretch == 0)
            rooms_.insert(QString::fromLatin1(spec.key), room);
        layout->addWidget(text, 1);
        addWidget(box, spec.stretch);
        texts_.insert(QString::fromLatin1(spec.key), text);
    }
}

const QStringList& StatusPanels::keys()
{
    static const QStringList names = [] {
        QStringList list;
        for (const PanelSpec& spec : panelSpecs)
            list << QString::fromLatin1(spec.key);
        return list;
    }();
    return names;
}

void StatusPanels::setPanelText(const QString& key, const QString& text)
{
    if (QLabel* label = texts_.value(key)) {
        label->setText(text);
        // A panel without stretch grows with its text (a long file name), up to a limit that
        // leaves the folder panel its share.
        if (rooms_.contains(key)) {
            const int wanted = std::min(label->fontMetrics().horizontalAdvance(text) + 4, MaxPanelWidth);
            label->setMinimumWidth(std::max(rooms_.value(key), wanted));
        }
        // The whole text stays readable where the panel is too narrow for it.
        label->setToolTip(text.isEmpty() ? label->parentWidget()->toolTip() : text);
    }
}

QString StatusPanels::panelText(const QString& key) const
{
    const QLabel* label = texts_.value(key);
    return label ? label->text() : QString();
}

QLabel* StatusPanels::panel(const QString& key) const
{
    return texts_.value(key);
}

}  // namespace lumora
