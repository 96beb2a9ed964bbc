#pragma once

#include <QLoggingCategory>
#include <QMutex>
#include <QMutexLocker>
#include <QString>
#include <QStringList>

#include <algorithm>

// Keeps every message of one logging category, debug ones included, while it lives; other
// categories go on to the handler that was installed before. Messages may come from any
// thread.
class ScopedLogCapture {
public:
    explicit ScopedLogCapture(const char* category) : m_category(category) {
        QLoggingCategory::setFilterRules(QStringLiteral("%1.debug=true").arg(m_category));
        s_active = this;
        m_previous = qInstallMessageHandler(Handle);
    }
    ~ScopedLogCapture() {
        qInstallMessageHandler(m_previous);
        s_active = nullptr;
        QLoggingCategory::setFilterRules(QString());
    }
    ScopedLogCapture(const ScopedLogCapture&) = delete;
    ScopedLogCapture& operator=(const ScopedLogCapture&) = delete;

    QStringList messages() const {
        const QMutexLocker lock(&m_mutex);
        return m_messages;
    }
    // The first kept message that contains every one of parts, or an empty string.
    QString Find(const QStringList& parts) const {
        for (const QString& message : messages()) {
            if (std::all_of(parts.begin(), parts.end(),
                            [&](const QString& part) { return message.contains(part); }))
                return message;
        }
        return {};
    }

private:
    static void Handle(QtMsgType type, const QMessageLogContext& context, const QString& text) {
        ScopedLogCapture* self = s_active;
        if (self && context.category && self->m_category == QLatin1String(context.category)) {
            const QMutexLocker lock(&self->m_mutex);
            self->m_messages.append(text);
            return;
        }
        if (self && self->m_previous)
            self->m_previous(type, context, text);
    }

    static inline ScopedLogCapture* s_active = nullptr;
    const QString m_category;
    QtMessageHandler m_previous = nullptr;
    mutable QMutex m_mutex;
    QStringList m_messages;
};
