#pragma once

#include <QDialog>

namespace lumora {

// The About window of the Help menu: Lumora's title, version and purpose, and the libraries it
// is built on.
class AboutWindow : public QDialog {
    Q_OBJECT

public:
    explicit AboutWindow(QWidget* parent = nullptr);
};

}  // namespace lumora
