#pragma once

#include <QDialog>
#include <QStringList>

class QComboBox;

namespace lumora {

class ImageBox;
class ItemListEditor;

// "Add Supplementaty Categories" (the title is kept as it always read): the photo's IPTC
// supplemental categories in `lstSupCats`, added with `txtSupCatAdd` and `cmdAddSupCat`, deleted
// with `cmdDelSupCat`, and its urgency in `cboUrgency` (" 1" ... " 8", "None"). OK leaves both
// for the caller to write (subUpdateIPTC_Category); Cancel changes nothing.
class frmIPTCCategory : public QDialog {
    Q_OBJECT
public:
    explicit frmIPTCCategory(QWidget* parent = nullptr);

    // Fills the list with the engine's categories and shows its urgency ("None" for none, and
    // when the engine holds no image).
    void subSetUp(const ImageBox& engine);
    QStringList categories() const;
    QString urgencyText() const;

    ItemListEditor* editor() const { return editor_; }
    QComboBox* urgencyBox() const { return cboUrgency_; }

private:
    ItemListEditor* editor_ = nullptr;
    QComboBox* cboUrgency_ = nullptr;
};

}  // namespace lumora
