#pragma once

#include <QDialog>
#include <QStringList>

namespace lumora {

class ImageBox;
class ItemListEditor;

// "Keywords": the photo's IPTC keywords in `lstKeywords`, added with `txtKeywordAdd` and
// `cmdAddKeyword`, deleted with `cmdDelKeyword`. OK leaves the list for the caller to write
// (subUpdateIPTC_Keywords); Cancel changes nothing.
class frmIPTCKeywords : public QDialog {
    Q_OBJECT
public:
    explicit frmIPTCKeywords(QWidget* parent = nullptr);

    // Fills the list with the engine's keywords, in its order (none when it holds no image).
    void subSetUp(const ImageBox& engine);
    QStringList keywords() const;
    ItemListEditor* editor() const { return editor_; }

private:
    ItemListEditor* editor_ = nullptr;
};

}  // namespace lumora
