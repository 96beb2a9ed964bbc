#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include <cstdint>

class QLabel;
class QWidget;

// The window's tooltips: a tip with a 32 x 32 icon beside the tool's text. A tool's control
// id is its objectName; records by control id say which icon and description its tip shows.
class CKtcToolTipCtrl : public QObject {
    Q_OBJECT
public:
    struct TipRecord {
        int controlId;
        uint16_t descriptionId; // 0: no description
        uint16_t iconId;        // 0: no icon
    };

    static constexpr int kIconSide = 32;

    explicit CKtcToolTipCtrl(QWidget* window);
    ~CKtcToolTipCtrl() override;

    void AddTool(QWidget* tool, const QString& text);
    void DelTool(QWidget* tool);
    void RemoveAllTools();
    void AddTipRecord(const TipRecord& record);
    void ClearTipRecords();

    // Empty for a widget that is not a tool.
    QString ToolText(const QWidget* tool) const;
    int CurrentId() const { return m_currentId; }
    // Shows tool's tip at globalPos; nothing for a widget that is not a tool.
    void ShowTip(QWidget* tool, const QPoint& globalPos);
    void HideTip();
    // The tip window, for whoever needs to look at it.
    const QWidget* TipWindow() const { return m_tip; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Tool {
        QPointer<QWidget> widget;
        QString text;
    };

    const Tool* FindTool(const QWidget* widget) const;
    const TipRecord* FindRecord(int controlId) const;
    void ShowIcon(uint16_t iconId);

    QList<Tool> m_tools;
    QList<TipRecord> m_records;
    int m_currentId = 0;
    QWidget* m_tip;
    QLabel* m_icon;
    QLabel* m_title;
    QLabel* m_description;
};
