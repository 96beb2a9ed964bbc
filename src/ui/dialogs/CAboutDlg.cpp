#include "ui/dialogs/CAboutDlg.h"

#include "app/LoadText.h"
#include "ui/PlayerKeys.h"
#include "ui/art/CGdiPlusBitmapResource.h"
#include "ui/dialogs/DialogUnits.h"

#include <QGridLayout>
#include <QKeySequence>
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
// The list of keys goes below what the template holds, as wide as the dialog's margins allow.
constexpr QRect kKeyListRect(14, 70, 281, 0);
constexpr int kBottomMargin = 7;

// The template's texts are shown as they are: no access keys, no markup.
QLabel* MakeText(QWidget* dialog, const QString& text, const QRect& pixels) {
    auto* label = new QLabel(text, dialog);
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(pixels);
    return label;
}

// Each key beside what it does, under a heading.
QWidget* MakeKeyList(QWidget* dialog, const CAppSettings& settings) {
    auto* list = new QWidget(dialog);
    list->setObjectName(QStringLiteral("keys"));
    auto* grid = new QGridLayout(list);
    grid->setContentsMargins(0, 0, 0, 0);
    auto* heading = new QLabel(LoadText(settings, PlayerKeyTexts::kHeading), list);
    heading->setTextFormat(Qt::PlainText);
    grid->addWidget(heading, 0, 0, 1, 2);
    int row = 1;
    for (const PlayerKey& key : PlayerKeys()) {
        auto* keys = new QLabel(QKeySequence(key.keys).toString(QKeySequence::NativeText), list);
        auto* text = new QLabel(LoadText(settings, key.textId), list);
        keys->setTextFormat(Qt::PlainText);
        text->setTextFormat(Qt::PlainText);
        grid->addWidget(keys, row, 0);
        grid->addWidget(text, row, 1);
        ++row;
    }
    grid->setColumnStretch(1, 1);
    return list;
}

} // namespace

CAboutDlg::CAboutDlg(const CAppSettings& settings, QWidget* parent) : QDialog(parent) {
    setObjectName(QString::number(kTemplateId));
    const DialogUnits units(font());
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

    QWidget* keys = MakeKeyList(this, settings);
    const QRect listRect = units.ToPixels(kKeyListRect);
    keys->setGeometry(
        QRect(listRect.topLeft(), QSize(listRect.width(), keys->sizeHint().height())));
    const QSize templateSize = units.ToPixels(kDialogSize);
    setFixedSize(templateSize.width(),
                 keys->geometry().bottom() + 1 + units.ToPixels(QSize(0, kBottomMargin)).height());
}
