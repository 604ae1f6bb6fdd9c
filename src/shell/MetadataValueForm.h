#pragma once

class QDateTimeEdit;
class QDialog;
class QLineEdit;
class QPushButton;
class QWidget;

namespace lumora {

// What the two attribute dialogs share: "Attribute:" over "Value:", the value given in a text box
// (`txtValue`) or with the date and time picker (`ucDateTime`: a calendar drops down, and the
// date and time read as Lumora writes them, "m/d/yyyy h:mm:ss AM/PM"), then OK and Cancel, which
// accept and reject the dialog. Both value fields are made; the dialog hides the one it does
// not use.
struct MetadataValueForm {
    QLineEdit* text = nullptr;
    QDateTimeEdit* picker = nullptr;
    QPushButton* ok = nullptr;
};

// Lays the dialog out around its attribute field (a read-only box or a list to choose from).
MetadataValueForm layOutMetadataValueForm(QDialog& dialog, QWidget* attributeField);

}  // namespace lumora
