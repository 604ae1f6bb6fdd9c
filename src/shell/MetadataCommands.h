#pragma once

#include <QObject>
#include <QString>

#include <memory>

class QWidget;

namespace lumora {

class ImageBox;
class MetadataList;
class MetadataPane;
class PreviewPane;

// The commands of the metadata pane's two bars and its double-click, on the previewed file:
// edit, add, delete and clear EXIF attributes and IPTC fields, and save and open .xiff and .ffo
// files. Every change is written to the file at once (modMetadata), and the lists then show what
// the file holds.
//
// The preview's engine belongs to its edit session and works on another thread, so the commands
// keep an engine of their own (a batch engine, tagged with the file's path), loaded from the
// previewed file when a command first needs it after the file changed. Nothing works while no
// file is previewed or a new one is being read, and a command whose dialog closes on another
// file than it opened on changes nothing.
class MetadataCommands : public QObject {
    Q_OBJECT
public:
    // `dialogParent` owns the dialogs and message boxes the commands show.
    MetadataCommands(MetadataPane& pane, PreviewPane& preview, QWidget* dialogParent);
    ~MetadataCommands() override;

    // Edit the selected row (EXIF rows of editable attributes only); "Keywords" and
    // "Supplemental Categories" open their own dialogs.
    void subEditAttribute();
    // Add one of the editable EXIF attributes the file lacks (jpeg, jpg, tif and tiff files).
    void subAddExifAttribute();
    // Delete the selected EXIF attribute, or empty the selected IPTC field.
    void subDeleteAttribute();
    // After a yes: remove all EXIF, or empty all IPTC fields (their rows stay).
    void subClearAllAttributes();
    // The exchange files: EXIF bar commands 5 and 4, IPTC bar commands 2 and 1.
    void saveExifFile();
    void openExifFile();
    void saveIptcFile();
    void openIptcFile();

    // Enables each command by what it can do now: call when the preview starts reading a file.
    void updateCommands();

private:
    // The file the lists show, "" while none is shown or another is being read.
    QString previewedPath() const;
    // What a command acts on: the previewed file ("" when none), the tab in view, its list and
    // the row selected in it (-1 when none).
    struct Target {
        QString path;
        int tab = 0;
        MetadataList& list;
        int row = -1;
    };
    Target target() const;
    // The engine holding that file's metadata; throws what loading it throws.
    ImageBox& engineFor(const QString& path);
    void previewShown(const QString& path, bool ok);
    void editKeywords(MetadataList& list, int row, const QString& path);
    void editSupplementalCategories(MetadataList& list, int row, const QString& path);
    bool askYesNo(const QString& question) const;

    MetadataPane& pane_;
    PreviewPane& preview_;
    QWidget* dialogParent_;
    QString shownPath_;
    std::unique_ptr<ImageBox> engine_;
    // The previewed file was shown again since the engine read it.
    bool engineStale_ = false;
};

}  // namespace lumora
