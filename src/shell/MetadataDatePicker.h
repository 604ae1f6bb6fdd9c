#pragma once

class QDateTimeEdit;
class QWidget;

namespace lumora {

// The date and time picker of the metadata dialogs (`ucDateTime`): a calendar drops down, and
// the date and time read as Lumora writes them, "m/d/yyyy h:mm:ss AM/PM".
QDateTimeEdit* makeMetadataDatePicker(QWidget* parent);

}  // namespace lumora
