#include "app/LanguageIds.h"
#include "ui/controls/ApplyTooltipTexts.h"
#include "ui/controls/CGdipButton.h"
#include "ui/controls/CKtcToolTipCtrl.h"
#include "ui/controls/CVideoSlider.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QHelpEvent>

#include <gtest/gtest.h>

namespace {

struct WindowWithControls {
    WindowWithControls() : tips(&window), play(&window), about(&window), slider(&window) {
        play.setObjectName(QStringLiteral("1015"));
        about.setObjectName(QStringLiteral("57670"));
        slider.setObjectName(QStringLiteral("1008"));
    }

    QWidget window;
    CKtcToolTipCtrl tips;
    CGdipButton play;
    CGdipButton about;
    CVideoSlider slider;
};

QString AccessibleName(QWidget& widget) {
    return QAccessible::queryAccessibleInterface(&widget)->text(QAccessible::Name);
}

TEST(TooltipTexts, EveryControlGetsItsTextInTheChosenLanguage) {
    WindowWithControls w;
    const struct {
        uint16_t language;
        QString play;
        QString about;
    } cases[] = {
        {LanguageIds::kEnglish, QStringLiteral("Play/Pause video"), QStringLiteral("About")},
        {LanguageIds::kJapanese, QStringLiteral("ビデオの再生/一時停止"),
         QStringLiteral("バージョン情報")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.language);
        ApplyTooltipTexts(w.window, w.tips, c.language);
        EXPECT_EQ(w.tips.ToolText(&w.play), c.play);
        EXPECT_EQ(w.tips.ToolText(&w.about), c.about);
        EXPECT_EQ(AccessibleName(w.play), c.play);
        EXPECT_EQ(QAccessible::queryAccessibleInterface(&w.play)->role(), QAccessible::Button);
        EXPECT_TRUE(w.tips.ToolText(&w.slider).isEmpty()) << "the position slider has no tip";
    }
}

TEST(TooltipTexts, TipShowsForATool) {
    WindowWithControls w;
    w.window.show();
    ApplyTooltipTexts(w.window, w.tips, LanguageIds::kEnglish);
    ApplyTooltipTexts(w.window, w.tips, LanguageIds::kEnglish);

    QHelpEvent help(QEvent::ToolTip, QPoint(2, 2), w.play.mapToGlobal(QPoint(2, 2)));
    QCoreApplication::sendEvent(&w.play, &help);
    ASSERT_TRUE(w.tips.TipWindow()->isVisible());
    EXPECT_EQ(w.tips.CurrentId(), 1015);
    const QWidget* icon = w.tips.TipWindow()->findChild<QWidget*>();
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->size(), QSize(CKtcToolTipCtrl::kIconSide, CKtcToolTipCtrl::kIconSide));

    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&w.play, &leave);
    EXPECT_FALSE(w.tips.TipWindow()->isVisible());

    w.tips.DelTool(&w.play);
    QCoreApplication::sendEvent(&w.play, &help);
    EXPECT_FALSE(w.tips.TipWindow()->isVisible()) << "no longer a tool";
}

} // namespace
