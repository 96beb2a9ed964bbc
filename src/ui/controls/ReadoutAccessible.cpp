#include "ui/controls/ReadoutAccessible.h"

#include "ui/controls/CPngCompassStatic.h"
#include "ui/controls/CPngStatic.h"
#include "ui/controls/CSpeedLabelStatic.h"
#include "ui/controls/CStatusBoardStatic.h"

#include <QAccessibleWidget>

#include <functional>

namespace {

class ReadoutAccessible : public QAccessibleWidget {
public:
    ReadoutAccessible(QWidget* widget, QAccessible::Role role, std::function<QString()> value)
        : QAccessibleWidget(widget, role), m_value(std::move(value)) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Value)
            return m_value();
        return QAccessibleWidget::text(kind);
    }

private:
    std::function<QString()> m_value;
};

} // namespace

QAccessibleInterface* ReadoutAccessibleFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("CSpeedLabelStatic")) {
        auto* readout = static_cast<CSpeedLabelStatic*>(object);
        return new ReadoutAccessible(readout, QAccessible::StaticText,
                                     [readout] { return readout->Text(); });
    }
    if (className == QLatin1String("CPngCompassStatic")) {
        auto* compass = static_cast<CPngCompassStatic*>(object);
        return new ReadoutAccessible(compass, QAccessible::Indicator,
                                     [compass] { return QString::number(compass->ImageIndex()); });
    }
    if (className == QLatin1String("CPngStatic")) {
        auto* lamp = static_cast<CPngStatic*>(object);
        return new ReadoutAccessible(lamp, QAccessible::Indicator,
                                     [lamp] { return QString::number(lamp->IsLit() ? 1 : 0); });
    }
    if (className == QLatin1String("CStatusBoardStatic")) {
        auto* board = static_cast<CStatusBoardStatic*>(object);
        return new ReadoutAccessible(board, QAccessible::ProgressBar,
                                     [board] { return board->ValueText(); });
    }
    return nullptr;
}

void InstallReadoutAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(ReadoutAccessibleFactory);
        return true;
    }();
    Q_UNUSED(installed);
}
