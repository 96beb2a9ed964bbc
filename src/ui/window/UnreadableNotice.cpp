#include "ui/window/UnreadableNotice.h"

#include "app/LoadText.h"
#include "ui/dialogs/UnreadableListDialog.h"

namespace {

constexpr uint16_t kOneUnreadableText = 1500;
constexpr uint16_t kSomeUnreadableText = 1501;

// Between the title and the GPS lamp.
constexpr QRect kNoticeRect(118, 13, 226, 22);
// Amber stands out on the dark ground without looking like an error box.
const QString kNoticeStyle =
    QStringLiteral("QPushButton { color: rgb(255, 190, 60); background: transparent; border: none;"
                   " text-align: left; text-decoration: underline; }");

QString CountText(const CAppSettings& settings, size_t count) {
    if (count == 1)
        return LoadText(settings, kOneUnreadableText);
    return LoadText(settings, kSomeUnreadableText)
        .replace(QLatin1String("%d"), QString::number(count));
}

} // namespace

UnreadableNotice::UnreadableNotice(const CAppSettings& settings, QWidget* window)
    : QPushButton(window), m_settings(settings) {
    setObjectName(QStringLiteral("UnreadableNotice"));
    setGeometry(kNoticeRect);
    setStyleSheet(kNoticeStyle);
    setCursor(Qt::PointingHandCursor);
    setFlat(true);
    hide();
    connect(this, &QPushButton::clicked, this, &UnreadableNotice::OpenList);
}

void UnreadableNotice::Show(const std::vector<UnreadableRecording>& files) {
    m_files = files;
    Relabel();
    setVisible(!m_files.empty());
    if (m_files.empty() && m_list)
        m_list->close();
}

void UnreadableNotice::Relabel() {
    const QString text = CountText(m_settings, m_files.size());
    // The whole text stays readable in the tooltip where a language needs more room.
    setText(fontMetrics().elidedText(text, Qt::ElideRight, width()));
    setToolTip(text);
    setAccessibleName(text);
    if (m_list && m_list->isVisible())
        m_list->ShowFiles(m_files);
}

void UnreadableNotice::OpenList() {
    if (!m_list)
        m_list = new UnreadableListDialog(m_settings, window());
    m_list->ShowFiles(m_files);
    m_list->show();
    m_list->raise();
    m_list->activateWindow();
}
