#include "ui/dialogs/CAboutDlg.h"

#include "app/LoadText.h"
#include "ui/art/CGdiPlusBitmapResource.h"
#include "ui/dialogs/DialogUnits.h"

#include <QLabel>
#include <QPushButton>

namespace {

constexpr uint16_t kTextCaption = 101;
constexpr uint16_t kIcon = 128;
constexpr QSize kIconSize(32, 32);
const QString kVersionLine = QStringLiteral("Kestrola,Version 1.1.3");
const QString kLegalNotice = QStringLiteral("Copyright (C) 2026");
const QString kOkText = QStringLiteral("OK");

// Places in dialog units.
constexpr QSize kDialogSize(309, 70);
constexpr QPoint kIconPlace(14, 14);
constexpr QRect kVersionRect(45, 20, 160, 8);
constexpr QRect kLegalNoticeRect(46, 36, 114, 8);
constexpr QRect kOkButtonRect(225, 49, 50, 14);

// The template's texts are shown as they are: no access keys, no markup.
QLabel* MakeText(QWidget* dialog, const QString& text, const QRect& pixels) {
    auto* label = new QLabel(text, dialog);
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(pixels);
    return label;
}

} // namespace

CAboutDlg::CAboutDlg(const CAppSettings& settings, QWidget* parent) : QDialog(parent) {
    setObjectName(QString::number(kTemplateId));
    const DialogUnits units(font());
    setFixedSize(units.ToPixels(kDialogSize));
    // The title is shown as the table has it, even where that is a menu text with its
    // access-key marker.
    setWindowTitle(LoadText(settings, kTextCaption));

    auto* icon = new QLabel(this);
    icon->setGeometry(QRect(units.ToPixels(QRect(kIconPlace, QSize())).topLeft(), kIconSize));
    CGdiPlusBitmapResource picture;
    if (picture.LoadFromResource(kIcon))
        icon->setPixmap(QPixmap::fromImage(picture.Render(kIconSize, devicePixelRatioF())));

    MakeText(this, kVersionLine, units.ToPixels(kVersionRect))
        ->setObjectName(QString::number(kVersionText));
    MakeText(this, kLegalNotice, units.ToPixels(kLegalNoticeRect));

    auto* ok = new QPushButton(kOkText, this);
    ok->setObjectName(QString::number(kOkButton));
    ok->setGeometry(units.ToPixels(kOkButtonRect));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &CAboutDlg::accept);
}
