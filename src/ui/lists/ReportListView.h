#pragma once

#include "app/CAppSettings.h"

#include <QEvent>
#include <QIcon>
#include <QTableView>

#include <cstdint>
#include <vector>

class ReportRowDelegate;
class ReportRowsModel;

struct ReportColumn {
    uint16_t titleId;
    // The column's share of the list's outer width at set-up, in tenths.
    int widthTenths;
};

// What both lists have in common: a report-style list with grid lines and full-row
// selection whose rows the catalogue fills, and whose activated row (double click, or Enter
// on the current row) is posted to the window as activateMessage.
class ReportListView : public QTableView {
    Q_OBJECT

public:
    // Column widths from the list's outer width now (they do not follow later resizing), and
    // the titles.
    void Setup(const CAppSettings& settings = CAppSettings::Instance());
    // The titles and the accessible name in the language chosen in settings.
    void RelabelColumns(const CAppSettings& settings = CAppSettings::Instance());

protected:
    struct Layout {
        std::vector<ReportColumn> columns;
        uint16_t nameId; // string id of the accessible name
        QEvent::Type activateMessage;
        bool checkable;
        // Drawn at the left of the first column by picture index; empty for no pictures.
        std::vector<QIcon> pictures;
    };

    ReportListView(Layout layout, QWidget* parent);

    ReportRowsModel& Rows() { return *m_rows; }
    const ReportRowsModel& Rows() const { return *m_rows; }
    ReportRowDelegate& Delegate() { return *m_delegate; }

    // Scrolls vertically until the whole row is visible; rows outside the list are ignored.
    void ScrollRowIntoView(int32_t row);

    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void PostActivation(int32_t row);

    std::vector<ReportColumn> m_columns;
    uint16_t m_nameId;
    QEvent::Type m_activateMessage;
    ReportRowsModel* m_rows;
    ReportRowDelegate* m_delegate;
};
