#pragma once

#include "ByteWriter.h"
#include "CameraFixtures.h"
#include "ScopedTimeZone.h"
#include "track/CKtr3gpParser.h"
#include "track/CKtrAviParser.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

// Writes fixture bytes to files in a private folder and reads them back with a reader. Local
// time is UTC unless a test says otherwise.
class ReaderTest : public ::testing::Test {
protected:
    QString Write(const std::string& content, const QString& name = QStringLiteral("rec.MP4")) {
        const QString path = m_dir.filePath(name);
        bytes::WriteFile(path.toStdString(), content);
        return path;
    }

    template <typename Reader>
    int32_t Read(const std::string& content, RecordingInfo& info, const QString& name) {
        Reader reader;
        reader.SetInfoTarget(&info);
        return reader.Parse(Write(content, name));
    }

    int32_t ReadMp4(const std::string& content, RecordingInfo& info) {
        return Read<CKtr3gpParser>(content, info, QStringLiteral("rec.MP4"));
    }

    int32_t ReadAvi(const std::string& content, RecordingInfo& info) {
        return Read<CKtrAviParser>(content, info, QStringLiteral("rec.AVI"));
    }

    QTemporaryDir m_dir;
    ScopedTimeZone m_zone{"UTC"};
};

// 2021-05-04 10:20:30 in UTC.
constexpr int64_t kMay4Utc = 1620123630;
