#pragma once

#include <QLabel>

// A label that works as a link: blue, underlined, a hand cursor, and a click
// signal (also on Enter or Space once it has the keyboard focus).
class LinkLabel final : public QLabel {
    Q_OBJECT
public:
    explicit LinkLabel(const QString& text, QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};
