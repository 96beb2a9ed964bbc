#pragma once

#include "library/CatalogueRecords.h"

#include <QDialog>

#include <vector>

class CAppSettings;
class QPushButton;
class QTreeWidget;

// The recordings a folder scan could not read, each with its path and the reason. It does not
// block the window: playback and the lists go on while it is open.
class UnreadableListDialog : public QDialog {
    Q_OBJECT

public:
    UnreadableListDialog(const CAppSettings& settings, QWidget* parent);

    // Replaces the rows, in the language chosen now.
    void ShowFiles(const std::vector<UnreadableRecording>& files);

    QTreeWidget* list() const { return m_list; }

private:
    const CAppSettings& m_settings;
    QTreeWidget* m_list = nullptr;
    QPushButton* m_close = nullptr;
};
