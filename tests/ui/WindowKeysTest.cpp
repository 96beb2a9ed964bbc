#include "AnsweringPrompts.h"
#include "RecordingFixtures.h"
#include "app/CAppSettings.h"
#include "playback/SpeedTable.h"
#include "ui/controls/CGdipButton.h"
#include "ui/dialogs/CAboutDlg.h"
#include "ui/window/CKTRDlg.h"
#include "ui/window/DroppedPath.h"

#include <QAbstractSlider>
#include <QApplication>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr int kWaitMs = 10000;

class WindowKeysTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_config.isValid());
        m_window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_window));
        // Xvfb has no window manager to activate the window, and the keys are the active
        // window's.
        QApplication::setActiveWindow(&m_window);
        ASSERT_EQ(QApplication::activeWindow(), &m_window);
    }

    int Volume() const {
        return static_cast<QAbstractSlider*>(m_window.Control(ControlId::VolumeSlider))->value();
    }
    int SoundState() const {
        return static_cast<CGdipButton*>(m_window.Control(ControlId::SoundButton))->PictureState();
    }
    void Press(QKeyCombination keys) {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &m_window;
        QTest::keyClick(target, keys.key(), keys.keyboardModifiers());
    }

    AnsweringPrompts m_prompts;
    QTemporaryDir m_config;
    CAppSettings m_settings{m_config.filePath(QString::fromLatin1(CAppSettings::kFileName))};
    CKTRDlg m_window{m_settings};
};

// Each key reaches its command. The steps that need a playing recording (5 s, a frame, the
// next recording) are the controller's and are checked there.
TEST_F(WindowKeysTest, EachKeyReachesItsCommand) {
    struct Case {
        const char* name;
        QKeyCombination keys;
        std::function<bool()> done;
    };
    const Case cases[] = {
        {"]", Qt::Key_BracketRight,
         [&] { return m_window.controller().speedIndex() == kNormalSpeedIndex + 1; }},
        {"Backspace", Qt::Key_Backspace,
         [&] { return m_window.controller().speedIndex() == kNormalSpeedIndex; }},
        {"[", Qt::Key_BracketLeft,
         [&] { return m_window.controller().speedIndex() == kNormalSpeedIndex - 1; }},
        {"Up", Qt::Key_Up, [&] { return Volume() == 55; }},
        {"Down", Qt::Key_Down, [&] { return Volume() == 50; }},
        {"m", Qt::Key_M, [&] { return SoundState() == 1; }},
        {"s", Qt::Key_S, [&] { return m_prompts.messages.size() == 1; }},
        {"Ctrl+O", Qt::CTRL | Qt::Key_O, [&] { return m_prompts.mediaQuestions == 1; }},
        {"Ctrl+E", Qt::CTRL | Qt::Key_E, [&] { return m_prompts.messages.size() == 2; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Press(c.keys);
        EXPECT_TRUE(c.done());
    }

    // F1 opens the about box, which lists the keys with their texts.
    bool listed = false;
    QTimer::singleShot(0, [&] {
        auto* about = qobject_cast<CAboutDlg*>(QApplication::activeModalWidget());
        if (!about)
            return;
        QStringList texts;
        for (const QLabel* label : about->findChildren<QLabel*>())
            texts << label->text();
        listed = texts.contains(QStringLiteral("Play / pause")) &&
                 texts.contains(QStringLiteral("Next recording")) &&
                 texts.contains(QKeySequence(Qt::Key_PageDown).toString(QKeySequence::NativeText));
        // Keys pressed in the dialog are the dialog's.
        QTest::keyClick(about, Qt::Key_BracketRight);
        about->reject();
    });
    Press(Qt::Key_F1);
    EXPECT_TRUE(listed);
    EXPECT_EQ(m_window.controller().speedIndex(), kNormalSpeedIndex) << "as Ctrl+O left it";
}

TEST_F(WindowKeysTest, AFocusedTextFieldOrListKeepsItsKeys) {
    auto* field = new QLineEdit(&m_window);
    field->show();
    field->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return field->hasFocus(); }, kWaitMs));
    for (const QKeyCombination keys :
         {QKeyCombination(Qt::Key_BracketRight), QKeyCombination(Qt::Key_Up),
          QKeyCombination(Qt::Key_M), QKeyCombination(Qt::CTRL | Qt::Key_O)})
        Press(keys);
    EXPECT_EQ(field->text(), QStringLiteral("]m"));
    EXPECT_EQ(m_window.controller().speedIndex(), kNormalSpeedIndex);
    EXPECT_EQ(Volume(), 50);
    EXPECT_EQ(SoundState(), 0);
    EXPECT_EQ(m_prompts.mediaQuestions, 0);

    // A list moves through its rows with Up; the other keys still work there.
    QWidget* list = m_window.Control(ControlId::FileList);
    list->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return list->hasFocus(); }, kWaitMs));
    Press(Qt::Key_Up);
    Press(Qt::Key_BracketRight);
    EXPECT_EQ(Volume(), 50);
    EXPECT_EQ(m_window.controller().speedIndex(), kNormalSpeedIndex + 1);
}

void Drop(QWidget& window, const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    const QPointF at(window.width() / 2.0, 20);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    if (!enter.isAccepted())
        return;
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &drop);
}

TEST_F(WindowKeysTest, ADroppedFolderOrRecordingOpensAsOpenWould) {
    QTemporaryDir card;
    const QString first = card.filePath(QStringLiteral("F/KTR_240515-081500F.MP4"));
    WriteFile(first, MinimalMp4("2024-05-15 08:15:00", 1000, 1280, 720));
    WriteFile(card.filePath(QStringLiteral("F/KTR_240515-081520F.MP4")),
              MinimalMp4("2024-05-15 08:15:20", 1000, 1280, 720));

    Drop(m_window, {QUrl(QStringLiteral("https://example.org/a.MP4"))});
    QCoreApplication::processEvents();
    EXPECT_EQ(m_window.catalogue().EntryCount(), 0) << "nothing but local files";

    Drop(m_window, {QUrl::fromLocalFile(first)});
    EXPECT_TRUE(QTest::qWaitFor([&] { return m_window.catalogue().EntryCount() == 1; }, kWaitMs));
    EXPECT_EQ(m_window.controller().sourceKind(), PlaybackController::SourceKind::SingleFile);

    Drop(m_window, {QUrl::fromLocalFile(card.path())});
    EXPECT_TRUE(QTest::qWaitFor([&] { return m_window.catalogue().EntryCount() == 2; }, kWaitMs));
    EXPECT_EQ(m_window.controller().sourceKind(), PlaybackController::SourceKind::Folder);
}

TEST(DroppedPath, OneLocalThingOrTheFolderThatSeveralShare) {
    QTemporaryDir card;
    const QString a = card.filePath(QStringLiteral("F/a.MP4"));
    const QString b = card.filePath(QStringLiteral("F/b.MP4"));
    const QString c = card.filePath(QStringLiteral("R/c.MP4"));
    for (const QString& path : {a, b, c})
        WriteFile(path, "x");
    const auto local = [](const QString& path) { return QUrl::fromLocalFile(path); };
    const struct {
        QList<QUrl> urls;
        QString path;
    } cases[] = {
        {{local(a)}, a},
        {{local(card.path())}, card.path()},
        {{local(a), local(b)}, card.filePath(QStringLiteral("F"))},
        {{local(card.filePath(QStringLiteral("F"))), local(card.filePath(QStringLiteral("R")))},
         card.path()},
        {{local(a), local(c)}, QString()},
        {{local(a), QUrl(QStringLiteral("https://example.org/b.MP4"))}, QString()},
        {{local(card.filePath(QStringLiteral("missing.MP4")))}, QString()},
        {{}, QString()},
    };
    for (const auto& [urls, path] : cases)
        EXPECT_EQ(DroppedPath(urls), path) << urls.size();
}

} // namespace
