#include "shell/MetadataCommands.h"

#include "core/CurrentOperation.h"
#include "core/ReportFailures.h"
#include "engine/ImageBox.h"
#include "metadata/ExifEditing.h"
#include "metadata/ExifExchange.h"
#include "metadata/IptcExchange.h"
#include "metadata/IptcListEdits.h"
#include "metadata/MetadataDateText.h"
#include "metadata/MetadataList.h"
#include "metadata/MetadataMessages.h"
#include "metadata/MetadataTables.h"
#include "metadata/MetadataUpdate.h"
#include "shell/FileDialogs.h"
#include "shell/MessageBoxes.h"
#include "shell/MetadataPane.h"
#include "shell/PreviewPane.h"
#include "shell/frmExifEditAttribute.h"
#include "shell/frmExifNewAttribute.h"
#include "shell/frmIPTCCategory.h"
#include "shell/frmIPTCKeywords.h"

#include <QAction>
#include <QApplication>

namespace lumora {

using namespace modMetadata;

namespace {

const QString KeywordsLabel = QStringLiteral("Keywords");
const QString CategoriesLabel = QStringLiteral("Supplemental Categories");

// The file dialogs' filters, as Lumora writes them.
QString exifFilter(const QString& description) { return description + QStringLiteral("|*.xiff"); }
QString iptcFilter() { return SaveIptcDialogFilter + QStringLiteral("|*.ffo"); }

// Writing a photo's metadata back takes a moment (a TIFF is saved again whole): the pointer says
// so while it lasts.
class WaitPointer {
public:
    WaitPointer() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitPointer() { QApplication::restoreOverrideCursor(); }
    WaitPointer(const WaitPointer&) = delete;
    WaitPointer& operator=(const WaitPointer&) = delete;
};

}  // namespace

MetadataCommands::MetadataCommands(MetadataPane& pane, PreviewPane& preview, QWidget* dialogParent)
    : QObject(&pane), pane_(pane), preview_(preview), dialogParent_(dialogParent)
{
    const auto on = [this](QAction* action, void (MetadataCommands::*command)()) {
        connect(action, &QAction::triggered, this, command);
    };
    on(pane_.exifCommand(MetadataPane::ExifEdit), &MetadataCommands::subEditAttribute);
    on(pane_.exifCommand(MetadataPane::ExifAdd), &MetadataCommands::subAddExifAttribute);
    on(pane_.exifCommand(MetadataPane::ExifDelete), &MetadataCommands::subDeleteAttribute);
    on(pane_.exifCommand(MetadataPane::ExifClearAll), &MetadataCommands::subClearAllAttributes);
    on(pane_.exifCommand(MetadataPane::ExifOpen), &MetadataCommands::openExifFile);
    on(pane_.exifCommand(MetadataPane::ExifSave), &MetadataCommands::saveExifFile);
    on(pane_.iptcCommand(MetadataPane::IptcEdit), &MetadataCommands::subEditAttribute);
    on(pane_.iptcCommand(MetadataPane::IptcOpen), &MetadataCommands::openIptcFile);
    on(pane_.iptcCommand(MetadataPane::IptcSave), &MetadataCommands::saveIptcFile);
    on(pane_.iptcCommand(MetadataPane::IptcDelete), &MetadataCommands::subDeleteAttribute);
    on(pane_.iptcCommand(MetadataPane::IptcClearAll), &MetadataCommands::subClearAllAttributes);
    connect(&pane_, &MetadataPane::rowActivated, this, &MetadataCommands::subEditAttribute);
    connect(&pane_, &MetadataPane::stateChanged, this, &MetadataCommands::updateCommands);
    connect(&preview_, &PreviewPane::previewShown, this, &MetadataCommands::previewShown);
    updateCommands();
}

MetadataCommands::~MetadataCommands() = default;

QString MetadataCommands::previewedPath() const
{
    if (shownPath_.isEmpty() || preview_.isLoading() || preview_.previewedPath() != shownPath_)
        return {};
    return shownPath_;
}

void MetadataCommands::previewShown(const QString& path, bool ok)
{
    shownPath_ = ok ? path : QString();
    // The file may have changed since the engine read it, even when it is the same file again.
    // The engine is read again when a command next needs it, not now: a command waiting for a
    // dialog may hold it.
    engineStale_ = true;
    updateCommands();
}

MetadataCommands::Target MetadataCommands::target() const
{
    const int tab = pane_.currentTab();
    return {previewedPath(), tab, pane_.list(tab), pane_.selectedRow(tab)};
}

ImageBox& MetadataCommands::engineFor(const QString& path)
{
    if (!engine_ || engineStale_ || !engine_->HasImage() || engine_->Tag() != path) {
        engine_.reset();
        auto engine = std::make_unique<ImageBox>(ImageBox::Mode::Batch);
        engine->LoadFromFile(path);
        engine->SetTag(path);
        engine_ = std::move(engine);
        engineStale_ = false;
    }
    return *engine_;
}

bool MetadataCommands::askYesNo(const QString& question) const
{
    return ui::ShowMessage(dialogParent_, question, QMessageBox::Question, QMessageBox::Yes | QMessageBox::No)
           == QMessageBox::Yes;
}

void MetadataCommands::updateCommands()
{
    const QString path = previewedPath();
    const bool shown = !path.isEmpty();
    const MetadataList& exif = pane_.exifList();
    const MetadataList& iptc = pane_.iptcList();
    const int exifRow = shown ? pane_.selectedRow(MetadataPane::ExifTab) : -1;
    const int iptcRow = shown ? pane_.selectedRow(MetadataPane::IptcTab) : -1;

    const auto enable = [](QAction* action, bool on) { action->setEnabled(on); };
    enable(pane_.exifCommand(MetadataPane::ExifEdit), exifRow >= 0 && !exif.at(exifRow).key.isEmpty());
    enable(pane_.exifCommand(MetadataPane::ExifAdd), shown && CanAddExif(path));
    enable(pane_.exifCommand(MetadataPane::ExifDelete), exifRow >= 0);
    enable(pane_.exifCommand(MetadataPane::ExifClearAll), shown && !exif.isEmpty());
    enable(pane_.exifCommand(MetadataPane::ExifOpen), shown && ShowsExif(path));
    enable(pane_.exifCommand(MetadataPane::ExifSave), shown && ShowsExif(path));
    enable(pane_.iptcCommand(MetadataPane::IptcEdit), iptcRow >= 0);
    enable(pane_.iptcCommand(MetadataPane::IptcOpen), shown && ShowsIptc(path));
    enable(pane_.iptcCommand(MetadataPane::IptcSave), shown && ShowsIptc(path));
    enable(pane_.iptcCommand(MetadataPane::IptcDelete), iptcRow >= 0 && !iptc.at(iptcRow).value.trimmed().isEmpty());
    enable(pane_.iptcCommand(MetadataPane::IptcClearAll), shown && !iptc.isEmpty());
}

void MetadataCommands::subEditAttribute()
{
    SetCurrentOperation(QStringLiteral("Editing EXIF/IPTC Metadata"));
    int line = 0;
    reportFailures(QStringLiteral("FrmMain.subEditAttribute"), line, [&] {
        line = 1;
        const auto [path, tab, list, row] = target();
        if (path.isEmpty() || row < 0)
            return;
        const bool iptc = tab == MetadataPane::IptcTab;
        const MetadataRow shown = list.at(row);
        if (!iptc && shown.key.isEmpty())
            return;  // not an attribute a person may edit
        const QString name = iptc ? shown.text : shown.tag;

        line = 2;
        if (iptc && name == CategoriesLabel) {
            editSupplementalCategories(list, row, path);
            return;
        }
        if (iptc && name == KeywordsLabel) {
            editKeywords(list, row, path);
            return;
        }

        line = 3;
        const bool date = iptc ? IsIptcDate(name) : IsExifDate(name);
        frmExifEditAttribute dialog(name, shown.value, date, dialogParent_);
        if (dialog.exec() != QDialog::Accepted || !dialog.valueAccepted() || previewedPath() != path)
            return;

        line = 4;
        const WaitPointer wait;
        ImageBox& engine = engineFor(path);
        if (iptc && date) {
            const QDateTime when = DateOfValue(dialog.value()).value_or(ImageBox::ZeroDate());
            if (fncUpdateAttribute(path, true, name, when, engine))
                list.setValue(row, IptcDateText(when, ImageBox::ZeroDate()));
        } else if (fncUpdateAttribute(path, iptc, name, dialog.value(), engine)) {
            list.setValue(row, dialog.value());
        }
    });
}

void MetadataCommands::editKeywords(MetadataList& list, int row, const QString& path)
{
    ImageBox& engine = engineFor(path);
    frmIPTCKeywords dialog(dialogParent_);
    dialog.subSetUp(engine);
    if (dialog.exec() == QDialog::Accepted && previewedPath() == path) {
        const WaitPointer wait;
        list.setValue(row, subUpdateIPTC_Keywords(engine, dialog.keywords()));
    }
}

void MetadataCommands::editSupplementalCategories(MetadataList& list, int row, const QString& path)
{
    ImageBox& engine = engineFor(path);
    frmIPTCCategory dialog(dialogParent_);
    dialog.subSetUp(engine);
    if (dialog.exec() == QDialog::Accepted && previewedPath() == path) {
        const WaitPointer wait;
        list.setValue(row, subUpdateIPTC_Category(engine, dialog.categories(), dialog.urgencyText()));
    }
}

void MetadataCommands::subAddExifAttribute()
{
    SetCurrentOperation(QStringLiteral("Adding new metadata attribute!"));
    int line = 0;
    reportFailures(QStringLiteral("FrmMain.subAddExifAttribute"), line, [&] {
        line = 1;
        const QString path = previewedPath();
        if (path.isEmpty() || pane_.currentTab() != MetadataPane::ExifTab || !CanAddExif(path))
            return;
        MetadataList& exif = pane_.exifList();
        frmExifNewAttribute dialog(MissingEditableExif(exif), dialogParent_);
        if (dialog.exec() != QDialog::Accepted || !dialog.valueAccepted() || previewedPath() != path)
            return;

        line = 2;
        const WaitPointer wait;
        const QString name = dialog.attribute();
        if (fncUpdateAttribute(path, false, name, dialog.value(), engineFor(path))) {
            exif.setTag(path);
            exif.addRow(MetadataRow{name, name, name, dialog.value(), true});
        }
    });
}

void MetadataCommands::subDeleteAttribute()
{
    SetCurrentOperation(QStringLiteral("Deleting metadata EXIF/IPTC attribute"));
    int line = 0;
    reportFailures(QStringLiteral("FrmMain.subDeleteAttribute"), line, [&] {
        line = 1;
        const auto [path, tab, list, row] = target();
        if (path.isEmpty() || row < 0)
            return;
        const MetadataRow shown = list.at(row);
        const bool exif = tab == MetadataPane::ExifTab;
        if (!exif && shown.value.trimmed().isEmpty())
            return;

        line = 2;
        bool done = false;
        {
            const WaitPointer wait;
            ImageBox& engine = engineFor(path);
            if (exif) {
                done = fncDeleteAttribute(shown.tag, list, engine, row);
            } else {
                line = 3;
                const bool listField = shown.text == KeywordsLabel || shown.text == CategoriesLabel;
                done = listField ? fncDeleteIPTC_Keywords_suppCat(path, shown.text, engine)
                                 : fncUpdateAttribute(path, true, shown.text, QString(), engine);
                if (done)
                    list.setValue(row, QString());
            }
        }
        // The two lists have words of their own for a refused delete.
        if (!done)
            ui::ShowMessage(dialogParent_, exif ? DeleteAttributeFailedTitle : DeleteAttributeFailedMessage,
                            QMessageBox::Critical);
    });
}

void MetadataCommands::subClearAllAttributes()
{
    SetCurrentOperation(QStringLiteral("Clear all EXIF/IPTC Metadata"));
    int line = 0;
    reportFailures(QStringLiteral("FrmMain.subClearAllAttributes"), line, [&] {
        line = 1;
        const auto [path, tab, list, row] = target();
        if (path.isEmpty() || list.isEmpty())
            return;
        const bool exif = tab == MetadataPane::ExifTab;
        if (!askYesNo(exif ? ClearAllExifQuestion : ClearAllIptcQuestion) || previewedPath() != path)
            return;

        line = 2;
        const WaitPointer wait;
        ImageBox& engine = engineFor(path);
        list.setTag(path);
        if (exif)
            ClearAllExif(engine, list);
        else
            ClearAllIptc(engine, list);
    });
}

void MetadataCommands::saveExifFile()
{
    int line = 0;
    reportFailures(QStringLiteral("modMetadata.fncSaveEXIF"), line, [&] {
        line = 1;
        const QString path = previewedPath();
        if (path.isEmpty() || !engineFor(path).HasImage())
            return;
        line = 2;
        const ui::FileChoice choice =
            ui::ChooseSaveFile(dialogParent_, SaveExifDialogTitle, exifFilter(SaveExifDialogFilter));
        if (choice.path.isEmpty())
            return;
        line = 3;
        if (SaveExifRows(pane_.exifList(), choice.path) == ExifSaveResult::NothingToSave)
            ui::ShowMessage(dialogParent_, NoEditableExifToSaveMessage, QMessageBox::Information);
    });
}

void MetadataCommands::openExifFile()
{
    int line = 0;
    reportFailures(QStringLiteral("modMetadata.fncOpenEXIF"), line, [&] {
        line = 1;
        const QString path = previewedPath();
        MetadataList& exif = pane_.exifList();
        if (path.isEmpty() || (OpenExifAsks(exif) && !askYesNo(OpenExifQuestion)))
            return;
        line = 2;
        const ui::FileChoice choice =
            ui::ChooseOpenFile(dialogParent_, OpenExifDialogTitle, exifFilter(OpenExifDialogFilter));
        if (choice.path.isEmpty() || previewedPath() != path)
            return;
        line = 3;
        const WaitPointer wait;
        exif.setTag(path);
        fncOpenEXIF(choice.path, exif, engineFor(path));
    });
}

void MetadataCommands::saveIptcFile()
{
    int line = 0;
    reportFailures(QStringLiteral("modMetadata.fncSaveIPTC"), line, [&] {
        line = 1;
        const QString path = previewedPath();
        if (path.isEmpty() || !engineFor(path).HasImage())
            return;
        line = 2;
        const ui::FileChoice choice = ui::ChooseSaveFile(dialogParent_, SaveIptcDialogTitle, iptcFilter());
        if (choice.path.isEmpty())
            return;
        line = 3;
        fncSaveIPTC(engineFor(path), choice.path);
    });
}

void MetadataCommands::openIptcFile()
{
    int line = 0;
    reportFailures(QStringLiteral("modMetadata.fncOpenIPTC"), line, [&] {
        line = 1;
        const QString path = previewedPath();
        if (path.isEmpty())
            return;
        MetadataList& iptc = pane_.iptcList();
        if (OpenIptcAsks(iptc, engineFor(path)) && !askYesNo(OpenIptcQuestion))
            return;
        line = 2;
        const ui::FileChoice choice = ui::ChooseOpenFile(dialogParent_, OpenIptcDialogTitle, iptcFilter());
        if (choice.path.isEmpty() || previewedPath() != path)
            return;
        line = 3;
        const WaitPointer wait;
        iptc.setTag(path);
        fncOpenIPTC(choice.path, iptc, engineFor(path));
    });
}

}  // namespace lumora
