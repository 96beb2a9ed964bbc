#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

#include <cstdint>

// The progress board of a long copy: the filled share tiled with a pattern picture (or a
// plain colour), the value text centred over the whole bar, a raised edge around it.
class CStatusBoardStatic : public QWidget {
    Q_OBJECT
public:
    explicit CStatusBoardStatic(QWidget* parent = nullptr);

    // 0 fills with the plain fill colour; a picture that cannot be loaded leaves the filled
    // share unpainted.
    void SetPatternBitmap(uint16_t id);
    void SetProgress(int percent, const QString& valueText);
    int Percent() const { return m_percent; }
    const QString& ValueText() const { return m_valueText; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_percent = 0;
    QString m_valueText;
    QColor m_restColour{5, 5, 5};
    QColor m_valueColour{5, 5, 5};
    QColor m_fillColour{5, 5, 5};
    uint16_t m_patternBitmap = 0;
};
