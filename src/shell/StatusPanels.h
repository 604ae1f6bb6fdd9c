#pragma once

#include <QHash>
#include <QStatusBar>
#include <QString>

class QLabel;

namespace lumora {

// The main window's status bar: seven panels addressed by key, in this order: "filename",
// "pages", "resolution", "queue", "metadata", "folder", "status". Each panel has its tool-tip and
// starts with its initial text; four of them carry an icon.
class StatusPanels : public QStatusBar {
    Q_OBJECT
public:
    explicit StatusPanels(QWidget* parent = nullptr);

    static const QStringList& keys();

    // Unknown keys are ignored: a component cannot invent panels.
    void setPanelText(const QString& key, const QString& text);
    QString panelText(const QString& key) const;
    QLabel* panel(const QString& key) const;

private:
    QHash<QString, QLabel*> texts_;
    // The room kept for the panels that do not stretch, whatever their text.
    QHash<QString, int> rooms_;
};

}  // namespace lumora
