#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

class QComboBox;
class QDateTimeEdit;
class QLineEdit;
class QPushButton;

namespace lumora {

// "Add New Attribute": one of the editable EXIF attributes the photo does not carry yet
// (`cmbAttribute`) and its value, typed in `txtValue` or, for a date, picked in `ucDateTime`
// (which starts on now). When every editable attribute is there, the box shows
// "No editable attribute to add!" and nothing can be added. OK is enabled while the text holds
// more than blanks, or while the picker shows.
class frmExifNewAttribute : public QDialog {
    Q_OBJECT
public:
    // `missing`: the attributes to offer, in order (MissingEditableExif).
    explicit frmExifNewAttribute(const QStringList& missing, QWidget* parent = nullptr);

    // After OK: the attribute chosen and its value (trimmed text, or "m/d/yyyy h:mm:ss AM/PM").
    bool valueAccepted() const { return valueAccepted_; }
    QString attribute() const { return attribute_; }
    QString value() const { return value_; }

    QComboBox* attributeBox() const { return cmbAttribute_; }
    QLineEdit* valueBox() const { return txtValue_; }
    QDateTimeEdit* picker() const { return ucDateTime_; }
    QPushButton* okButton() const { return cmdOK_; }

    void accept() override;

private:
    void attributeChosen();
    void updateOk();

    bool nothingToAdd_ = false;
    bool valueAccepted_ = false;
    QString attribute_;
    QString value_;
    QComboBox* cmbAttribute_ = nullptr;
    QLineEdit* txtValue_ = nullptr;
    QDateTimeEdit* ucDateTime_ = nullptr;
    QPushButton* cmdOK_ = nullptr;
};

}  // namespace lumora
