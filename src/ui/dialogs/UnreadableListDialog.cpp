#include "ui/dialogs/UnreadableListDialog.h"

#include "app/LoadText.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr uint16_t kOkText = 107;
constexpr uint16_t kTitleText = 1502;
constexpr uint16_t kPathColumnText = 1503;
constexpr uint16_t kReasonColumnText = 1504;
constexpr QSize kInitialSize(720, 280);

// A reason without a text of its own shows its key, which is better than nothing.
uint16_t ReasonTextId(ReadFailure reason) {
    switch (reason) {
    case ReadFailure::CannotOpen:
        return 1505;
    case ReadFailure::EmptyFile:
        return 1506;
    case ReadFailure::Truncated:
        return 1507;
    case ReadFailure::NotRecognised:
        return 1508;
    case ReadFailure::NoIndexBox:
        return 1509;
    case ReadFailure::DateRefused:
        return 1510;
    case ReadFailure::ReadError:
        return 1511;
    case ReadFailure::NameNotUtf8:
        return 1512;
    case ReadFailure::NoPositionSidecar:
        return 1513;
    case ReadFailure::None:
        break;
    }
    return 0;
}

} // namespace

UnreadableListDialog::UnreadableListDialog(const CAppSettings& settings, QWidget* parent)
    : QDialog(parent), m_settings(settings), m_list(new QTreeWidget(this)),
      m_close(new QPushButton(this)) {
    setModal(false);
    resize(kInitialSize);
    m_list->setColumnCount(2);
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_list->header()->setStretchLastSection(false);
    m_list->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    connect(m_close, &QPushButton::clicked, this, &QDialog::close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(m_close, 0, Qt::AlignRight);
}

void UnreadableListDialog::ShowFiles(const std::vector<UnreadableRecording>& files) {
    setWindowTitle(LoadText(m_settings, kTitleText));
    m_list->setHeaderLabels(
        {LoadText(m_settings, kPathColumnText), LoadText(m_settings, kReasonColumnText)});
    m_close->setText(LoadText(m_settings, kOkText));
    m_list->clear();
    for (const UnreadableRecording& file : files) {
        const uint16_t textId = ReasonTextId(file.reason);
        const QString reason =
            textId != 0 ? LoadText(m_settings, textId) : ReadFailureText(file.reason);
        m_list->addTopLevelItem(new QTreeWidgetItem(QStringList{file.path, reason}));
    }
}
