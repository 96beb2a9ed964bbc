#include "FrameCode.h"
#include "MapPageFolder.h"
#include "QuietOptions.h"
#include "SyncCard.h"
#include "WindowFrameCodes.h"

#include "AnsweringPrompts.h"
#include "app/CAppSettings.h"
#include "ui/window/CKTRDlg.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

constexpr int kWaitMs = 20000;
// Small, so that two cores encode and play it quickly; long enough that neither the end of
// the recording nor the move back to its start can bring the pictures together by itself
// while the test waits.
const SyncCardShape kShape{60, 640, 360, 1};
// The rear is thrown this far off the front before the window has to bring it back.
constexpr int64_t kThrownOffMs = 400;
// Generous: one frame is what the pictures keep to, three are allowed for a busy machine.
constexpr int kMostFramesApart = 3;
constexpr int kSamples = 9;

const SyncCard& Card() {
    static QTemporaryDir folder;
    static SyncCard card;
    static const QString error = [] {
        QString failure;
        PrepareSyncCard(folder.filePath(QStringLiteral("card")), kShape, &card, &failure);
        return failure;
    }();
    EXPECT_TRUE(error.isEmpty()) << qPrintable(error);
    return card;
}

// The middle of a few readable samples, front minus rear, in frames.
std::optional<int> MedianFramesApart(const WindowFrameCodes& codes) {
    std::vector<int> apart;
    for (int attempt = 0; attempt < kSamples * 3 && apart.size() < kSamples; ++attempt) {
        const WindowFrameCodes::Sample sample = codes.Take();
        if (sample.readable())
            apart.push_back(sample.frontMinusRear());
        QCoreApplication::processEvents();
    }
    if (apart.size() < kSamples)
        return std::nullopt;
    std::nth_element(apart.begin(), apart.begin() + kSamples / 2, apart.end());
    return apart[kSamples / 2];
}

// The rear player is moved away from the front one behind the window's back; the window
// brings the two pictures together again on its own, read from the screen.
TEST(FrontRearInStep, TheRearPictureComesBackToTheFrontOneAfterItWasThrownOff) {
    ASSERT_FALSE(Card().folder.isEmpty());
    AnsweringPrompts prompts;
    QTemporaryDir config;
    CAppSettings settings(config.filePath(QString::fromLatin1(CAppSettings::kFileName)));
    MapPageFolder pages;
    CKTRDlg window(settings, QuietOptions(pages.path()));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ASSERT_TRUE(window.OpenPath(Card().folder));
    CMediaChannel& front = window.frontChannel();
    CMediaChannel& rear = window.rearChannel();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return front.IsPlaying() && rear.IsPlaying() && front.GetTime() > 1000; }, kWaitMs));
    const WindowFrameCodes codes(window, QSize(kShape.width, kShape.height));

    rear.SetTime(front.GetTime() + kThrownOffMs);
    const auto apartAtLeast = [&](int frames) {
        const std::optional<int> apart = MedianFramesApart(codes);
        return apart && std::abs(*apart) >= frames;
    };
    ASSERT_TRUE(QTest::qWaitFor([&] { return apartAtLeast(kMostFramesApart + 2); }, kWaitMs))
        << "the rear picture jumps ahead first";
    const auto together = [&] {
        const std::optional<int> apart = MedianFramesApart(codes);
        return apart && std::abs(*apart) <= kMostFramesApart;
    };
    EXPECT_TRUE(QTest::qWaitFor(together, kWaitMs))
        << "front at " << front.GetTime() << " ms, rear at " << rear.GetTime() << " ms";
}

} // namespace
