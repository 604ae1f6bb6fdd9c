#pragma once

#include <QDateTime>
#include <QDialog>
#include <QString>

#include <optional>

class QDateTimeEdit;
class QLineEdit;
class QPushButton;

namespace lumora {

// " Edit Attribute": one EXIF attribute or IPTC field, its name in `txtAttribute` (read-only)
// and its value in `txtValue`, or in the date and time picker `ucDateTime` for dates. OK takes
// the trimmed text, or the picker's date and time as "m/d/yyyy h:mm:ss AM/PM"; the value counts
// as given only when it differs from the one shown at first (a date compared as a date), so an
// unchanged OK writes nothing.
class frmExifEditAttribute : public QDialog {
    Q_OBJECT
public:
    // `isDate`: the attribute or field holds a date; the picker starts on the value read as a
    // date (now when it is empty or no date).
    frmExifEditAttribute(const QString& name, const QString& value, bool isDate, QWidget* parent = nullptr);

    // After OK: whether a new value was given, and that value.
    bool valueAccepted() const { return valueAccepted_; }
    QString value() const { return value_; }

    QLineEdit* attributeBox() const { return txtAttribute_; }
    QLineEdit* valueBox() const { return txtValue_; }
    QDateTimeEdit* picker() const { return ucDateTime_; }
    QPushButton* okButton() const { return cmdOK_; }

    void accept() override;

private:
    QString oldValue_;
    std::optional<QDateTime> oldDate_;  // the date the old value stands for
    QString value_;
    bool valueAccepted_ = false;
    QLineEdit* txtAttribute_ = nullptr;
    QLineEdit* txtValue_ = nullptr;
    QDateTimeEdit* ucDateTime_ = nullptr;
    QPushButton* cmdOK_ = nullptr;
};

}  // namespace lumora
