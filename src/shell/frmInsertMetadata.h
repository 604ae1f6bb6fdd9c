#pragma once

#include <QDialog>
#include <QStringList>

class QCheckBox;
class QListWidget;

namespace lumora {

// The insert-metadata dialog: the metadata items a web album page can print (`lstMetadata`, any
// number selected) with `chkSelectAll`. OK closes keeping the selection; Cancel deselects every
// item and closes. The album window reads selectedItems() afterwards.
class frmInsertMetadata : public QDialog {
    Q_OBJECT
public:
    explicit frmInsertMetadata(QWidget* parent = nullptr);

    // The selected items, in list order.
    QStringList selectedItems() const;
    QListWidget* list() const { return lstMetadata_; }
    QCheckBox* selectAllBox() const { return chkSelectAll_; }

    void reject() override;

private:
    void selectAll(bool select);

    QListWidget* lstMetadata_ = nullptr;
    QCheckBox* chkSelectAll_ = nullptr;
};

}  // namespace lumora
