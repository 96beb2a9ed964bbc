#include "app/CAppSettings.h"
#include "app/LanguageIds.h"
#include "app/LanguageTable.h"
#include "library/ListCellTexts.h"
#include "library/RecordingCatalogue.h"
#include "ui/lists/CKtrFileListCtrl.h"
#include "ui/lists/CKtrGroupListCtrl.h"
#include "playback/WindowMessages.h"

#include "RecordingFixtures.h"

#include <QAccessible>
#include <QDateTime>
#include <QFile>
#include <QHeaderView>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr QSize kGroupListSize(400, 200);
constexpr QSize kFileListSize(300, 300);
const QColor kGrey(237, 237, 237);
const QDateTime kBase(QDate(2021, 5, 4), QTime(10, 0, 0), Qt::LocalTime);

struct Message {
    int type;
    qintptr wParam;
    qintptr lParam;
    bool operator==(const Message&) const = default;
};

// Stands in for the main window: keeps the list messages it receives.
class MessageWindow : public QWidget {
public:
    std::vector<Message> received;

protected:
    bool event(QEvent* event) override {
        if (event->type() != WM_KTR_GROUP_SELECTED && event->type() != WM_KTR_FILE_SELECTED)
            return QWidget::event(event);
        const auto* message = static_cast<KtrMessageEvent*>(event);
        received.push_back({event->type(), message->wParam(), message->lParam()});
        return true;
    }
};

bool IsGold(const QColor& c) {
    return c.red() > 180 && c.green() > 120 && c.blue() < 110 && c.red() > c.green();
}

bool IsDark(const QColor& c) {
    return c.red() < 90 && c.green() < 90 && c.blue() < 90;
}

// Pixels in area (image coordinates) that pass the test, and the leftmost one's x.
struct Found {
    int count = 0;
    int left = -1;
};

template <typename Test> Found Find(const QImage& image, const QRect& area, Test test) {
    Found found;
    for (int x = area.left(); x <= area.right(); ++x)
        for (int y = area.top(); y <= area.bottom(); ++y)
            if (test(image.pixelColor(x, y))) {
                if (found.count++ == 0)
                    found.left = x;
            }
    return found;
}

QStringList RowTexts(const QAbstractItemModel& model, int row) {
    QStringList texts;
    for (int column = 0; column < model.columnCount(); ++column)
        texts << model.index(row, column).data().toString();
    return texts;
}

QStringList Titles(const QTableView& list) {
    QStringList titles;
    for (int column = 0; column < list.model()->columnCount(); ++column)
        titles << list.model()->headerData(column, Qt::Horizontal).toString();
    return titles;
}

// A card of five recordings in four groups whose lock flags are 0, 1 (two files), 2 and 3;
// the catalogue fills the two lists of a shown window.
class CatalogueListsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_card.isValid() && m_config.isValid());
        Recording("AAAA210504-100000F.MP4", 0, 60000);
        Recording("BBBG210504-102000F.MP4", 1200, 60000);
        Recording("CCCG210504-102001F.MP4", 1201, 59999);
        Recording("DDDD210504-103000F.MP4", 1800, 60000, true);
        Recording("EEEG210504-104000F.MP4", 2400, 60000, true);

        m_groups = new CKtrGroupListCtrl(&m_window);
        m_files = new CKtrFileListCtrl(&m_window);
        m_groups->setGeometry(QRect(QPoint(0, 0), kGroupListSize));
        m_files->setGeometry(QRect(QPoint(0, kGroupListSize.height()), kFileListSize));
        m_window.resize(kGroupListSize.width(), kGroupListSize.height() + kFileListSize.height());
        m_groups->Setup(m_settings);
        m_files->Setup(m_settings);
        m_window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_window));

        m_catalogue.SetGroupList(m_groups);
        m_catalogue.SetFileList(m_files);
        ASSERT_TRUE(m_catalogue.Scan(m_card.path(), QString()));
        ASSERT_EQ(m_catalogue.EntryCount(), 5);
        std::vector<int> flags;
        for (const RecordingGroup& group : m_catalogue.Groups())
            flags.push_back(group.lockFlags);
        ASSERT_EQ(flags, (std::vector<int>{0, 1, 2, 3}));
    }

    void Recording(const QString& name, int startSeconds, uint32_t durationMs,
                   bool readOnly = false) {
        const QString path = m_card.filePath(name);
        const QByteArray idit =
            kBase.addSecs(startSeconds).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toLatin1();
        WriteFile(path, MinimalMp4(idit, durationMs, 1920, 1080));
        if (readOnly) {
            ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup));
        }
    }

    static QImage Render(QWidget* list) {
        return list->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    // The centre of the check box of a group row, where the style puts it.
    QPoint CheckBoxCentre(int row) const {
        const QRect cell = m_groups->visualRect(m_groups->model()->index(row, 0));
        QStyle* style = m_groups->style();
        const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, m_groups) + 1;
        const int side = style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, m_groups);
        return QPoint(cell.left() + margin + side / 2, cell.center().y());
    }

    QRect CellInList(const QTableView* list, int row, int column) const {
        const QRect cell = list->visualRect(list->model()->index(row, column));
        return cell.translated(list->viewport()->mapTo(list, QPoint(0, 0)));
    }

    // A point near the right end of a cell, clear of its (short) text.
    QPoint BesideText(const QTableView* list, int row, int column) const {
        const QRect cell = CellInList(list, row, column);
        return QPoint(cell.right() - 3, cell.center().y());
    }

    void ClickFile(int row, Qt::KeyboardModifiers modifiers = {}) {
        const QRect cell = m_files->visualRect(m_files->model()->index(row, 1));
        QTest::mouseClick(m_files->viewport(), Qt::LeftButton, modifiers, cell.center());
    }

    QTemporaryDir m_card;
    QTemporaryDir m_config;
    CAppSettings m_settings{m_config.filePath(QString::fromLatin1(CAppSettings::kFileName))};
    MessageWindow m_window;
    CKtrGroupListCtrl* m_groups = nullptr;
    CKtrFileListCtrl* m_files = nullptr;
    RecordingCatalogue m_catalogue;
};

TEST_F(CatalogueListsTest, CellsAreTheCatalogueTextsUnderTitlesSizedAtSetup) {
    const QAbstractItemModel& groups = *m_groups->model();
    ASSERT_EQ(groups.rowCount(), 4);
    for (int k = 0; k < 4; ++k) {
        const RecordingGroup& group = m_catalogue.Groups()[k];
        const RecordingInfo& first = m_catalogue.Entry(group.first).info;
        const auto expected = GroupRowTexts(
            group.number, RecordingCatalogue::ResolutionText(first.width, first.height),
            group.totalMs, group.totalBytes, first.startTime);
        EXPECT_EQ(RowTexts(groups, k), QStringList(expected.begin(), expected.end())) << k;
    }
    EXPECT_EQ(groups.index(1, 0).data().toString(), QStringLiteral("G1"));
    EXPECT_EQ(groups.index(1, 3).data().toString(), QStringLiteral(" 119 s "));

    const QAbstractItemModel& files = *m_files->model();
    ASSERT_EQ(files.rowCount(), 5);
    for (int i = 0; i < 5; ++i) {
        const auto expected = FileRowTexts(m_catalogue.Entry(i).name);
        EXPECT_EQ(RowTexts(files, i), QStringList(expected.begin(), expected.end())) << i;
    }
    EXPECT_EQ(RowTexts(files, 2),
              (QStringList{"CCCG210504-102001F.MP4", "10:20:01", "2021-05-04 10:20:01"}));

    EXPECT_EQ(Titles(*m_groups),
              (QStringList{"Group", "Resolution", "Start", "Length", "File Size"}));
    EXPECT_EQ(Titles(*m_files), (QStringList{"File Name", "Start", "Date / Time"}));
    // Widths come from the outer width at set-up and stay when the list is resized.
    m_groups->resize(kGroupListSize.width() * 2, kGroupListSize.height());
    for (int column = 0; column < 5; ++column)
        EXPECT_EQ(m_groups->horizontalHeader()->sectionSize(column), 80) << column;
    for (int column = 0; column < 3; ++column)
        EXPECT_EQ(m_files->horizontalHeader()->sectionSize(column), 90) << column;

    EXPECT_EQ(m_groups->objectName(), QStringLiteral("1028"));
    EXPECT_EQ(m_files->objectName(), QStringLiteral("1027"));
    for (const auto& [list, name] : {std::pair<QWidget*, QString>{m_groups, "Group"},
                                     std::pair<QWidget*, QString>{m_files, "Files"}}) {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(list);
        ASSERT_NE(accessible, nullptr);
        EXPECT_EQ(accessible->text(QAccessible::Name), name);
        EXPECT_EQ(accessible->role(), QAccessible::Table);
    }
}

TEST_F(CatalogueListsTest, TitlesFollowTheLanguageWhileRowsKeepTheirContent) {
    const QStringList fileRow = RowTexts(*m_files->model(), 0);
    m_settings.SetLanguage(FindLanguageCode("JPN"));
    ASSERT_EQ(m_settings.languageId(), LanguageIds::kJapanese);
    m_groups->RelabelColumns(m_settings);
    m_files->RelabelColumns(m_settings);

    EXPECT_EQ(Titles(*m_groups), (QStringList{u"グループ"_qs, u"解像度"_qs, u"開始"_qs, u"長さ"_qs,
                                              u"ファイル サイズ"_qs}));
    EXPECT_EQ(Titles(*m_files), (QStringList{u"ファイル名"_qs, u"開始"_qs, u"日付 / 時刻"_qs}));
    EXPECT_EQ(m_groups->accessibleName(), u"グループ"_qs);
    EXPECT_EQ(m_files->accessibleName(), u"ファイル"_qs);
    EXPECT_EQ(m_groups->model()->index(0, 0).data().toString(), QStringLiteral("G0"));
    EXPECT_EQ(RowTexts(*m_files->model(), 0), fileRow);
}

TEST_F(CatalogueListsTest, ClickOnACheckBoxTogglesItAndARefillClearsThemAll) {
    QTest::mouseClick(m_groups->viewport(), Qt::LeftButton, {}, CheckBoxCentre(1));
    EXPECT_TRUE(m_groups->GetCheck(1));
    for (int row : {0, 2, 3})
        EXPECT_FALSE(m_groups->GetCheck(row)) << row;
    QTest::mouseClick(m_groups->viewport(), Qt::LeftButton, {}, CheckBoxCentre(3));
    QTest::mouseClick(m_groups->viewport(), Qt::LeftButton, {}, CheckBoxCentre(1));
    EXPECT_FALSE(m_groups->GetCheck(1));
    EXPECT_TRUE(m_groups->GetCheck(3));
    EXPECT_FALSE(m_groups->GetCheck(4)) << "no such row";

    ASSERT_TRUE(m_catalogue.Scan(m_card.path(), QString()));
    EXPECT_FALSE(m_groups->GetCheck(3));
}

TEST_F(CatalogueListsTest, LockPicturesSitAfterTheGroupCheckBoxAndNeverInTheFileList) {
    const QImage groups = Render(m_groups);
    const int checkRight = CheckBoxCentre(0).x() + 1 +
                           m_groups->style()->pixelMetric(QStyle::PM_IndicatorWidth) / 2 +
                           m_groups->viewport()->mapTo(m_groups, QPoint(0, 0)).x();
    for (int row = 0; row < 4; ++row) {
        const QRect cell = CellInList(m_groups, row, 0);
        EXPECT_EQ(cell.height(), 24) << row;
        const Found gold = Find(groups, cell, IsGold);
        if (row == 0) {
            EXPECT_EQ(gold.count, 0) << "lock state 0 has no picture";
            continue;
        }
        EXPECT_GT(gold.count, 60) << "padlock of lock state " << row;
        EXPECT_GT(gold.left, checkRight) << row;
        EXPECT_LT(gold.left, checkRight + 12) << row;
    }

    const QImage files = Render(m_files);
    EXPECT_EQ(Find(files, files.rect(), IsGold).count, 0);
    for (int row = 0; row < 5; ++row)
        EXPECT_EQ(CellInList(m_files, row, 0).height(), 24) << row;
}

TEST_F(CatalogueListsTest, PlayingRowsAreHighlightedAndTheFirstSelectedFileRowIsGrey) {
    ASSERT_TRUE(m_catalogue.Select(2));
    ASSERT_EQ(m_files->PlayingRow(), 2);
    const QColor highlight = m_files->palette().color(QPalette::Active, QPalette::Highlight);
    const QColor base = m_files->palette().color(QPalette::Active, QPalette::Base);

    QImage groups = Render(m_groups);
    EXPECT_EQ(groups.pixelColor(BesideText(m_groups, 1, 1)), highlight) << "group of entry 2";
    EXPECT_EQ(groups.pixelColor(BesideText(m_groups, 0, 1)), base);
    QImage files = Render(m_files);
    EXPECT_EQ(files.pixelColor(BesideText(m_files, 2, 1)), highlight);
    EXPECT_EQ(files.pixelColor(BesideText(m_files, 1, 1)), base);

    ClickFile(0);
    files = Render(m_files);
    for (int column = 0; column < 3; ++column) {
        const QRect cell = CellInList(m_files, 0, column);
        EXPECT_EQ(files.pixelColor(cell.left() + 1, cell.center().y()), base)
            << "the grey starts two pixels in, column " << column;
        EXPECT_EQ(files.pixelColor(cell.left() + 2, cell.bottom()), kGrey) << column;
        EXPECT_GT(Find(files, cell, IsDark).count, 10) << "black text, column " << column;
    }
    EXPECT_EQ(files.pixelColor(BesideText(m_files, 2, 1)), highlight) << "still playing";

    // The playing row keeps its highlight even when it is the first selected one, and a row
    // selected after it is drawn by the style.
    ClickFile(2);
    ClickFile(3, Qt::ControlModifier);
    files = Render(m_files);
    EXPECT_EQ(files.pixelColor(BesideText(m_files, 0, 1)), base);
    EXPECT_EQ(files.pixelColor(BesideText(m_files, 2, 1)), highlight);
    const QColor third = files.pixelColor(BesideText(m_files, 3, 1));
    EXPECT_NE(third, base);
    EXPECT_NE(third, kGrey);

    ASSERT_TRUE(m_catalogue.Select(0));
    groups = Render(m_groups);
    EXPECT_EQ(groups.pixelColor(BesideText(m_groups, 1, 1)), base) << "highlight moved on";
    EXPECT_EQ(groups.pixelColor(BesideText(m_groups, 0, 1)), highlight);
}

TEST_F(CatalogueListsTest, SelectScrollsThePlayingRowWhollyIntoView) {
    // Two and a half rows fit below the titles.
    const int rowSection = m_files->verticalHeader()->defaultSectionSize();
    m_files->resize(kFileListSize.width(), m_files->horizontalHeader()->height() +
                                               2 * m_files->frameWidth() + rowSection * 5 / 2);
    for (int row : {2, 4, 0}) {
        ASSERT_TRUE(m_catalogue.Select(row));
        const QRect cell = m_files->visualRect(m_files->model()->index(row, 0));
        EXPECT_TRUE(m_files->viewport()->rect().contains(cell)) << row;
    }
}

TEST_F(CatalogueListsTest, DoubleClickAndEnterPostTheRowToTheWindow) {
    const auto doubleClick = [](QTableView* list, const QPoint& at) {
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    };
    doubleClick(m_files, m_files->visualRect(m_files->model()->index(3, 1)).center());
    doubleClick(m_files, QPoint(20, m_files->viewport()->height() - 5));
    doubleClick(m_groups, m_groups->visualRect(m_groups->model()->index(1, 2)).center());
    ClickFile(4);
    QTest::keyClick(m_files, Qt::Key_Return);
    EXPECT_TRUE(m_window.received.empty()) << "posted, not sent";

    QCoreApplication::sendPostedEvents(&m_window);
    const std::vector<Message> expected = {
        {WM_KTR_FILE_SELECTED, 3, 0},
        {WM_KTR_FILE_SELECTED, -1, 0},
        {WM_KTR_GROUP_SELECTED, 1, 0},
        {WM_KTR_FILE_SELECTED, 4, 0},
    };
    EXPECT_EQ(m_window.received, expected);
    EXPECT_EQ(WM_KTR_GROUP_SELECTED, QEvent::User + 2057);
    EXPECT_EQ(WM_KTR_FILE_SELECTED, QEvent::User + 2058);
}

} // namespace
