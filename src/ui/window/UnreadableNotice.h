#pragma once

#include "library/CatalogueRecords.h"

#include <QPushButton>

#include <vector>

class CAppSettings;
class UnreadableListDialog;

// A line in the title row after a scan that left recordings out ("3 recordings could not be
// read"). It stands in nobody's way; a click on it opens the list of those files. Hidden while
// the last scan read everything.
class UnreadableNotice : public QPushButton {
    Q_OBJECT

public:
    UnreadableNotice(const CAppSettings& settings, QWidget* window);

    void Show(const std::vector<UnreadableRecording>& files);
    // Says it again, and the open list with it, in the language chosen now.
    void Relabel();

    // Null until the first click.
    UnreadableListDialog* listDialog() const { return m_list; }

private:
    void OpenList();

    const CAppSettings& m_settings;
    std::vector<UnreadableRecording> m_files;
    UnreadableListDialog* m_list = nullptr;
};
