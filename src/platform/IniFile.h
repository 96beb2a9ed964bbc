#pragma once

#include <QString>

// A private-profile INI file with the semantics the settings file has always had on its
// original platform: section and key names compare case-insensitively (after trimming), a
// missing file, section or key reads as the caller's default, the first write creates the
// file, and a write changes only the one line it concerns. Nothing is cached: every call
// reads the file again.
//
// Only a regular file of at most kMaxFileBytes is used (symbolic links followed). Anything
// else at the path (a FIFO, a directory, a device, a larger or unreadable file) reads like a
// missing file and is never replaced; neither is a read-only file. Each such file is named
// with its reason in one line on standard error, once per process.
//
// Files starting with a UTF-16LE byte-order mark are read and written as UTF-16LE, all
// others as UTF-8 (a UTF-8 mark is kept; lines that are not valid UTF-8 are matched as
// Latin-1 and written back byte for byte). Line endings stay as they were; new lines use
// the file's first line ending, or the platform's for a new file.
class IniFile {
public:
    // Keeps every character when given as maxChars.
    static constexpr int kNoLimit = -1;
    // Far above any real settings file; a larger one is not read into memory at all.
    static constexpr qint64 kMaxFileBytes = 1024 * 1024;

    explicit IniFile(QString path);

    const QString& path() const { return m_path; }

    // The value of the first matching key in the first matching section, trimmed and with
    // one pair of enclosing matching quotes ('…' or "…") removed, cut to maxChars
    // characters. defaultValue when the file, section or key does not exist.
    QString ReadString(const QString& section, const QString& key, const QString& defaultValue,
                       int maxChars = kNoLimit) const;

    // The value read as a decimal integer: optional sign, then the leading digits; reading
    // stops at the first other character ("12px" is 12, "abc" and "0x10" are 0) and values
    // beyond the int range saturate. defaultValue when the key is missing or its value empty.
    int ReadInt(const QString& section, const QString& key, int defaultValue) const;

    // Sets key in section to value, adding the key at the end of the section's keys or the
    // section at the end of the file when they do not exist. The new content replaces the
    // file atomically (temporary file, then rename), so a failed write leaves the old file
    // as it was. Returns false, writing nothing, when the file cannot be read or written, is
    // read-only or is not used (see above), or when a name or the value could not be stored
    // on one line (line breaks, a "=" in the key, a "]" in the section, a key starting with
    // "[" or ";").
    bool WriteString(const QString& section, const QString& key, const QString& value);

private:
    QString m_path;
};
