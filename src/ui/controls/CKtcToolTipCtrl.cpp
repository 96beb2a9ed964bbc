#include "ui/controls/CKtcToolTipCtrl.h"

#include "app/LoadText.h"
#include "ui/art/CGdiPlusBitmapResource.h"

#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

namespace {

// Below and to the right of the pointer, where the pointer does not cover the tip.
constexpr QPoint kTipOffset(2, 16);

} // namespace

CKtcToolTipCtrl::CKtcToolTipCtrl(QWidget* window)
    : QObject(window), m_tip(new QWidget(window, Qt::ToolTip)), m_icon(new QLabel(m_tip)),
      m_title(new QLabel(m_tip)), m_description(new QLabel(m_tip)) {
    m_tip->setForegroundRole(QPalette::ToolTipText);
    m_tip->setBackgroundRole(QPalette::ToolTipBase);
    m_tip->setAutoFillBackground(true);
    m_icon->setFixedSize(kIconSide, kIconSide);
    auto* texts = new QVBoxLayout;
    texts->addWidget(m_title);
    texts->addWidget(m_description);
    auto* layout = new QHBoxLayout(m_tip);
    layout->addWidget(m_icon, 0, Qt::AlignTop);
    layout->addLayout(texts);
}

CKtcToolTipCtrl::~CKtcToolTipCtrl() = default;

void CKtcToolTipCtrl::AddTool(QWidget* tool, const QString& text) {
    if (!tool)
        return;
    m_tools.append({tool, text});
    tool->installEventFilter(this);
}

void CKtcToolTipCtrl::DelTool(QWidget* tool) {
    for (qsizetype i = 0; i < m_tools.size(); ++i) {
        if (m_tools[i].widget == tool) {
            m_tools.removeAt(i);
            break;
        }
    }
    if (tool && !FindTool(tool))
        tool->removeEventFilter(this);
}

void CKtcToolTipCtrl::RemoveAllTools() {
    HideTip();
    for (const Tool& tool : m_tools)
        if (tool.widget)
            tool.widget->removeEventFilter(this);
    m_tools.clear();
}

void CKtcToolTipCtrl::AddTipRecord(const TipRecord& record) {
    m_records.append(record);
}

void CKtcToolTipCtrl::ClearTipRecords() {
    m_records.clear();
}

QString CKtcToolTipCtrl::ToolText(const QWidget* tool) const {
    const Tool* found = FindTool(tool);
    return found ? found->text : QString();
}

void CKtcToolTipCtrl::ShowTip(QWidget* tool, const QPoint& globalPos) {
    const Tool* found = FindTool(tool);
    if (!found)
        return;
    m_currentId = tool->objectName().toInt();
    const TipRecord* record = FindRecord(m_currentId);
    m_title->setText(found->text);
    const QString description =
        record && record->descriptionId != 0 ? LoadText(record->descriptionId) : QString();
    m_description->setText(description);
    m_description->setVisible(!description.isEmpty());
    ShowIcon(record ? record->iconId : 0);
    m_tip->adjustSize();
    m_tip->move(globalPos + kTipOffset);
    m_tip->show();
}

void CKtcToolTipCtrl::HideTip() {
    m_tip->hide();
}

bool CKtcToolTipCtrl::eventFilter(QObject* watched, QEvent* event) {
    auto* tool = qobject_cast<QWidget*>(watched);
    switch (event->type()) {
    case QEvent::ToolTip:
        if (tool && FindTool(tool)) {
            ShowTip(tool, static_cast<QHelpEvent*>(event)->globalPos());
            return true;
        }
        break;
    case QEvent::Leave:
    case QEvent::Hide:
    case QEvent::MouseButtonPress:
    case QEvent::KeyPress:
        HideTip();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

const CKtcToolTipCtrl::Tool* CKtcToolTipCtrl::FindTool(const QWidget* widget) const {
    for (const Tool& tool : m_tools)
        if (widget && tool.widget == widget)
            return &tool;
    return nullptr;
}

const CKtcToolTipCtrl::TipRecord* CKtcToolTipCtrl::FindRecord(int controlId) const {
    for (const TipRecord& record : m_records)
        if (record.controlId == controlId)
            return &record;
    return nullptr;
}

// A missing icon picture leaves the icon area empty rather than failing the tip.
void CKtcToolTipCtrl::ShowIcon(uint16_t iconId) {
    CGdiPlusBitmapResource picture;
    const QSize side(kIconSide, kIconSide);
    const bool drawn = iconId != 0 && picture.LoadFromResource(iconId);
    m_icon->setPixmap(drawn ? QPixmap::fromImage(picture.Render(side, m_tip->devicePixelRatioF()))
                            : QPixmap());
}
